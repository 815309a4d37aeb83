// The application object: runs the main window modally; the process ends when it ends.
#include "app/CInstallerApp.h"

#include "app/CMainDlg.h"
#include "platform/ui/Screenshot.h"
#include "res/ZentrimoResources.h"

CInstallerApp theApp;

CInstallerApp::CInstallerApp() = default;

BOOL CInstallerApp::InitInstance()
{
    AfxSetResourceHandle(&ZentrimoResources());
    AfxEnableControlContainer();

    CMainDlg dlg(m_options);
    m_pMainWnd = &dlg;
    if (!m_options.screenshotFile.empty()) {
        m_nExitCode = dlg.Create(IDD_MAIN_DIALOG) && SaveWindowImage(&dlg, m_options.screenshotFile) ? 0 : 1;
        dlg.DestroyWindow();
    } else {
        dlg.DoModal();
    }
    m_pMainWnd = nullptr;
    return FALSE;
}

int CInstallerApp::ExitInstance()
{
    return m_nExitCode;
}
