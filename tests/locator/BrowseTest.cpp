// The two Browse buttons: the picker's options, the check for the executable, cancelling.
#include <gtest/gtest.h>

#include "tests/support/MainWindowFixture.h"
#include "tests/support/MainDlgTestAccess.h"

namespace {

using BrowseTest = MainWindowTest;

} // namespace

TEST_F(BrowseTest, VelmoraFolderWithTheExecutableGoesIntoTheBoxWithItsBackslash)
{
    PlaceVelmora("Apps\\Velmora");
    Open();
    script.ExpectFolderPicker("C:\\Apps\\Velmora");
    dlg->OnBrowseVelmora();
    ASSERT_EQ(script.folderPickers.size(), 1u);
    EXPECT_EQ(script.folderPickers[0].title, "Please select the folder in which the Velmora is installed.");
    EXPECT_EQ(script.folderPickers[0].flags, BIF_EDITBOX);
    EXPECT_EQ(script.folderPickers[0].owner, nullptr);
    EXPECT_EQ(Text(IDC_VELMORA_LOCATION), "C:\\Apps\\Velmora\\");
    EXPECT_TRUE(Peek(*dlg).m_strVelmoraFolder.empty()); // the member is the locator's alone
}

TEST_F(BrowseTest, VelmoraFolderWithoutTheExecutableIsRefusedAndTheBoxKept)
{
    PlaceVelmora("Apps\\Velmora");
    std::filesystem::create_directories(prefix.DriveC() / "Empty");
    Open();
    script.ExpectFolderPicker("C:\\Apps\\Velmora\\");
    dlg->OnBrowseVelmora();
    script.ExpectFolderPicker("C:\\Empty");
    script.ExpectBox("Cannot find the Velmora in this directory.  Please choose another folder.",
                     "VMR Not Found");
    dlg->OnBrowseVelmora();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(Text(IDC_VELMORA_LOCATION), "C:\\Apps\\Velmora\\");
}

TEST_F(BrowseTest, CancelledPickersChangeNothing)
{
    Open();
    Peek(*dlg).m_editVelmoraLocation.SetWindowText("C:\\Before\\");
    Peek(*dlg).m_editSaveLocation.SetWindowText("D:\\Before\\");
    script.ExpectFolderPicker(std::nullopt);
    dlg->OnBrowseVelmora();
    script.ExpectFolderPicker(std::nullopt);
    dlg->OnBrowseSave();
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(script.boxes.empty());
    EXPECT_EQ(Text(IDC_VELMORA_LOCATION), "C:\\Before\\");
    EXPECT_EQ(Text(IDC_SAVE_LOCATION), "D:\\Before\\");
}

TEST_F(BrowseTest, SaveFolderIsTakenUncheckedWithItsBackslash)
{
    Open();
    script.ExpectFolderPicker("Z:\\tmp");
    dlg->OnBrowseSave();
    ASSERT_EQ(script.folderPickers.size(), 1u);
    EXPECT_EQ(script.folderPickers[0].flags, BIF_EDITBOX);
    EXPECT_FALSE(script.folderPickers[0].title.empty());
    EXPECT_EQ(Text(IDC_SAVE_LOCATION), "Z:\\tmp\\");
    script.ExpectFolderPicker("Z:\\");
    dlg->OnBrowseSave();
    EXPECT_EQ(Text(IDC_SAVE_LOCATION), "Z:\\");
    EXPECT_TRUE(script.boxes.empty());
}
