// The offline road: names saved into VMRNames.zip on a connected computer, installed on the Velmora one.
#include "tests/e2e/NameCommandsFixture.h"
#include "tests/zip/ZipTestSupport.h"

#include <algorithm>

#include "platform/fs/ModulePath.h"
#include "platform/ui/MessageBox.h"
#include "tests/support/MainDlgTestAccess.h"

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
        save = Tools();
    }

    void Save(const std::string& name, const char* box = "Name files downloaded.",
              const char* caption = "Success")
    {
        Type(name);
        script.ExpectBox(box, caption);
        Peek(*dlg).m_btnDownloadSave.Click();
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
    EXPECT_TRUE(Peek(*dlg).m_bSavedForTransfer);
    EXPECT_EQ("Anna", Peek(*dlg).m_strLastName);

    const std::string module = ModuleFileName();
    const std::string program = module.substr(module.rfind('\\') + 1);
    script.ExpectBox(kInstructions, "Instructions");
    dlg->OnCancel();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(ReadText(HostPath(module)), ReadText(save / program));
}

TEST_F(OfflineRoadTest, NameTheServiceCannotServeSavesNothing)
{
    std::filesystem::remove(Package("Bob"));
    Type("Bob");
    script.ExpectBox("Error 6: No recording of this name is available.  Requested: Bob", AfxGetAppName());
    script.ExpectBox("Unable to download name files.", "Failure");
    Peek(*dlg).m_btnDownloadSave.Click();
    ASSERT_TRUE(script.Finished());
    EXPECT_FALSE(std::filesystem::exists(Archive()));
    EXPECT_FALSE(Peek(*dlg).m_bSavedForTransfer);
}

// Package addresses that name a port where nothing listens: every download fails.
class DeadPackageHostTest : public NameCommandsTest
{
protected:
    void SetUp() override
    {
        Publish("Anna", 10);
        StartService(true);
        names = PlaceVelmora();
    }
    std::filesystem::path names;
};

TEST_F(DeadPackageHostTest, FailedDownloadsLeaveNoFileAndTheArchiveAsItWas)
{
    Open(false);
    const auto save = Tools();
    Type("Anna");
    script.ExpectBox("Unable to download name files.", "Failure");
    Peek(*dlg).m_btnDownloadSave.Click();
    ASSERT_TRUE(script.Finished());
    EXPECT_EQ(0, std::distance(std::filesystem::directory_iterator(save), {}))
        << "no archive, no partial file";

    std::filesystem::copy_file(Package("Anna"), save / "VMRNames.zip");
    script.ExpectBox("Unable to download name files.", "Failure");
    Peek(*dlg).m_btnDownloadSave.Click();
    ASSERT_TRUE(script.Finished());
    EXPECT_EQ(ReadText(Package("Anna")), ReadText(save / "VMRNames.zip"));
    EXPECT_FALSE(std::filesystem::exists(save / "Temp.zip"));
    EXPECT_FALSE(Peek(*dlg).m_bSavedForTransfer);
}

TEST_F(DeadPackageHostTest, FailedInstallDownloadLeavesNoTemporaryPackage)
{
    Open(true);
    Type("Anna");
    script.ExpectBox("Unable to download name files.", "Failure");
    Peek(*dlg).m_btnInstall.Click();
    ASSERT_TRUE(script.Finished());
    EXPECT_FALSE(std::filesystem::exists(Tools() / "Temp.zip"));
    EXPECT_FALSE(std::filesystem::exists(names));
}

TEST_F(OfflineRoadTest, PackageThatIsNotAnArchiveIsNeverAdopted)
{
    std::ofstream(Package("Bob"), std::ios::trunc) << "<html>not found</html>";
    Type("Bob");
    script.ExpectBox(DamagedDownloadBox("Bob", ZipErrorCentralDirNotFound), "Failure");
    Peek(*dlg).m_btnDownloadSave.Click();
    ASSERT_TRUE(script.Finished());
    EXPECT_FALSE(std::filesystem::exists(Archive()));
    EXPECT_FALSE(Peek(*dlg).m_bSavedForTransfer);
    EXPECT_FALSE(Peek(*dlg).m_notice.GetSafeHwnd());

    Save("Anna");
    const std::string before = ReadText(Archive());
    Type("Bob");
    script.ExpectBox(DamagedDownloadBox("Bob", ZipErrorCentralDirNotFound), "Failure");
    Peek(*dlg).m_btnDownloadSave.Click();
    ASSERT_TRUE(script.Finished());
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
        ASSERT_EQ("Install Saved Name", Peek(*dlg).m_btnInstall.GetWindowText());
        // A transfer archive as two saves leave it.
        std::filesystem::copy_file(Package("Anna"), transfer);
    }
    // A transfer archive carried to this computer on a stick, in a folder beside the program's.
    std::filesystem::path Carried() const { return Tools().parent_path() / "Carried" / "VMRNames.zip"; }

    std::filesystem::path names;
    std::filesystem::path transfer = work / "VMRNames.zip";
};

TEST_F(InstallSavedTest, ArchiveBesideTheProgramIsInstalledAndKept)
{
    std::filesystem::copy_file(transfer, Tools() / "VMRNames.zip");
    for (int round = 0; round < 2; ++round) {
        script.ExpectBox("Name files installed.", "Success");
        Peek(*dlg).m_btnInstall.Click();
        ASSERT_TRUE(script.Finished());
        EXPECT_EQ(ReadText(work / "Anna-play.wav"), ReadText(names / "Anna.wav")) << round;
        EXPECT_TRUE(std::filesystem::exists(Tools() / "VMRNames.zip")) << round;
    }
    EXPECT_TRUE(script.filePickers.empty());
}

TEST_F(InstallSavedTest, PickedArchiveIsInstalledAndDeletedAndACancelledPickerChangesNothing)
{
    std::filesystem::create_directories(Carried().parent_path());
    std::filesystem::copy_file(transfer, Carried());

    script.ExpectFileOpen(std::nullopt);
    Peek(*dlg).m_btnInstall.Click();
    ASSERT_TRUE(script.Finished());
    EXPECT_FALSE(std::filesystem::exists(names / "Anna.wav"));
    EXPECT_FALSE(Peek(*dlg).m_notice.GetSafeHwnd());

    script.ExpectFileOpen(WindowsPath(Carried()));
    script.ExpectBox("Name files installed.", "Success");
    Peek(*dlg).m_btnInstall.Click();
    ASSERT_TRUE(script.Finished());
    ASSERT_EQ(2u, script.filePickers.size());
    EXPECT_EQ(InTools(""), script.filePickers[1].initialFolder);
    EXPECT_EQ("Velmora Name Files (zip)|VMRNames.zip|", script.filePickers[1].filter);
    EXPECT_EQ(0x21800u, script.filePickers[1].flags);
    EXPECT_EQ(ReadText(work / "Anna-list.wav"), ReadText(names / "Anna^.wav"));
    EXPECT_FALSE(std::filesystem::exists(Carried()));
    EXPECT_TRUE(Peek(*dlg).m_strLastName.empty()) << "Listen then offers the installed names";
}

TEST_F(InstallSavedTest, DamagedArchiveIsNotDeleted)
{
    std::filesystem::create_directories(Carried().parent_path());
    std::ofstream(Carried()) << "PK but nothing more";
    script.ExpectFileOpen(WindowsPath(Carried()));
    EXPECT_EQ(ZipErrorCentralDirNotFound, ziptest::ZipErrorOf([&] { dlg->OnInstall(); }));
    EXPECT_TRUE(std::filesystem::exists(Carried()));
    EXPECT_FALSE(Peek(*dlg).m_notice.GetSafeHwnd());
}

// The box said only "Damaged or not a zip file" and the like: the user could not tell which file.
TEST_F(InstallSavedTest, DamagedArchiveIsNamedInTheErrorBox)
{
    std::filesystem::create_directories(Carried().parent_path());
    std::string bytes = ReadText(transfer);
    bytes[bytes.size() / 3] ^= 0x5A; // inside the first recording's data
    std::ofstream(Carried(), std::ios::binary) << bytes;
    script.ExpectFileOpen(WindowsPath(Carried()));
    script.ExpectBox("Error in " + WindowsPath(Carried()) + ": Crc mismatched", AfxGetAppName(),
                     MB_OK | MB_ICONEXCLAMATION);
    Peek(*dlg).m_btnInstall.Click();
    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(std::filesystem::exists(names / "Anna.wav"));
}

} // namespace
