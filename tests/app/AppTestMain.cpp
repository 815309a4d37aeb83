// main() of the main-window tests; run with ZENTRIMO_PRINT_MODULE_FOLDER set it opens the main window
// and prints its module folder instead, so a test can run a copy of this program from another folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "app/CMainDlg.h"
#include "res/ZentrimoResources.h"
#include "tests/support/ModalScript.h"
#include "tests/support/MainDlgTestAccess.h"

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    AfxSetResourceHandle(&ZentrimoResources());
    if (std::getenv("ZENTRIMO_PRINT_MODULE_FOLDER")) {
        CMainDlg dlg;
        if (!dlg.Create(IDD_MAIN_DIALOG))
            return 1;
        std::printf("%s\n", Peek(dlg).m_strModuleFolder.c_str());
        dlg.DestroyWindow();
        return 0;
    }
    UnscriptedModalDriver unscripted;
    ui::SetModalDriver(&unscripted);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
