// Path texts compared as the file system matches names: case aside, nothing else interpreted.
#include "platform/fs/PathCompare.h"

#include <gtest/gtest.h>

TEST(PathCompare, IgnoresTheCaseOfLettersAndNothingElse)
{
    struct Row
    {
        const char* a;
        const char* b;
        bool same;
    };
    const Row rows[] = {
        {"C:\\Save\\VMRNames.zip", "C:\\Save\\VMRNames.zip", true},
        {"C:\\Save\\VMRNames.zip", "c:\\SAVE\\vmrnames.ZIP", true},
        {"", "", true},
        {"C:\\Save\\VMRNames.zip", "C:\\Save\\VMRNames.zip ", false},
        {"C:\\Save\\VMRNames.zip", "C:/Save/VMRNames.zip", false},
        {"C:\\Save\\.\\VMRNames.zip", "C:\\Save\\VMRNames.zip", false},
        {"C:\\Save\\Temp.zip", "C:\\Save\\Temp.zap", false},
        {"C:\\Save\\a", "", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(SamePathText(row.a, row.b), row.same) << row.a << " | " << row.b;
        EXPECT_EQ(SamePathText(row.b, row.a), row.same) << row.b << " | " << row.a;
    }
}
