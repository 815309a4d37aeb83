// The application object: runs the main window modally and ends with it.
#pragma once

#include "app/AppOptions.h"
#include "platform/ui/CWinApp.h"

class CInstallerApp : public CWinApp
{
public:
    CInstallerApp();

    // Runs the main window (or renders it to m_options.screenshotFile) and returns FALSE, so the
    // process ends when the window has ended.
    BOOL InitInstance() override;
    int ExitInstance() override;

    AppOptions m_options;

private:
    int m_nExitCode = 0;
};

extern CInstallerApp theApp;
