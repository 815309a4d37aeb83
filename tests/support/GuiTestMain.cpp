// main() for GUI test executables: a Qt application on the offscreen platform and the program's resources.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/ui/Resources.h"
#include "res/ZentrimoResources.h"
#include "tests/support/ModalScript.h"

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    AfxSetResourceHandle(&ZentrimoResources());
    UnscriptedModalDriver unscripted;
    ui::SetModalDriver(&unscripted);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
