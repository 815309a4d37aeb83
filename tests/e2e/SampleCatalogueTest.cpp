// Every name of the service's sample catalogue, accented ones included, on both roads, byte for byte.
#include "tests/e2e/NameCommandsFixture.h"

#include <algorithm>

#include "tests/zip/ZipTestSupport.h"

namespace {

class SampleCatalogueTest : public NameCommandsTest
{
protected:
    void SetUp() override
    {
        std::string out;
        ASSERT_EQ(0, ServiceProcess::RunToEnd({"sample", "--list"}, &out));
        for (size_t start = 0, end; start < out.size(); start = end + 1) {
            end = out.find('\n', start);
            if (end == std::string::npos)
                end = out.size();
            if (end > start)
                names.push_back(out.substr(start, end - start));
        }
        ASSERT_EQ(36u, names.size());
        ASSERT_EQ(0, ServiceProcess::RunToEnd({"sample", "--catalog", (work / "catalog").string()}));
        // What the packages hold, as Python's zipfile unpacks them: the reference for every byte.
        ziptest::WriteBytes(work / "unpack.py", "import zipfile,sys,pathlib\n"
                                                "for p in sorted(pathlib.Path(sys.argv[1]).glob('*.zip')):\n"
                                                "    zipfile.ZipFile(p).extractall(sys.argv[2])\n");
        ASSERT_EQ(0, ziptest::RunShell("python3 " + ziptest::Quote(work / "unpack.py") + " " +
                                       ziptest::Quote(work / "catalog") + " " +
                                       ziptest::Quote(work / "reference")));
        StartService();
    }

    // The names folder holds exactly the reference files, each byte for byte.
    void ExpectReferenceIn(const std::filesystem::path& folder)
    {
        std::vector<std::string> expected;
        for (const auto& item : std::filesystem::directory_iterator(work / "reference"))
            expected.push_back(item.path().filename().string());
        std::vector<std::string> found;
        for (const auto& item : std::filesystem::directory_iterator(folder))
            found.push_back(item.path().filename().string());
        std::sort(expected.begin(), expected.end());
        std::sort(found.begin(), found.end());
        ASSERT_EQ(72u, expected.size());
        EXPECT_EQ(expected, found);
        for (const std::string& file : expected)
            EXPECT_EQ(ReadText(work / "reference" / file), ReadText(folder / file)) << file;
    }

    std::vector<std::string> names;
};

TEST_F(SampleCatalogueTest, EveryNameInstallsOnTheWebRoad)
{
    const auto folder = PlaceVelmora();
    Open(true);
    for (const std::string& name : names) {
        Type(name);
        script.ExpectBox("Name files installed.", "Success");
        dlg->m_btnInstall.Click();
        ASSERT_TRUE(script.Finished()) << name;
        EXPECT_EQ(name, dlg->m_strLastName);
    }
    ExpectReferenceIn(folder);
    EXPECT_FALSE(std::filesystem::exists(prefix.DriveC() / "Tools" / "Temp.zip"));
}

TEST_F(SampleCatalogueTest, EveryNameSavedTravelsToVelmoraInOneArchive)
{
    Open(false);
    for (const std::string& name : names) {
        Type(name);
        script.ExpectBox("Name files downloaded.", "Success");
        dlg->m_btnDownloadSave.Click();
        ASSERT_TRUE(script.Finished()) << name;
    }
    const auto save = prefix.DriveC() / "Tools";
    EXPECT_EQ(72u, Entries(save / "VMRNames.zip").size());
    EXPECT_EQ(0, ziptest::RunShell("unzip -tqq " + ziptest::Quote(save / "VMRNames.zip") + " >/dev/null"));
    std::vector<std::string> left;
    for (const auto& item : std::filesystem::directory_iterator(save))
        left.push_back(item.path().filename().string());
    EXPECT_EQ(std::vector<std::string>{"VMRNames.zip"}, left) << "no staging folder, package or temporary";
    dlg->DestroyWindow();

    // The Velmora computer: the copied program beside the archive, no connection.
    const auto folder = PlaceVelmora();
    sockets.connected = false;
    Open(false);
    script.ExpectBox("Name files installed.", "Success");
    dlg->m_btnInstall.Click();
    ASSERT_TRUE(script.Finished());
    ExpectReferenceIn(folder);
}

} // namespace
