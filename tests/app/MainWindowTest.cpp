// The main window right after start: every control's state and place, tab order, system menu, icon.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <filesystem>

#include "app/CMainDlg.h"
#include "app/IconPlacement.h"
#include "platform/fs/WinPath.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/linux/SystemMenu.h"
#include "platform/ui/linux/WidgetOf.h"
#include "tests/support/ModalScript.h"
#include "tests/app/MainWindowControls.h"
#include "tests/support/ScratchDir.h"
#include "tests/support/MainDlgTestAccess.h"

namespace {

// Pixels from dialog units at the 6 x 13 base units of the 8-point dialog font, rounded half up.
int PixelsX(int units)
{
    return (units * 6 + 2) / 4;
}
int PixelsY(int units)
{
    return (units * 13 + 4) / 8;
}

class MainWindow : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dlg.Create(IDD_MAIN_DIALOG)); }
    void TearDown() override { dlg.DestroyWindow(); }
    CMainDlg dlg;
};

class MainWindowControl : public MainWindow, public testing::WithParamInterface<ControlRow>
{
};

TEST_P(MainWindowControl, StartsWithTheTemplatesCaptionPlaceAndState)
{
    const ControlRow row = GetParam();
    CWnd* control = dlg.GetDlgItem(row.id);
    ASSERT_NE(control, nullptr) << row.id;
    EXPECT_EQ(control->GetWindowText(), row.caption);
    EXPECT_EQ(control->IsWindowEnabled() != FALSE, row.enabled);
    EXPECT_TRUE(control->IsWindowVisible());
    CRect rect;
    control->GetWindowRect(&rect);
    dlg.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(PixelsX(row.x), PixelsY(row.y), PixelsX(row.x) + PixelsX(row.cx),
                          PixelsY(row.y) + PixelsY(row.cy)));
}

INSTANTIATE_TEST_SUITE_P(Template, MainWindowControl, testing::ValuesIn(kMainWindowControls),
                         [](const testing::TestParamInfo<ControlRow>& row) {
                             return "Id" + std::to_string(row.param.id);
                         });

TEST_F(MainWindow, HasTheTemplatesCaptionAndClientSize)
{
    EXPECT_EQ(dlg.GetWindowText(), "Velmora Name File Installer");
    CRect client;
    dlg.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, PixelsX(372), PixelsY(334)));
}

TEST_F(MainWindow, OpensWithNothingChosenAndEverythingEmpty)
{
    EXPECT_EQ(Peek(dlg).m_btnScenarioWeb.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(Peek(dlg).m_btnScenarioOffline.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(Peek(dlg).m_listNames.GetItemCount(), 0);
    EXPECT_EQ(Peek(dlg).m_editSaveLocation.GetWindowText(), "");
    EXPECT_EQ(Peek(dlg).m_editVelmoraLocation.GetWindowText(), "");
    EXPECT_TRUE(Peek(dlg).m_editSaveLocation.GetReadOnly());
    EXPECT_TRUE(Peek(dlg).m_editVelmoraLocation.GetReadOnly());
    EXPECT_TRUE(Peek(dlg).m_bFirstChoice);
    EXPECT_FALSE(Peek(dlg).m_bWebScenario);
    EXPECT_FALSE(Peek(dlg).m_bNameListFetched);
    EXPECT_FALSE(Peek(dlg).m_bNameListShown);
    EXPECT_FALSE(Peek(dlg).m_bSavedForTransfer);
    EXPECT_EQ(Peek(dlg).m_strSearchText, "");
    EXPECT_EQ(Peek(dlg).m_requestForm.strRecordName, "");
    EXPECT_EQ(Peek(dlg).m_hPlayerWnd, nullptr);
    // Every bound control is attached.
    for (CWnd* member :
         {static_cast<CWnd*>(&Peek(dlg).m_btnListen), static_cast<CWnd*>(&Peek(dlg).m_editSearchText),
          static_cast<CWnd*>(&Peek(dlg).m_listNames), static_cast<CWnd*>(&Peek(dlg).m_lblChoosePrompt)})
        EXPECT_NE(WidgetOf(member), nullptr);
    EXPECT_EQ(dlg.GetDlgItem(IDC_NAME_LIST), &Peek(dlg).m_listNames);
}

TEST_F(MainWindow, FocusStartsOnCloseAndTabVisitsTheTabStopsInTemplateOrder)
{
    QWidget* close = WidgetOf(dlg.GetDlgItem(IDCANCEL));
    EXPECT_EQ(WidgetOf(&dlg)->focusWidget(), close);
    std::vector<int> order;
    QWidget* w = close;
    do {
        if ((w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->parentWidget() == WidgetOf(&dlg))
            order.push_back(w->property("zentrimo.ctrlId").toInt());
        w = w->nextInFocusChain();
    } while (w != close);
    EXPECT_EQ(order, (std::vector<int>{IDCANCEL, IDC_INSTRUCTIONS, IDC_SEARCH_TEXT, IDC_NAME_LIST,
                                       IDC_BROWSE_SAVE, IDC_DOWNLOAD_SAVE, IDC_BROWSE_VELMORA, IDC_INSTALL,
                                       IDC_REQUEST_NEW_NAME, IDC_LISTEN}));
}

TEST_F(MainWindow, SystemMenuEndsWithASeparatorAndTheAboutEntry)
{
    CMenu* menu = dlg.GetSystemMenu(FALSE);
    ASSERT_NE(menu, nullptr);
    const int count = static_cast<int>(menu->GetMenuItemCount());
    ASSERT_GE(count, 3);
    EXPECT_TRUE(menu->Items()[static_cast<size_t>(count - 2)].flags & MF_SEPARATOR);
    EXPECT_EQ(menu->GetMenuItemID(count - 1), static_cast<UINT>(IDM_ABOUTBOX));
    std::string text;
    menu->GetMenuString(static_cast<UINT>(count - 1), text, MF_BYPOSITION);
    EXPECT_EQ(text, "&About Zentrimo...");
    // The default entries stay in front of them.
    EXPECT_EQ(menu->GetMenuItemID(count - 3), SC_CLOSE);
}

TEST_F(MainWindow, ChoosingAboutInTheSystemMenuOpensTheAboutBox)
{
    ModalScript script;
    std::vector<std::string> texts;
    script.ExpectDialog(IDD_ABOUTBOX, [&](CDialog& about) {
        texts.push_back(about.GetWindowText());
        texts.push_back(about.GetDlgItem(IDOK)->GetWindowText());
        static_cast<CButton*>(about.GetDlgItem(IDOK))->Click();
    });
    std::unique_ptr<QMenu> popup(ui::BuildSystemMenuPopup(dlg));
    ASSERT_NE(popup, nullptr);
    popup->actions().back()->trigger();
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(texts, (std::vector<std::string>{"About Zentrimo", "OK"}));
}

TEST_F(MainWindow, OtherSystemCommandsGetTheDefaultProcessing)
{
    dlg.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(dlg.IsIconic());
    dlg.SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(dlg.IsIconic());
    dlg.SendMessage(WM_SYSCOMMAND, SC_CLOSE | 0x0002, 0); // the low bits are the system's own
    EXPECT_TRUE(dlg.IsEnded());                           // closed through the cancel command
}

TEST_F(MainWindow, CarriesTheApplicationIconLargeSmallAndForDragging)
{
    ASSERT_NE(Peek(dlg).m_hIcon, nullptr);
    EXPECT_EQ(dlg.GetIcon(TRUE), Peek(dlg).m_hIcon);
    EXPECT_EQ(dlg.GetIcon(FALSE), Peek(dlg).m_hIcon);
    EXPECT_EQ(reinterpret_cast<HICON>(dlg.SendMessage(WM_QUERYDRAGICON)), Peek(dlg).m_hIcon);
    const QList<QSize> sizes = WidgetOf(&dlg)->windowIcon().availableSizes();
    EXPECT_TRUE(sizes.contains(QSize(32, 32)));
    EXPECT_TRUE(sizes.contains(QSize(16, 16)));
}

TEST(MainWindowModal, TheCloseButtonEndsTheModalRunWithCancel)
{
    ModalScript script;
    script.ExpectDialog(IDD_MAIN_DIALOG,
                        [](CDialog& d) { static_cast<CButton*>(d.GetDlgItem(IDCANCEL))->Click(); });
    CMainDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

// The main window has no OK command: Enter after typing a name, in the list or from the keypad
// leaves it open, and Escape still ends it through the cancel command, which on the offline road
// copies the program beside the saved names and shows its reminder.
TEST(MainWindowModal, EnterDoesNotEndTheMainWindow)
{
    ScratchDir save("save");
    ModalScript script;
    bool endedByEnter = true;
    script.ExpectDialog(IDD_MAIN_DIALOG, [&](CDialog& d) {
        auto& main = static_cast<CMainDlg&>(d);
        Peek(main).m_bSavedForTransfer = true; // a name was saved for transfer
        Peek(main).m_editSaveLocation.SetWindowText(winpath::ToWindows(save.Path()) + "\\");
        Peek(main).m_editSearchText.EnableWindow(TRUE);
        Peek(main).m_listNames.EnableWindow(TRUE);
        QWidget* search = WidgetOf(&Peek(main).m_editSearchText);
        search->setFocus();
        for (QChar c : QString::fromUtf8("Zo\u00eb")) { // as a keyboard with that letter types it
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(search, &press);
        }
        QTest::keyClick(search, Qt::Key_Return);
        QTest::keyClick(search, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClick(WidgetOf(&Peek(main).m_listNames), Qt::Key_Return);
        endedByEnter = main.IsEnded();
        EXPECT_EQ(Peek(main).m_editSearchText.GetWindowText(), "Zo\u00eb");
        script.ExpectBox(
            "Now take this program, along with the \"VMRNames.zip\" file (both will be found in your "
            "save location), to your computer with the Velmora to complete the installation process.",
            "Instructions");
        QTest::keyClick(search, Qt::Key_Escape);
    });
    CMainDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_FALSE(endedByEnter);
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(std::filesystem::exists(save.Path() / "app_tests")); // the program's copy
}

struct IconCase
{
    long width, height;
    long x, y;
};

class MinimisedIcon : public testing::TestWithParam<IconCase>
{
};

TEST_P(MinimisedIcon, IsCentredWithTruncatingHalves)
{
    const IconCase c = GetParam();
    EXPECT_EQ(CenteredIconOrigin(CRect(0, 0, c.width, c.height), 32, 32), CPoint(c.x, c.y));
}

INSTANTIATE_TEST_SUITE_P(Sizes, MinimisedIcon,
                         testing::Values(IconCase{32, 32, 0, 0}, IconCase{36, 36, 2, 2},
                                         IconCase{37, 38, 3, 3}, IconCase{160, 24, 64, -3},
                                         IconCase{0, 0, -15, -15}));

} // namespace
