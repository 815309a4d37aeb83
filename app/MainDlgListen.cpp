// CMainDlg: "Listen to Downloaded Name": plays the last downloaded name, or one picked from those installed.
#include "app/CMainDlg.h"

#include "names/NameRecording.h"
#include "names/dialogs/CInstalledNamesDlg.h"
#include "platform/media/MCIWnd.h"
#include "platform/ui/WinStyles.h"

void CMainDlg::OnListen()
{
    std::string name;
    const std::string folder = m_editVelmoraLocation.GetWindowText();
    if (!m_strLastName.empty()) {
        name = m_strLastName;
    } else {
        CInstalledNamesDlg dlg;
        dlg.SetVelmoraFolder(folder);
        if (dlg.DoModal() == IDOK)
            name = dlg.GetChosenName();
        if (name.empty())
            return;
    }

    const std::string file = namelist::RecordingPath(folder, name);
    // Each play gets a hidden player of its own, so quick clicks play over each other; all of them end
    // with the window.
    m_hPlayerWnd = MCIWndCreate(GetSafeHwnd(), nullptr, WS_CHILD, file.c_str());
    MCIWndSendMessage(m_hPlayerWnd, MCIWNDM_SETTIMEFORMATA, 0, reinterpret_cast<LPARAM>("ms"));
    MCIWndSendMessage(m_hPlayerWnd, MCI_PLAY, 0, 0);
}
