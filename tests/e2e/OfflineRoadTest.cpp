// The offline road: names saved into VMRNames.zip on a connected computer, installed on the Velmora one.
#include "tests/e2e/NameCommandsFixture.h"
#include "tests/zip/ZipTestSupport.h"

#include <algorithm>

#include "platform/fs/ModulePath.h"
#include "platform/ui/MessageBox.h"

namespace {

const char* const kInstructions =
    "Now take this program, along with the \"VMRNames.zip\" file (both will be "
    "found in your save location), to your computer with the Velmora to complete "
    "the installation process.";

class OfflineRoadTest : public NameCommandsTest
{
protected:
    void SetUp() override
    {
        Publish("Anna", 10);
        Publish("Bob", 20);
        StartService();
        Open(false); // no Velmora here, a connection
        save = prefix.DriveC() / "Tools";
    }

    void Save(const std::string& name, const char* box = "Name files downloaded.",
              const char* caption = "Success")
    {
        Type(name);
        script.ExpectBox(box, caption);
        dlg->m_btnDownloadSave.Click();
        ASSERT_TRUE(script.Finished()) << name;
    }

    std::filesystem::path Archive() { return save / "VMRNames.zip"; }
    std::filesystem::path save;
};

TEST_F(OfflineRoadTest, SavesAccumulateInTheTransferArchiveAndClosingCopiesTheProgramOnce)
{
    Save("Anna");
    EXPECT_EQ(ReadText(Package("Anna")), ReadText(Archive())) << "the first package becomes the archive";
    EXPECT_FALSE(std::filesystem::exists(save / "Temp.zip"));
    EXPECT_FALSE(std::filesystem::exists(save / "Temp"));

    Save("bob");
    Save("Anna");
    // The first package's entries as they were, then each later save's files in staging-folder order.
    std::vector<std::string> entries = Entries(Archive());
    ASSERT_EQ(6u, entries.size());
    EXPECT_EQ(Entries(Package("Anna")), std::vector<std::string>(entries.begin(), entries.begin() + 2));
    std::sort(entries.begin() + 2, entries.begin() + 4);
    std::sort(entries.begin() + 4, entries.end());
    const std::vector<std::string> later = {"Bob.wav", "Bob^.wav", "Anna.wav", "Anna^.wav"};
    EXPECT_EQ(later, std::vector<std::string>(entries.begin() + 2, entries.end()));
    EXPECT_FALSE(std::filesystem::exists(save / "Temp.zip"));
    EXPECT_FALSE(std::filesystem::exists(save / "Temp"));
    EXPECT_TRUE(dlg->m_bSavedForTransfer);
    EXPECT_EQ("Anna", dlg->m_strLastName);

    const std::string module = ModuleFileName();
    const std::string program = module.substr(module.rfind('\\') + 1);
    script.ExpectBox(kInstructions, "Instructions");
    dlg->OnCancel();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(ReadText(winpath::ToHost(module)), ReadText(save / program));
}

TEST_F(OfflineRoadTest, NameTheServiceCannotServeSavesNothing)
{
    std::filesystem::remove(Package("Bob"));
    Type("Bob");
    script.ExpectBox("Error 6: No recording of this name is available.  Requested: Bob", AfxGetAppName());
    script.ExpectBox("Unable to download name files.", "Failure");
    dlg->m_btnDownloadSave.Click();
    ASSERT_TRUE(script.Finished());
    EXPECT_FALSE(std::filesystem::exists(Archive()));
    EXPECT_FALSE(dlg->m_bSavedForTransfer);
}

// Package addresses that name a port where nothing listens: every download fails.
class DeadPackageHostTest : public NameCommandsTest
{
protected:
    void SetUp() override
    {
        Publish("Anna", 10);
        service = std::make_unique<ServiceProcess>(
            std::vector<std::string>{"--listen", "127.0.0.1:0", "--catalog", (work / "catalog").string(),
                                     "--db", (work / "requests.db").string(), "--public-host", "127.0.0.1:1"},
            work / "service.log");
        names = PlaceVelmora();
    }
    std::filesystem::path names;
};

TEST_F(DeadPackageHostTest, FailedDownloadsLeaveNoFileAndTheArchiveAsItWas)
{
    Open(false);
    const auto save = prefix.DriveC() / "Tools";
    Type("Anna");
    script.ExpectBox("Unable to download name files.", "Failure");
    dlg->m_btnDownloadSave.Click();
    ASSERT_TRUE(script.Finished());
    EXPECT_EQ(0, std::distance(std::filesystem::directory_iterator(save), {}))
        << "no archive, no partial file";

    std::filesystem::copy_file(Package("Anna"), save / "VMRNames.zip");
    script.ExpectBox("Unable to download name files.", "Failure");
    dlg->m_btnDownloadSave.Click();
    ASSERT_TRUE(script.Finished());
    EXPECT_EQ(ReadText(Package("Anna")), ReadText(save / "VMRNames.zip"));
    EXPECT_FALSE(std::filesystem::exists(save / "Temp.zip"));
    EXPECT_FALSE(dlg->m_bSavedForTransfer);
}

TEST_F(DeadPackageHostTest, FailedInstallDownloadLeavesNoTemporaryPackage)
{
    Open(true);
    Type("Anna");
    script.ExpectBox("Unable to download name files.", "Failure");
    dlg->m_btnInstall.Click();
    ASSERT_TRUE(script.Finished());
    EXPECT_FALSE(std::filesystem::exists(prefix.DriveC() / "Tools" / "Temp.zip"));
    EXPECT_FALSE(std::filesystem::exists(names));
}

TEST_F(OfflineRoadTest, PackageThatIsNotAnArchiveIsNeverAdopted)
{
    std::ofstream(Package("Bob"), std::ios::trunc) << "<html>not found</html>";
    Type("Bob");
    EXPECT_EQ(ZipErrorCentralDirNotFound, ziptest::ZipErrorOf([&] { dlg->OnDownloadSave(); }));
    EXPECT_FALSE(std::filesystem::exists(Archive()));
    EXPECT_FALSE(dlg->m_bSavedForTransfer);
    EXPECT_FALSE(dlg->m_notice.GetSafeHwnd());

    Save("Anna");
    const std::string before = ReadText(Archive());
    Type("Bob");
    EXPECT_EQ(ZipErrorCentralDirNotFound, ziptest::ZipErrorOf([&] { dlg->OnDownloadSave(); }));
    EXPECT_EQ(before, ReadText(Archive()));
}

TEST_F(OfflineRoadTest, ClosingWithoutASaveShowsNothing)
{
    dlg->OnCancel();
    EXPECT_TRUE(script.Finished());
    const std::string module = ModuleFileName();
    EXPECT_FALSE(std::filesystem::exists(save / module.substr(module.rfind('\\') + 1)));
}

// The Velmora computer: the copied program runs from the save folder, without a connection.
class InstallSavedTest : public NameCommandsTest
{
protected:
    void SetUp() override
    {
        names = PlaceVelmora();
        Publish("Anna", 10);
        Publish("Bob", 20);
        sockets.connected = false;
        Open(false);
        ASSERT_EQ("Install Saved Name", dlg->m_btnInstall.GetWindowText());
        // A transfer archive as two saves leave it.
        std::filesystem::copy_file(Package("Anna"), transfer);
    }
    std::filesystem::path names;
    std::filesystem::path transfer = work / "VMRNames.zip";
};

TEST_F(InstallSavedTest, ArchiveBesideTheProgramIsInstalledAndKept)
{
    std::filesystem::copy_file(transfer, prefix.DriveC() / "Tools" / "VMRNames.zip");
    for (int round = 0; round < 2; ++round) {
        script.ExpectBox("Name files installed.", "Success");
        dlg->m_btnInstall.Click();
        ASSERT_TRUE(script.Finished());
        EXPECT_EQ(ReadText(work / "Anna-play.wav"), ReadText(names / "Anna.wav")) << round;
        EXPECT_TRUE(std::filesystem::exists(prefix.DriveC() / "Tools" / "VMRNames.zip")) << round;
    }
    EXPECT_TRUE(script.filePickers.empty());
}

TEST_F(InstallSavedTest, PickedArchiveIsInstalledAndDeletedAndACancelledPickerChangesNothing)
{
    std::filesystem::create_directories(prefix.DriveC() / "Carried");
    std::filesystem::copy_file(transfer, prefix.DriveC() / "Carried" / "VMRNames.zip");

    script.ExpectFileOpen(std::nullopt);
    dlg->m_btnInstall.Click();
    ASSERT_TRUE(script.Finished());
    EXPECT_FALSE(std::filesystem::exists(names / "Anna.wav"));
    EXPECT_FALSE(dlg->m_notice.GetSafeHwnd());

    script.ExpectFileOpen("C:\\Carried\\VMRNames.zip");
    script.ExpectBox("Name files installed.", "Success");
    dlg->m_btnInstall.Click();
    ASSERT_TRUE(script.Finished());
    ASSERT_EQ(2u, script.filePickers.size());
    EXPECT_EQ("C:\\Tools\\", script.filePickers[1].initialFolder);
    EXPECT_EQ("Velmora Name Files (zip)|VMRNames.zip|", script.filePickers[1].filter);
    EXPECT_EQ(0x21800u, script.filePickers[1].flags);
    EXPECT_EQ(ReadText(work / "Anna-list.wav"), ReadText(names / "Anna^.wav"));
    EXPECT_FALSE(std::filesystem::exists(prefix.DriveC() / "Carried" / "VMRNames.zip"));
    EXPECT_TRUE(dlg->m_strLastName.empty()) << "Listen then offers the installed names";
}

TEST_F(InstallSavedTest, DamagedArchiveIsNotDeleted)
{
    std::filesystem::create_directories(prefix.DriveC() / "Carried");
    std::ofstream(prefix.DriveC() / "Carried" / "VMRNames.zip") << "PK but nothing more";
    script.ExpectFileOpen("C:\\Carried\\VMRNames.zip");
    EXPECT_EQ(ZipErrorCentralDirNotFound, ziptest::ZipErrorOf([&] { dlg->OnInstall(); }));
    EXPECT_TRUE(std::filesystem::exists(prefix.DriveC() / "Carried" / "VMRNames.zip"));
    EXPECT_FALSE(dlg->m_notice.GetSafeHwnd());
}

// The box said only "Damaged or not a zip file" and the like: the user could not tell which file.
TEST_F(InstallSavedTest, DamagedArchiveIsNamedInTheErrorBox)
{
    std::filesystem::create_directories(prefix.DriveC() / "Carried");
    std::string bytes = ReadText(transfer);
    bytes[bytes.size() / 3] ^= 0x5A; // inside the first recording's data
    std::ofstream(prefix.DriveC() / "Carried" / "VMRNames.zip", std::ios::binary) << bytes;
    script.ExpectFileOpen("C:\\Carried\\VMRNames.zip");
    script.ExpectBox("Error in C:\\Carried\\VMRNames.zip: Crc mismatched", AfxGetAppName(),
                     MB_OK | MB_ICONEXCLAMATION);
    dlg->m_btnInstall.Click();
    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(std::filesystem::exists(names / "Anna.wav"));
}

} // namespace
