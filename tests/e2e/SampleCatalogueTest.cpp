// Every name of the service's sample catalogue, accented ones included, on both roads, byte for byte.
#include "tests/support/SampleRoadFixture.h"
#include "tests/support/MainDlgTestAccess.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace {

class SampleCatalogueTest : public SampleRoadTest
{
protected:
    void SetUp() override { ASSERT_EQ(36u, service.Names().size()); }

    // The names folder holds exactly the reference files, each byte for byte.
    void ExpectEveryNameInstalled()
    {
        const std::vector<std::string> expected = FileNamesIn(service.Reference());
        ASSERT_EQ(72u, expected.size());
        EXPECT_EQ(expected, FileNamesIn(computer.NamesFolder()));
        for (const std::string& name : service.Names())
            ExpectInstalled(name);
    }
};

TEST_F(SampleCatalogueTest, EveryNameInstallsOnTheWebRoad)
{
    computer.InstallVelmora();
    Open(true);
    std::vector<std::string> listed = Peek(*dlg).m_nameList, served = service.Names();
    std::sort(listed.begin(), listed.end());
    std::sort(served.begin(), served.end());
    EXPECT_EQ(served, listed) << "every served name is listed, once";
    for (const std::string& name : service.Names()) {
        Install(name);
        EXPECT_EQ(name, Peek(*dlg).m_strLastName);
    }
    ExpectEveryNameInstalled();
    EXPECT_EQ(std::vector<std::string>{}, FileNamesIn(computer.ProgramFolder())) << "no package left behind";
}

TEST_F(SampleCatalogueTest, EveryNameSavedTravelsToVelmoraInOneArchive)
{
    Open(false);
    for (const std::string& name : service.Names())
        Save(name);
    EXPECT_EQ(72u, Entries("VMRNames.zip").size());
    EXPECT_EQ(std::vector<std::string>{"VMRNames.zip"}, FileNamesIn(computer.ProgramFolder()))
        << "no staging folder, package or temporary";
#ifndef _WIN32 // Info-ZIP is a Linux program
    const std::filesystem::path archive = computer.ProgramFolder() / "VMRNames.zip";
    EXPECT_EQ(0, std::system(("unzip -tqq '" + archive.string() + "' >/dev/null").c_str()));
#endif
    CloseWindow();

    // The Velmora computer: the copied program beside the archive, no connection.
    computer.InstallVelmora();
    sockets.connected = false;
    Open(false);
    script.ExpectBox("Name files installed.", "Success");
    Peek(*dlg).m_btnInstall.Click();
    ASSERT_TRUE(script.Finished());
    ExpectEveryNameInstalled();
}

} // namespace
