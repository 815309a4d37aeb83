// Zentrimo's entry: parses the command line, then hands over to the application object.
#include <cstdio>
#include <cstdlib>

#include "app/CInstallerApp.h"

int main(int argc, char** argv)
{
    std::string error;
    if (!ParseCommandLine(argc, argv, theApp.m_options, error)) {
        std::fprintf(stderr, "Zentrimo: %s\n%s", error.c_str(), CommandLineHelp().c_str());
        return 2;
    }
    if (theApp.m_options.help) {
        std::fputs(CommandLineHelp().c_str(), stdout);
        return 0;
    }
#ifndef _WIN32
    if (!theApp.m_options.screenshotFile.empty())
        setenv("QT_QPA_PLATFORM", "offscreen", 1); // rendering needs no display
#endif
    return AfxWinMain(argc, argv);
}
