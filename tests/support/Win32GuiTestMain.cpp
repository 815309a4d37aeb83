// main() of the Win32 GUI test executables: common controls, the program's resources, no unanswered
// modal run.
#include <gtest/gtest.h>

#include "platform/ui/WinTypes.h"
#include "res/ZentrimoResources.h"
#include "tests/support/ModalScript.h"

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    AfxSetResourceHandle(&ZentrimoResources());
    UnscriptedModalDriver unscripted;
    ui::SetModalDriver(&unscripted);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
