// The release records shipped with the package name the version CMake builds, so a release bump misses none.
#include <gtest/gtest.h>

#include <regex>

#include "tests/packaging/Shell.h"

using namespace packagingtest;

namespace {

const std::string kLinux = std::string(ZENTRIMO_SOURCE_DIR) + "/packaging/linux/";

} // namespace

TEST(ReleaseRecords, DebianChangelogParsesAndItsNewestEntryIsTheProjectVersion)
{
    const Output version =
        RunShell("dpkg-parsechangelog -l " + Quote(kLinux + "deb/changelog") + " -S Version");
    ASSERT_EQ(version.status, 0) << version.text;
    EXPECT_EQ(version.text, std::string(ZENTRIMO_PROJECT_VERSION) + "\n");
}

TEST(ReleaseRecords, MetainfoNewestReleaseIsTheProjectVersion)
{
    const std::string metainfo = ReadText(kLinux + ZENTRIMO_APP_ID + ".metainfo.xml");
    std::smatch match;
    ASSERT_TRUE(std::regex_search(metainfo, match, std::regex(R"re(<release version="([^"]+)")re")));
    EXPECT_EQ(match[1].str(), ZENTRIMO_PROJECT_VERSION);
}
