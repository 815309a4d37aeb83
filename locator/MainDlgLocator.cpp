// CMainDlg's locator operations: finding Velmora, the connectivity probe, the two Browse buttons.
#include "app/CMainDlg.h"

#include "app/CNoticeScope.h"
#include "locator/ConnectionProbe.h"
#include "locator/VelmoraSearch.h"
#include "platform/ui/ShellFolderPicker.h"

namespace {

constexpr int kPathChars = 260; // the picker's buffers

// The folder picker with no owner, rooted at the top of the namespace and with a box to type a
// folder; the choice as a path with a trailing backslash, "" when cancelled or no folder.
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
    return velmora::WithTrailingBackslash(path);
}

} // namespace

std::string CMainDlg::LocateVelmora()
{
    CNoticeScope notice(m_notice, "Searching for the Velmora on your computer, please wait...");
    return velmora::LocateFolder();
}

std::string CMainDlg::SearchForVelmora(std::string folder)
{
    return velmora::SearchFolder(folder);
}

bool CMainDlg::ProbeConnection()
{
    CNoticeScope notice(m_notice,
                        "Testing internet connection.  This process may take a minute, please be patient...");
    return velmora::ProbeHost(ProbeHost());
}

void CMainDlg::OnBrowseVelmora()
{
    CoInitialize(nullptr);
    const std::string folder = PickFolder("Please select the folder in which the Velmora is installed.");
    if (!folder.empty()) {
        if (velmora::HoldsExecutable(folder))
            m_editVelmoraLocation.SetWindowText(folder);
        else
            MessageBox("Cannot find the Velmora in this directory.  Please choose another folder.",
                       "VMR Not Found");
    }
    CoUninitialize();
}

void CMainDlg::OnBrowseSave()
{
    CoInitialize(nullptr);
    const std::string folder = PickFolder("Please select the folder in which the names are to be saved.");
    if (!folder.empty())
        m_editSaveLocation.SetWindowText(folder);
    CoUninitialize();
}
