// main() of the Win32 dialog-layer tests: common controls, the test templates, no unanswered modal run.
#include <gtest/gtest.h>

#include "platform/ui/WinTypes.h"
#include "tests/platform/ui/TestResources.h"
#include "tests/support/ModalScript.h"

int main(int argc, char** argv)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    AfxSetResourceHandle(&TestResources());
    UnscriptedModalDriver unscripted;
    ui::SetModalDriver(&unscripted);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
