// The main window as a system dialog from template 102: its controls and states, the About entry in
// the window's real system menu, boxes and dialogs answered through the modal driver.
#include <gtest/gtest.h>

#include <vector>

#include "app/CMainDlg.h"
#include "platform/ui/Resources.h"
#include "platform/ui/windows/WideText.h"
#include "tests/app/MainWindowControls.h"
#include "tests/support/ModalScript.h"
#include "tests/support/MainDlgTestAccess.h"

// Readable rectangles in failure messages.
static void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ")-(" << r.right << ", " << r.bottom << ")";
}

namespace {

// Where the dialog manager puts a control: origin and size each converted from dialog units.
CRect PixelRect(const CDialog& dialog, int x, int y, int cx, int cy)
{
    CRect units(x, y, cx, cy);
    dialog.MapDialogRect(units);
    return CRect(units.left, units.top, units.left + units.right, units.top + units.bottom);
}

class MainWindowWin32 : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dlg.Create(IDD_MAIN_DIALOG)); }
    void TearDown() override { dlg.DestroyWindow(); }
    CMainDlg dlg;
};

class MainWindowWin32Control : public MainWindowWin32, public testing::WithParamInterface<ControlRow>
{
};

// The system converts dialog units with the dialog font: the control sits where MapDialogRect says.
TEST_P(MainWindowWin32Control, StartsWithTheTemplatesCaptionPlaceAndState)
{
    const ControlRow row = GetParam();
    HWND control = ::GetDlgItem(dlg.GetSafeHwnd(), row.id);
    ASSERT_NE(control, nullptr) << row.id;
    EXPECT_EQ(ui::detail::WindowText(control), row.caption);
    EXPECT_EQ(::IsWindowEnabled(control) != FALSE, row.enabled);
    EXPECT_TRUE(::IsWindowVisible(control));
    const CRect expected = PixelRect(dlg, row.x, row.y, row.cx, row.cy);
    RECT actual{};
    ::GetWindowRect(control, &actual);
    MapWindowPoints(nullptr, dlg.GetSafeHwnd(), reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(CRect(actual.left, actual.top, actual.right, actual.bottom), expected);
}

INSTANTIATE_TEST_SUITE_P(Template, MainWindowWin32Control, testing::ValuesIn(kMainWindowControls),
                         [](const testing::TestParamInfo<ControlRow>& row) {
                             return "Id" + std::to_string(row.param.id);
                         });

TEST_F(MainWindowWin32, IsTheVelmoraNameFileInstallerWithTheTemplatesSize)
{
    EXPECT_EQ(ui::detail::WindowText(dlg.GetSafeHwnd()), "Velmora Name File Installer");
    CRect expected(0, 0, 372, 334);
    dlg.MapDialogRect(expected);
    RECT client{};
    ::GetClientRect(dlg.GetSafeHwnd(), &client);
    EXPECT_EQ(client.right, expected.right);
    EXPECT_EQ(client.bottom, expected.bottom);
    EXPECT_EQ(Peek(dlg).m_btnScenarioWeb.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(Peek(dlg).m_btnScenarioOffline.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(Peek(dlg).m_listNames.GetItemCount(), 0);
    EXPECT_TRUE(Peek(dlg).m_editVelmoraLocation.GetReadOnly());
}

TEST_F(MainWindowWin32, TheRealSystemMenuEndsWithASeparatorAndTheAboutEntry)
{
    HMENU menu = ::GetSystemMenu(dlg.GetSafeHwnd(), FALSE);
    ASSERT_NE(menu, nullptr);
    const int count = ::GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(::GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
    wchar_t text[64] = {};
    ::GetMenuStringW(menu, count - 1, text, 64, MF_BYPOSITION);
    EXPECT_EQ(std::wstring(text), L"&About Zentrimo...");
    MENUITEMINFOW separator{};
    separator.cbSize = sizeof separator;
    separator.fMask = MIIM_FTYPE;
    ASSERT_TRUE(::GetMenuItemInfoW(menu, static_cast<UINT>(count - 2), TRUE, &separator));
    EXPECT_TRUE(separator.fType & MFT_SEPARATOR);
}

TEST_F(MainWindowWin32, ChoosingAboutInTheSystemMenuOpensTheAboutBox)
{
    ModalScript script;
    std::string version;
    script.ExpectDialog(IDD_ABOUTBOX, [&](CDialog& about) {
        EXPECT_TRUE(::IsWindowVisible(about.GetSafeHwnd()));
        EXPECT_FALSE(::IsWindowEnabled(dlg.GetSafeHwnd())); // the owner waits for the box
        version = about.GetWindowText();
        static_cast<CButton*>(about.GetDlgItem(IDOK))->Click();
    });
    // As the system menu sends it when the entry is chosen.
    ::SendMessageW(dlg.GetSafeHwnd(), WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(version, "About Zentrimo");
    EXPECT_TRUE(::IsWindowEnabled(dlg.GetSafeHwnd()));
}

TEST_F(MainWindowWin32, CarriesTheApplicationIcon)
{
    EXPECT_NE(dlg.GetIcon(TRUE), nullptr);
    EXPECT_EQ(dlg.GetIcon(TRUE), AfxLoadIcon(IDR_MAINFRAME));
}

TEST(MainWindowWin32Modal, TheCloseButtonEndsTheModalRunWithCancel)
{
    ModalScript script;
    script.ExpectDialog(IDD_MAIN_DIALOG,
                        [](CDialog& d) { static_cast<CButton*>(d.GetDlgItem(IDCANCEL))->Click(); });
    CMainDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(script.Finished());
}

// The dialog manager gives the focus to the first tab stop and walks the tab stops in template order,
// passing over the disabled ones.
TEST(MainWindowWin32Modal, FocusStartsOnCloseAndTabVisitsTheTabStopsInTemplateOrder)
{
    ModalScript script;
    std::vector<int> order;
    HWND focus = nullptr, close = nullptr, afterClose = nullptr, instructions = nullptr,
         afterInstructions = nullptr;
    script.ExpectDialog(IDD_MAIN_DIALOG, [&](CDialog& d) {
        HWND window = d.GetSafeHwnd();
        focus = ::GetFocus();
        close = ::GetDlgItem(window, IDCANCEL);
        instructions = ::GetDlgItem(window, IDC_INSTRUCTIONS);
        for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            if (::GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP)
                order.push_back(::GetDlgCtrlID(child));
        afterClose = ::GetNextDlgTabItem(window, close, FALSE);
        afterInstructions = ::GetNextDlgTabItem(window, instructions, FALSE);
        static_cast<CButton*>(d.GetDlgItem(IDCANCEL))->Click();
    });
    CMainDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_EQ(focus, close);
    EXPECT_EQ(order, (std::vector<int>{IDCANCEL, IDC_INSTRUCTIONS, IDC_SEARCH_TEXT, IDC_NAME_LIST,
                                       IDC_BROWSE_SAVE, IDC_DOWNLOAD_SAVE, IDC_BROWSE_VELMORA, IDC_INSTALL,
                                       IDC_REQUEST_NEW_NAME, IDC_LISTEN}));
    EXPECT_EQ(afterClose, instructions);
    EXPECT_EQ(afterInstructions, close) << "the rest is disabled before a choice";
}

// The dialog manager turns Enter into IDOK; the main window has no OK command, so a name typed and
// entered keeps the window (and the offline road's copy of the program) alive.
TEST(MainWindowWin32Modal, EnterDoesNotEndTheMainWindow)
{
    ModalScript script;
    script.ExpectDialog(IDD_MAIN_DIALOG, [](CDialog& d) {
        d.SetDlgItemText(IDC_SEARCH_TEXT, "Zo\xc3\xab");
        ::SendMessageW(d.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        EXPECT_TRUE(::IsWindow(d.GetSafeHwnd()));
        EXPECT_TRUE(::IsWindowVisible(d.GetSafeHwnd()));
        static_cast<CButton*>(d.GetDlgItem(IDCANCEL))->Click();
    });
    CMainDlg dlg;
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_TRUE(script.Finished());
}

} // namespace
