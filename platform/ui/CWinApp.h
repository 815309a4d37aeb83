// The application object and the program's entry into the dialog layer.
#pragma once

#include <string>

#include "platform/ui/WinTypes.h"

class CWnd;

// One per program. AfxWinMain starts the desktop, runs InitInstance and ends the process with
// ExitInstance's result when InitInstance returns FALSE (the program ran its window itself).
class CWinApp
{
public:
    // lpszAppName null: the application's name is the executable's file name without extension.
    explicit CWinApp(const char* lpszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    virtual int ExitInstance();

    HICON LoadIcon(UINT nIDResource) const;
    // The framework's help command: there is no help content, so it does nothing.
    void OnHelp();
    // Routes a command sent to the application (only ID_HELP is known).
    BOOL OnCmdMsg(UINT nID);

    std::string m_strAppName;
    CWnd* m_pMainWnd = nullptr;
};

CWinApp* AfxGetApp();

// Platform niceties of the original desktop; nothing to do here.
void AfxEnableControlContainer();

// Starts the desktop application for argc/argv, runs the application object's InitInstance
// and returns the process's exit code.
int AfxWinMain(int argc, char** argv);
