// CMainDlg: "Request New Name": the request form, kept until the service has accepted a request.
#include "app/CMainDlg.h"

#include "names/dialogs/CRequestNameDlg.h"

void CMainDlg::OnRequestNewName()
{
    if (!m_bConnected) {
        MessageBox(
            "You must be connected to the internet in order to send a name request.  Please connect and "
            "try again.",
            "No Connection", MB_OK);
        return;
    }

    CRequestNameDlg dlg;
    dlg.SetFields(m_requestForm.strRecordName, m_requestForm.strPronunciation, m_requestForm.strRequester,
                  m_requestForm.strEmail, m_requestForm.strComments);
    if (dlg.DoModal() != IDOK)
        return;

    // GetFields gives name to record, requester, e-mail, pronunciation, comments.
    const std::vector<std::string> fields = dlg.GetFields();
    m_requestForm.strRecordName = fields[0];
    m_requestForm.strRequester = fields[1];
    m_requestForm.strEmail = fields[2];
    m_requestForm.strPronunciation = fields[3];
    m_requestForm.strComments = fields[4];

    const namelist::CommandOutcome outcome = namelist::SendRequestForm(m_client, m_requestForm);
    ShowOutcome(outcome);
    if (outcome.succeeded)
        m_requestForm = RequestForm();
}
