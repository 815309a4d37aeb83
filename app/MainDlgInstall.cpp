// CMainDlg: "Download and Install Name", and the two steps the save command shares with it.
#include "app/CMainDlg.h"

#include "locator/VelmoraSearch.h"
#include "names/NameCommandSteps.h"
#include "names/NameInstall.h"
#include "platform/ui/CDataExchange.h"
#include "service/NoticeScope.h"

void CMainDlg::OnInstall()
{
    // Up before anything else happens, and down once the command has ended, also when an error leaves it
    // for the command dispatcher; the boxes of the command show while it is up.
    service::CNoticeScope notice(m_ui, "Installing name, please wait...");
    UpdateData(TRUE);
    if (!m_bWebScenario) {
        InstallSavedNames();
        return;
    }

    if (m_strSearchText.empty()) {
        MessageBox(namelist::kNoNameGiven, namelist::kNoNameGivenCaption, MB_OK);
        return;
    }
    MatchListedName();
    if (m_strSelectedName.empty())
        return;
    // Nothing is downloaded for a names folder that will refuse it (Velmora under Program Files, a
    // standard user).
    const std::string namesFolder = velmora::NamesFolder(m_editVelmoraLocation.GetWindowText());
    if (!NamesFolderTakesFiles(namesFolder))
        return;
    const std::string url = RequestPackageUrl();

    const namelist::CommandOutcome outcome =
        namelist::InstallPackage(m_client, url, m_strSelectedName, namesFolder, m_strModuleFolder);
    ShowOutcome(outcome);
    if (!outcome.succeeded)
        return;
    m_strLastName = m_strSelectedName;
    m_bSavedForTransfer = false;
}

bool CMainDlg::NamesFolderTakesFiles(const std::string& namesFolder)
{
    return namelist::NamesFolderTakesFiles(namesFolder, m_ui);
}

void CMainDlg::MatchListedName()
{
    const std::string listed = namelist::ListedName(m_nameList, m_strSearchText);
    if (listed.empty()) {
        MessageBox(namelist::kNameNotFound, namelist::kNameNotFoundCaption, MB_OK);
        return;
    }
    m_strSelectedName = listed;
}

std::string CMainDlg::RequestPackageUrl()
{
    return namelist::RequestPackageUrl(m_client, m_strSelectedName);
}
