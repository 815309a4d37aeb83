// CMainDlg: "Request New Name": the request form, kept until the service has accepted a request.
#include "app/CMainDlg.h"

#include "names/dialogs/CRequestNameDlg.h"
#include "service/CServiceTransport.h"
#include "service/MainDlgServiceUi.h"
#include "service/NameRequestCall.h"
#include "service/ServiceRequest.h"

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

    if (m_requestForm.strRecordName.empty() || m_requestForm.strRequester.empty() ||
        m_requestForm.strEmail.empty()) {
        MessageBox("Please fill out all the required fields.", "Incomplete request", MB_OK);
        return;
    }

    // The texts go in as typed: the service reads the envelope without escapes.
    CMainDlgServiceUi ui(*this);
    service::CServiceTransport transport(ServiceHostAndPort(), m_strProxyUser, m_strProxyPassword, ui);
    if (service::SendNameRequest(transport, ui,
                                 service::NameRequest(m_requestForm.strRecordName, m_requestForm.strRequester,
                                                      m_requestForm.strEmail, m_requestForm.strPronunciation,
                                                      m_requestForm.strComments)))
        m_requestForm = RequestForm();
}
