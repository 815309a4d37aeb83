// The install branch of the non web-connected layout: names from a transfer archive.
#include "app/CMainDlg.h"

#include "locator/VelmoraSearch.h"
#include "names/SavedNamesInstall.h"

void CMainDlg::InstallSavedNames()
{
    const std::string namesFolder = velmora::NamesFolder(m_editVelmoraLocation.GetWindowText());
    const namelist::CommandOutcome outcome =
        namelist::InstallSavedNames(m_ui, m_strModuleFolder, namesFolder);
    ShowOutcome(outcome);
    if (outcome.succeeded)
        m_bSavedForTransfer = false;
}
