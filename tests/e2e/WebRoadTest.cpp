// The web-connected road: install a listed name into Velmora's names folder and hear it.
#include "platform/media/MCIWnd.h"
#include "platform/ui/MessageBox.h"
#include "tests/e2e/NameCommandsFixture.h"
#include "tests/support/PlayedSound.h"
#include "tests/zip/ZipTestSupport.h"
#include "tests/support/MainDlgTestAccess.h"

namespace {

const char* const kNotFound =
    "The name you have typed is not in the list of recorded names.  Please either select a name from the "
    "list, or request that the name be recorded for you by clicking the \"Request New Name\" button below.";

class WebRoadTest : public NameCommandsTest
{
protected:
    void SetUp() override
    {
        names = PlaceVelmora();
        Publish("Anna", 10);
        Publish("Bob", 20);
        StartService();
        Open(true);
    }
    std::filesystem::path names;
};

TEST_F(WebRoadTest, TypedNameInstallsTheListedPackageAndListenPlaysIt)
{
    Type("ANNA");
    script.ExpectBox("Name files installed.", "Success");
    Peek(*dlg).m_btnInstall.Click();
    ASSERT_TRUE(script.Finished());

    EXPECT_EQ(ReadText(work / "Anna-play.wav"), ReadText(names / "Anna.wav"));
    EXPECT_EQ(ReadText(work / "Anna-list.wav"), ReadText(names / "Anna^.wav"));
    EXPECT_FALSE(std::filesystem::exists(Tools() / "Temp.zip"));
    EXPECT_EQ("Anna", Peek(*dlg).m_strLastName);
    EXPECT_FALSE(Peek(*dlg).m_notice.GetSafeHwnd()) << "the notice is closed";

    PlayedSound sound;
    Peek(*dlg).m_btnListen.Click();
    ASSERT_NE(nullptr, Peek(*dlg).m_hPlayerWnd);
    MCIWndWaitStopped(Peek(*dlg).m_hPlayerWnd);
    MCIWndDestroy(Peek(*dlg).m_hPlayerWnd); // the device closes, the capture is complete
    EXPECT_TRUE(PlayedExactly(sound.Samples(), clips["Anna"]));
}

TEST_F(WebRoadTest, BrowsedFolderWithTrailingSeparatorReplacesAnExistingFile)
{
    std::filesystem::create_directories(names);
    std::ofstream(names / "Bob.wav") << "an older recording";
    Peek(*dlg).m_editVelmoraLocation.SetWindowText(computer.VelmoraLocation() + "\\");
    Type("bob");
    script.ExpectBox("Name files installed.", "Success");
    Peek(*dlg).m_btnInstall.Click();
    EXPECT_EQ(ReadText(work / "Bob-play.wav"), ReadText(names / "Bob.wav"));
    EXPECT_FALSE(Peek(*dlg).m_bSavedForTransfer);
}

TEST_F(WebRoadTest, NamesThatCannotBeInstalledLeaveEverythingAsItWas)
{
    script.ExpectBox("Please specify a name before attempting to download.", "No Name Given");
    Peek(*dlg).m_btnInstall.Click();
    Type("Carl");
    script.ExpectBox(kNotFound, "Name Not Found");
    Peek(*dlg).m_btnInstall.Click();
    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(std::filesystem::exists(names));
    EXPECT_TRUE(Peek(*dlg).m_strLastName.empty());
}

TEST_F(WebRoadTest, NameTheServiceCannotServeIsNotDownloaded)
{
    std::filesystem::remove(Package("Anna"));
    Type("Anna");
    script.ExpectBox("Error 6: No recording of this name is available.  Requested: Anna", AfxGetAppName());
    script.ExpectBox("Unable to download name files.", "Failure");
    Peek(*dlg).m_btnInstall.Click();
    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(std::filesystem::exists(Tools() / "Temp.zip"));
    EXPECT_FALSE(std::filesystem::exists(names / "Anna.wav"));
    EXPECT_TRUE(Peek(*dlg).m_strLastName.empty());
}

TEST_F(WebRoadTest, DamagedPackageIsReportedAndInstallsNothingHalfWritten)
{
    std::string bytes = ReadText(Package("Anna"));
    bytes[bytes.size() / 2] ^= 0x5A; // inside the first recording's data
    std::ofstream(Package("Anna"), std::ios::binary | std::ios::trunc) << bytes;
    Type("Anna");
    script.ExpectBox(DamagedDownloadBox("Anna", ZipErrorBadCrc), "Failure");
    Peek(*dlg).m_btnInstall.Click();
    ASSERT_TRUE(script.Finished());
    EXPECT_FALSE(Peek(*dlg).m_notice.GetSafeHwnd()) << "the notice is closed";
    // The damaged first recording never appears, not even in part; nothing else may stand beside it.
    EXPECT_FALSE(std::filesystem::exists(names / "Anna.wav"));
    if (std::filesystem::exists(names)) {
        for (const auto& entry : std::filesystem::directory_iterator(names)) {
            EXPECT_EQ(ReadText(work / "Anna-list.wav"), ReadText(entry.path())) << entry.path();
        }
    }
    EXPECT_TRUE(Peek(*dlg).m_strLastName.empty());
}

TEST_F(WebRoadTest, PackageGoesToTheTemporaryFolderWhenTheProgramFolderTakesNoFiles)
{
    Peek(*dlg).m_strModuleFolder = InTools("Missing\\"); // no folder to write Temp.zip into
    Type("Anna");
    script.ExpectBox("Name files installed.", "Success");
    Peek(*dlg).m_btnInstall.Click();
    EXPECT_EQ(ReadText(work / "Anna-play.wav"), ReadText(names / "Anna.wav"));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::temp_directory_path() / "Temp.zip"));
}

} // namespace
