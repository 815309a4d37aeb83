// main() of test programs that start themselves in a child role (tests/support/ChildProcess.h).
#include <gtest/gtest.h>

#include "tests/support/ChildProcess.h"

int main(int argc, char** argv)
{
    bool child = false;
    const int code = RunChildRole(argc, argv, child);
    if (child)
        return code;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
