// The scenario choice: locate and probe on the first choice, then switch between the layouts.
#include "app/CMainDlg.h"

#include "platform/fs/FileSystem.h"
#include "service/NoticeScope.h"

#include <initializer_list>

namespace {

// The controls that move together with the Velmora location, in the order they are moved.
constexpr int kVelmoraRow[] = {IDC_BROWSE_VELMORA, IDC_VELMORA_LOCATION_LABEL, IDC_INSTALL,
                               IDC_VELMORA_LOCATION};
constexpr int kSaveRow[] = {IDC_DOWNLOAD_SAVE, IDC_BROWSE_SAVE, IDC_SAVE_LOCATION, IDC_SAVE_LOCATION_LABEL};
constexpr int kRowShift = 30; // client pixels between the two layouts' Velmora rows

// Where the offline road proposes to save: the program's own folder, so that the archive and the copy of the
// program made on closing end up together; an installed copy's folder (a system folder, or one the user
// may not write) gives way to the user's documents folder.
std::string DefaultSaveFolder(const std::string& moduleFolder)
{
    if (!IsSystemFolder(moduleFolder) && CanCreateFilesIn(moduleFolder))
        return moduleFolder;
    const std::string documents = GetDocumentsFolder();
    return documents.empty() ? moduleFolder : documents;
}

void Enable(CWnd& dialog, std::initializer_list<int> ids)
{
    for (int id : ids)
        if (CWnd* control = dialog.GetDlgItem(id))
            control->EnableWindow(TRUE);
}

void MoveVelmoraRow(CWnd& dlg, int distance)
{
    for (int id : kVelmoraRow) {
        CWnd* control = dlg.GetDlgItem(id);
        if (!control)
            continue;
        CRect rect;
        control->GetWindowRect(&rect);
        dlg.ScreenToClient(&rect);
        rect.top += distance;
        rect.bottom += distance;
        control->MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
    }
}

} // namespace

void CMainDlg::FetchStep()
{
    service::CNoticeScope notice(m_ui, "Downloading name list, please wait...");
    // A failed fetch leaves the list not fetched, so that the next scenario click asks again instead
    // of leaving the list empty, and every typed name unknown, for the rest of the run.
    if (!m_bNameListFetched)
        m_bNameListFetched = FetchNameList();
}

void CMainDlg::FillStep()
{
    if (m_bNameListShown)
        return;
    m_listNames.DeleteAllItems();
    for (size_t i = 0; i < m_nameList.size(); ++i)
        m_listNames.InsertItem(static_cast<int>(i), m_nameList[i]);
    m_bNameListShown = m_bNameListFetched;
}

void CMainDlg::RetryFailedFetch()
{
    if (!m_bConnected || m_bNameListFetched)
        return;
    FetchStep();
    FillStep();
}

void CMainDlg::ClearScenarioButtons()
{
    m_btnScenarioWeb.SetCheck(BST_UNCHECKED);
    m_btnScenarioOffline.SetCheck(BST_UNCHECKED);
}

void CMainDlg::OnScenarioWeb()
{
    if (m_btnScenarioWeb.GetCheck() != BST_CHECKED)
        return;
    if (m_bFirstChoice)
        m_strVelmoraFolder = LocateVelmora();
    if (m_strVelmoraFolder.empty()) {
        MessageBox(
            "The Velmora was not found on this system.  Please locate your Velmora installation before "
            "attempting to download any names",
            "VMR Not Found");
        ClearScenarioButtons();
        return;
    }
    if (m_bFirstChoice)
        m_bConnected = ProbeConnection();
    if (!m_bWebScenario) {
        m_editVelmoraLocation.SetWindowText(m_strVelmoraFolder);
        if (!m_bConnected) {
            MessageBox(
                "Unable to connect to the internet.  Please check your connection and try again later.",
                "Connection Problem");
            ClearScenarioButtons();
            return;
        }
        FetchStep();
        m_btnInstall.SetWindowText("Download and Install Name");
        for (int id : kSaveRow)
            if (CWnd* control = GetDlgItem(id))
                control->ShowWindow(SW_HIDE);
        Enable(*this, {IDC_SEARCH_TEXT, IDC_NAME_LIST, IDC_REQUEST_NEW_NAME, IDC_BROWSE_VELMORA, IDC_INSTALL,
                       IDC_VELMORA_LOCATION, IDC_VELMORA_LOCATION_LABEL, IDC_LISTEN});
        FillStep();
        MoveVelmoraRow(*this, -kRowShift);
    } else {
        RetryFailedFetch();
    }
    // The first choice ends before the web layout counts as active, so that m_bWebScenario is never
    // true while m_bFirstChoice is.
    m_bFirstChoice = false;
    m_bWebScenario = true;
    m_btnScenarioOffline.SetCheck(BST_UNCHECKED);
}

void CMainDlg::OnScenarioOffline()
{
    if (m_bFirstChoice) {
        m_strVelmoraFolder = LocateVelmora();
        m_bConnected = ProbeConnection();
    }
    if (m_bWebScenario || m_bFirstChoice) {
        const bool found = !m_strVelmoraFolder.empty();
        if (found)
            m_editVelmoraLocation.SetWindowText(m_strVelmoraFolder);
        if (!m_bConnected && !found) {
            MessageBox(
                "This program could find neither the Velmora nor an internet connection on this computer.  "
                "You must have one or the other in order for this program to be effective.",
                "Error");
            ClearScenarioButtons();
            return;
        }
        if (m_bConnected) {
            FetchStep();
            m_editSaveLocation.SetWindowText(DefaultSaveFolder(m_strModuleFolder));
        }
        m_btnInstall.SetWindowText("Install Saved Name");
        if (found)
            Enable(*this,
                   {IDC_BROWSE_VELMORA, IDC_INSTALL, IDC_VELMORA_LOCATION_LABEL, IDC_VELMORA_LOCATION});
        if (m_bConnected) {
            FillStep();
            Enable(*this, {IDC_SEARCH_TEXT, IDC_NAME_LIST, IDC_REQUEST_NEW_NAME});
            for (int id : kSaveRow) {
                if (CWnd* control = GetDlgItem(id)) {
                    control->ShowWindow(SW_SHOW);
                    control->EnableWindow(TRUE);
                }
            }
            Enable(*this, {IDC_LISTEN});
        }
        if (!m_bFirstChoice) {
            MoveVelmoraRow(*this, kRowShift);
            RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        }
    } else {
        RetryFailedFetch();
    }
    m_bWebScenario = false;
    m_btnScenarioWeb.SetCheck(BST_UNCHECKED);
    m_bFirstChoice = false;
}
