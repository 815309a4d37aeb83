// main() of the dialog-layer tests: an offscreen Qt application and the test templates.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "tests/platform/ui/TestResources.h"

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    AfxSetResourceHandle(&TestResources());
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
