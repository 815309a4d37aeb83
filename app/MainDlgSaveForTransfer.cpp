// CMainDlg: "Download and Save Name" into the transfer archive, and the copy of the program on closing.
#include "app/CMainDlg.h"

#include "names/NameCommandSteps.h"
#include "names/NameSave.h"
#include "platform/media/MCIWnd.h"
#include "platform/ui/CDataExchange.h"
#include "service/NoticeScope.h"

void CMainDlg::OnDownloadSave()
{
    UpdateData(TRUE);
    if (m_strSearchText.empty()) {
        MessageBox(namelist::kNoNameGiven, namelist::kNoNameGivenCaption, MB_OK);
        return;
    }
    // Down once the command has ended, also when an error leaves it for the command dispatcher; the boxes
    // of the command show while it is up.
    service::CNoticeScope notice(m_ui, "Downloading name, please wait...");
    MatchListedName();
    if (m_strSelectedName.empty())
        return;
    const std::string url = RequestPackageUrl();

    const namelist::CommandOutcome outcome =
        namelist::SaveForTransfer(m_client, url, m_strSelectedName, m_editSaveLocation.GetWindowText());
    if (!outcome.succeeded) {
        ShowOutcome(outcome);
        return;
    }
    m_bSavedForTransfer = true;
    ShowOutcome(outcome);
    m_strLastName = m_strSelectedName;
}

void CMainDlg::OnCancel()
{
    if (!m_bWebScenario && m_bSavedForTransfer) {
        namelist::CopyProgramTo(m_editSaveLocation.GetWindowText());
        MessageBox(namelist::kTakeProgramAlong, namelist::kTakeProgramAlongCaption, MB_OK);
    }
    // The players of this window end with it.
    MCIWndDestroyChildren(GetSafeHwnd());
    CDialog::OnCancel();
}
