// CMainDlg's locator members: finding Velmora, the connectivity probe, the two Browse buttons.
#include "app/CMainDlg.h"

#include "locator/ConnectionProbe.h"
#include "locator/FolderChoice.h"
#include "locator/VelmoraSearch.h"
#include "platform/ui/ShellFolderPicker.h"
#include "service/NoticeScope.h"

namespace {

constexpr int kPathChars = 260; // the picker's buffers

// The folder picker with no owner, rooted at the top of the namespace and with a box to type a
// folder; the chosen path as the picker gives it, "" when cancelled or no folder.
std::string PickFolder(const char* title)
{
    char displayName[kPathChars] = {};
    BROWSEINFO info = {};
    info.hwndOwner = nullptr;
    info.pidlRoot = nullptr;
    info.pszDisplayName = displayName;
    info.lpszTitle = title;
    info.ulFlags = BIF_EDITBOX;
    char path[kPathChars] = {};
    if (LPITEMIDLIST item = SHBrowseForFolder(&info)) {
        if (!SHGetPathFromIDList(item, path))
            path[0] = '\0';
        CoTaskMemFree(item);
    }
    return path;
}

} // namespace

std::string CMainDlg::LocateVelmora()
{
    service::CNoticeScope notice(m_ui, "Searching for the Velmora on your computer, please wait...");
    return velmora::LocateFolder();
}

std::string CMainDlg::SearchForVelmora(std::string folder)
{
    return velmora::SearchFolder(folder);
}

bool CMainDlg::ProbeConnection()
{
    service::CNoticeScope notice(
        m_ui, "Testing internet connection.  This process may take a minute, please be patient...");
    return velmora::ProbeHost(ProbeHost());
}

void CMainDlg::OnBrowseVelmora()
{
    CoInitialize(nullptr);
    const velmora::FolderChoice choice = velmora::ChooseVelmoraFolder(
        PickFolder("Please select the folder in which the Velmora is installed."));
    if (!choice.folder.empty())
        m_editVelmoraLocation.SetWindowText(choice.folder);
    else if (!choice.refusal.empty())
        MessageBox(choice.refusal, velmora::kVelmoraNotInFolderCaption);
    CoUninitialize();
}

void CMainDlg::OnBrowseSave()
{
    CoInitialize(nullptr);
    const velmora::FolderChoice choice =
        velmora::ChooseSaveFolder(PickFolder("Please select the folder in which the names are to be saved."));
    if (!choice.folder.empty())
        m_editSaveLocation.SetWindowText(choice.folder);
    CoUninitialize();
}
