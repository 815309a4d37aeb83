// The scenario choice on the real main window: every transition, the layouts and the 30-pixel move, on
// both builds, against the service's sample catalogue.
#include <gtest/gtest.h>

#include "tests/support/SampleRoadFixture.h"

#include <cstdlib>

#include "platform/fs/FileSystem.h"
#include "tests/support/MainDlgTestAccess.h"

namespace {

constexpr int kVelmoraRow[] = {IDC_BROWSE_VELMORA, IDC_VELMORA_LOCATION_LABEL, IDC_INSTALL,
                               IDC_VELMORA_LOCATION};
constexpr int kSaveRow[] = {IDC_DOWNLOAD_SAVE, IDC_BROWSE_SAVE, IDC_SAVE_LOCATION, IDC_SAVE_LOCATION_LABEL};
constexpr int kSearchGroup[] = {IDC_SEARCH_TEXT, IDC_NAME_LIST, IDC_REQUEST_NEW_NAME};

const char* const kNotFound =
    "The Velmora was not found on this system.  Please locate your Velmora installation "
    "before attempting to download any names";
const char* const kNoConnection =
    "Unable to connect to the internet.  Please check your connection and try again later.";
const char* const kNeither =
    "This program could find neither the Velmora nor an internet connection on this "
    "computer.  You must have one or the other in order for this program to be effective.";

class ScenarioTest : public SampleRoadTest
{
protected:
    int Selected() { return Peek(*dlg).m_listNames.GetNextItem(-1, LVNI_SELECTED); }
    // Nothing was fetched: the list is empty and counts as not fetched.
    void ExpectNothingFetched()
    {
        EXPECT_FALSE(Peek(*dlg).m_bNameListFetched);
        EXPECT_EQ(0, Peek(*dlg).m_listNames.GetItemCount());
    }
};

} // namespace

TEST_F(ScenarioTest, WebChoiceWithoutVelmoraSearchesWarnsAndSearchesAgainNextTime)
{
    OpenWindow();
    script.ExpectBox(kNotFound, "VMR Not Found");
    ClickWeb();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(sockets.starts, 0); // no probe
    EXPECT_EQ(Peek(*dlg).m_btnScenarioWeb.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(Peek(*dlg).m_btnScenarioOffline.GetCheck(), BST_UNCHECKED);
    EXPECT_TRUE(Peek(*dlg).m_bFirstChoice);
    EXPECT_FALSE(Enabled(IDC_SEARCH_TEXT));
    ExpectInvariant();

    // Installed meanwhile: the second click searches again and finds it.
    computer.InstallVelmora();
    ClickWeb();
    EXPECT_EQ(Text(IDC_VELMORA_LOCATION), computer.VelmoraLocation());
    EXPECT_TRUE(Peek(*dlg).m_bWebScenario);
    EXPECT_FALSE(Peek(*dlg).m_bFirstChoice);
    EXPECT_EQ(sockets.starts, 1);
    ExpectInvariant();
}

TEST_F(ScenarioTest, WebChoiceWithoutConnectionFillsTheBoxWarnsAndProbesAgainNextTime)
{
    computer.InstallVelmora();
    sockets.connected = false;
    OpenWindow();
    script.ExpectBox(kNoConnection, "Connection Problem");
    ClickWeb();
    EXPECT_EQ(Text(IDC_VELMORA_LOCATION), computer.VelmoraLocation());
    EXPECT_EQ(Peek(*dlg).m_btnScenarioWeb.GetCheck(), BST_UNCHECKED);
    EXPECT_TRUE(Peek(*dlg).m_bFirstChoice);
    EXPECT_EQ(sockets.starts, 1);
    EXPECT_EQ(sockets.cleanups, 1);
    ExpectNothingFetched();

    sockets.connected = true;
    ClickWeb();
    EXPECT_EQ(sockets.starts, 2);
    EXPECT_TRUE(Peek(*dlg).m_bWebScenario);
    ExpectInvariant();
}

TEST_F(ScenarioTest, WebChoiceFoundAndConnectedShowsTheWebLayout)
{
    computer.InstallVelmora();
    OpenWindow();
    const CRect before = Place(IDC_VELMORA_LOCATION);
    ClickWeb();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(Text(IDC_INSTALL), "Download and Install Name");
    for (int id : kSaveRow)
        EXPECT_FALSE(Visible(id)) << id;
    for (int id : kVelmoraRow)
        EXPECT_TRUE(Enabled(id)) << id;
    for (int id : kSearchGroup)
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(IDC_LISTEN));
    EXPECT_EQ(Place(IDC_VELMORA_LOCATION).top, before.top - 30);
    EXPECT_EQ(Place(IDC_VELMORA_LOCATION).Height(), before.Height());
    EXPECT_TRUE(Peek(*dlg).m_bNameListFetched);
    EXPECT_TRUE(Peek(*dlg).m_bNameListShown);
    EXPECT_EQ(Peek(*dlg).m_btnScenarioOffline.GetCheck(), BST_UNCHECKED);
    ExpectInvariant();
}

TEST_F(ScenarioTest, OfflineChoiceWithVelmoraAndNoConnectionEnablesOnlyTheVelmoraRow)
{
    computer.InstallVelmora();
    sockets.connected = false;
    OpenWindow();
    ClickOffline();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(sockets.starts, 1);
    for (int id : kVelmoraRow)
        EXPECT_TRUE(Enabled(id)) << id;
    for (int id : kSearchGroup)
        EXPECT_FALSE(Enabled(id)) << id;
    for (int id : kSaveRow) {
        EXPECT_FALSE(Enabled(id)) << id;
        EXPECT_TRUE(Visible(id)) << id;
    }
    EXPECT_FALSE(Enabled(IDC_LISTEN));
    EXPECT_EQ(Text(IDC_INSTALL), "Install Saved Name");
    EXPECT_EQ(Text(IDC_VELMORA_LOCATION), computer.VelmoraLocation());
    EXPECT_EQ(Text(IDC_SAVE_LOCATION), "");
    ExpectNothingFetched();
    EXPECT_FALSE(Peek(*dlg).m_bFirstChoice);
    EXPECT_FALSE(Peek(*dlg).m_bWebScenario);
    ExpectInvariant();
}

TEST_F(ScenarioTest, OfflineChoiceConnectedWithoutVelmoraShowsListAndModuleFolder)
{
    OpenWindow();
    ClickOffline();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(sockets.starts, 1);
    EXPECT_EQ(Text(IDC_SAVE_LOCATION), Peek(*dlg).m_strModuleFolder);
    ASSERT_FALSE(Peek(*dlg).m_strModuleFolder.empty());
    EXPECT_EQ(Peek(*dlg).m_strModuleFolder.back(), '\\');
    for (int id : kVelmoraRow)
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_EQ(Text(IDC_VELMORA_LOCATION), "");
    for (int id : kSaveRow)
        EXPECT_TRUE(Enabled(id) && Visible(id)) << id;
    for (int id : kSearchGroup)
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(IDC_LISTEN));
    EXPECT_TRUE(Peek(*dlg).m_bNameListFetched);
    EXPECT_TRUE(Peek(*dlg).m_bNameListShown);
    ExpectInvariant();
}

TEST_F(ScenarioTest, OfflineChoiceWithNeitherWarnsAndStaysAtTheFirstChoice)
{
    sockets.connected = false;
    OpenWindow();
    script.ExpectBox(kNeither, "Error");
    ClickOffline();
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(Peek(*dlg).m_bFirstChoice);
    EXPECT_EQ(Peek(*dlg).m_btnScenarioOffline.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(Peek(*dlg).m_btnScenarioWeb.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(Text(IDC_INSTALL), "Install Saved Names"); // the template's caption, untouched
    script.ExpectBox(kNeither, "Error");
    ClickOffline();
    EXPECT_EQ(sockets.starts, 2);
}

TEST_F(ScenarioTest, SwitchingWebOfflineWebMovesTheVelmoraRowThirtyPixelsEachWay)
{
    computer.InstallVelmora();
    OpenWindow();
    std::vector<CRect> template_;
    for (int id : kVelmoraRow)
        template_.push_back(Place(id));
    auto expectShift = [&](int shift, const char* when) {
        for (size_t i = 0; i < std::size(kVelmoraRow); ++i) {
            const CRect now = Place(kVelmoraRow[i]);
            EXPECT_EQ(now.top, template_[i].top + shift) << when << " control " << kVelmoraRow[i];
            EXPECT_EQ(now.left, template_[i].left) << when;
            EXPECT_EQ(now.Width(), template_[i].Width()) << when;
            EXPECT_EQ(now.Height(), template_[i].Height()) << when;
        }
    };
    ClickWeb();
    expectShift(-30, "web");
    // A second fetch would refill the list and lose the selection.
    Peek(*dlg).m_listNames.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    ClickOffline();
    expectShift(0, "offline");
    for (int id : kSaveRow)
        EXPECT_TRUE(Visible(id) && Enabled(id)) << id;
    EXPECT_EQ(Peek(*dlg).m_btnScenarioWeb.GetCheck(), BST_UNCHECKED);
    ClickWeb();
    expectShift(-30, "web again");
    ClickWeb(); // the active scenario's button: nothing moves
    expectShift(-30, "web clicked twice");
    EXPECT_EQ(Selected(), 3) << "fetched and filled once in the run";
    EXPECT_EQ(sockets.starts, 1) << "probed once in the run";
    ExpectInvariant();
}

// An installed copy proposed its own folder (/usr/bin, C:\Program Files\Zentrimo) for the archive: a user's
// first save there was refused, root's wrote VMRNames.zip among the system's programs.
TEST_F(ScenarioTest, InstalledCopyProposesTheDocumentsFolderForSaving)
{
    OpenWindow();
#ifdef _WIN32
    const char* programFiles = std::getenv("ProgramFiles");
    ASSERT_NE(programFiles, nullptr);
    Peek(*dlg).m_strModuleFolder = std::string(programFiles) + "\\Zentrimo\\";
#else
    Peek(*dlg).m_strModuleFolder = "Z:\\usr\\bin\\";
#endif
    ASSERT_TRUE(IsSystemFolder(Peek(*dlg).m_strModuleFolder));
    ClickOffline();
    EXPECT_TRUE(script.Finished());
    const std::string documents = GetDocumentsFolder();
    ASSERT_FALSE(documents.empty());
    EXPECT_TRUE(FolderExists(documents)) << documents;
    EXPECT_EQ(Text(IDC_SAVE_LOCATION), documents);
    EXPECT_FALSE(IsSystemFolder(documents));
    EXPECT_FALSE(IsSystemFolder(computer.ProgramLocation())) << "a folder of the user's own";
}

TEST_F(ScenarioTest, EachSwitchRefillsTheBoxesFromTheLocatorAndTheModuleFolder)
{
    computer.InstallVelmora();
    const std::string other = computer.PlaceVelmoraCopy("Other");
    OpenWindow();
    ClickWeb();
    script.ExpectFolderPicker(other);
    dlg->OnBrowseVelmora();
    EXPECT_EQ(Text(IDC_VELMORA_LOCATION), other + "\\");
    ClickOffline();
    EXPECT_EQ(Text(IDC_VELMORA_LOCATION), computer.VelmoraLocation());
    EXPECT_EQ(Text(IDC_SAVE_LOCATION), Peek(*dlg).m_strModuleFolder);

    script.ExpectFolderPicker(other);
    dlg->OnBrowseSave();
    EXPECT_EQ(Text(IDC_SAVE_LOCATION), other + "\\");
    ClickWeb();
    ClickOffline();
    EXPECT_EQ(Text(IDC_SAVE_LOCATION), Peek(*dlg).m_strModuleFolder);
    EXPECT_TRUE(script.Finished());
}

TEST_F(ScenarioTest, OfflineClickInTheOfflineLayoutOnlyClearsTheWebButton)
{
    computer.InstallVelmora();
    OpenWindow();
    ClickOffline();
    const CRect place = Place(IDC_VELMORA_LOCATION);
    Peek(*dlg).m_btnScenarioWeb.SetCheck(BST_CHECKED);
    dlg->OnScenarioOffline();
    EXPECT_EQ(Peek(*dlg).m_btnScenarioWeb.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(Place(IDC_VELMORA_LOCATION), place);
    EXPECT_EQ(sockets.starts, 1);
}

TEST_F(ScenarioTest, WebNotificationWhileTheButtonIsUncheckedChangesNothing)
{
    computer.InstallVelmora();
    OpenWindow();
    dlg->OnScenarioWeb();
    EXPECT_TRUE(Peek(*dlg).m_bFirstChoice);
    EXPECT_TRUE(Peek(*dlg).m_strVelmoraFolder.empty());
    EXPECT_EQ(sockets.starts, 0);
    EXPECT_EQ(Text(IDC_VELMORA_LOCATION), "");
}

TEST_F(ScenarioTest, TheProbeShowsItsNoticeForTheWholeLookupOnly)
{
    computer.InstallVelmora();
    OpenWindow();
    std::string shown;
    sockets.duringLookup = [&] {
        ASSERT_NE(Peek(*dlg).m_notice.GetSafeHwnd(), nullptr);
        EXPECT_TRUE(Peek(*dlg).m_notice.IsWindowVisible());
        shown = Peek(*dlg).m_notice.GetDlgItem(IDC_NOTICE_TEXT)->GetWindowText();
    };
    ClickWeb();
    EXPECT_EQ(sockets.lookups, 1);
    EXPECT_EQ(shown, "Testing internet connection.  This process may take a minute, please be patient...");
    EXPECT_EQ(Peek(*dlg).m_notice.GetSafeHwnd(), nullptr);
}
