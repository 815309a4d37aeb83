// The application object: the one per program, its icons and its help command.
#include "platform/ui/CWinApp.h"

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
