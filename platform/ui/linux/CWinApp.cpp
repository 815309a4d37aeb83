// The application object and the start of the desktop application.
#include "platform/ui/CWinApp.h"

#include <QApplication>

#include "platform/ui/MessageBox.h"
#include "platform/ui/Resources.h"

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp(const char* lpszAppName) : m_strAppName(lpszAppName ? lpszAppName : "")
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return AfxLoadIcon(nIDResource);
}

void CWinApp::OnHelp() {}

BOOL CWinApp::OnCmdMsg(UINT nID)
{
    if (nID != ID_HELP)
        return FALSE;
    OnHelp();
    return TRUE;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

void AfxEnableControlContainer() {}

int AfxWinMain(int argc, char** argv)
{
    static int s_argc = argc; // QApplication keeps a reference to it
    QApplication application(s_argc, argv);
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    if (app->m_strAppName.empty())
        app->m_strAppName = AfxGetAppName();
    QApplication::setApplicationName(QString::fromStdString(app->m_strAppName));
    if (!app->InitInstance())
        return app->ExitInstance();
    QApplication::exec();
    return app->ExitInstance();
}
