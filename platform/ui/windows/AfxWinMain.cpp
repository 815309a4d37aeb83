// The start of the desktop application on Win32: common controls, then the application object.
#include "platform/ui/CWinApp.h"
#include "platform/ui/CWnd.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/detail/UiBackend.h"

int AfxWinMain(int, char**)
{
    // Version 6 of the common controls (the manifest asks for it) draws the list view and buttons
    // in the system's current look.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    if (app->m_strAppName.empty())
        app->m_strAppName = AfxGetAppName();
    if (!app->InitInstance())
        return app->ExitInstance();
    // A program that keeps a modeless main window runs it until the window posts WM_QUIT.
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        HWND main = app->m_pMainWnd ? app->m_pMainWnd->GetSafeHwnd() : nullptr;
        if (main && IsDialogMessageW(main, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return app->ExitInstance();
}
