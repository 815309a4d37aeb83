// main() of the dialog-layer tests: an offscreen Qt application and the test templates.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "tests/platform/ui/TestResources.h"
#include "tests/support/ModalScript.h"

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    AfxSetResourceHandle(&TestResources());
    UnscriptedModalDriver unscripted;
    ui::SetModalDriver(&unscripted);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
