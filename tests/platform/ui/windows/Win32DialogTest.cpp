// The dialog layer on Win32: templates become system dialogs, the dialog procedure feeds the message
// tables, the modal driver answers runs, the system menu is the real one.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/ui/CMenu.h"
#include "platform/ui/CStatic.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/windows/WideText.h"
#include "tests/platform/ui/TestForm.h"
#include "tests/support/ModalScript.h"

namespace {

std::wstring ClassOf(HWND hWnd)
{
    wchar_t name[64] = {};
    GetClassNameW(hWnd, name, 64);
    return name;
}

// A test form created modeless for the length of a test.
struct OpenForm
{
    TestForm form;
    OpenForm() { EXPECT_TRUE(form.Create(IDD_TEST_FORM)); }
    ~OpenForm() { form.DestroyWindow(); }
    HWND Item(int id) const { return ::GetDlgItem(form.GetSafeHwnd(), id); }
};

TEST(Win32Dialog, TemplateBecomesASystemDialogWithItsControls)
{
    OpenForm open;
    HWND dialog = open.form.GetSafeHwnd();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ClassOf(dialog), L"#32770");
    EXPECT_EQ(open.form.GetWindowText(), "Form");
    EXPECT_EQ(ClassOf(open.Item(IDOK)), L"Button");
    EXPECT_EQ(ClassOf(open.Item(IDC_T_EDIT)), L"Edit");
    EXPECT_EQ(ClassOf(open.Item(IDC_T_LABEL)), L"Static");
    EXPECT_EQ(ClassOf(open.Item(IDC_T_LIST)), L"SysListView32");
    EXPECT_EQ(ui::detail::WindowText(open.Item(IDC_T_LABEL)), "Label & text");
    EXPECT_EQ(ui::detail::WindowText(open.Item(IDC_T_READONLY)), "fixed");
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_FALSE(IsWindowVisible(open.Item(IDC_T_HIDDEN)));
    EXPECT_FALSE(IsWindowEnabled(open.Item(IDC_T_DISABLED)));
    EXPECT_TRUE(static_cast<CEdit*>(open.form.GetDlgItem(IDC_T_READONLY))->GetReadOnly());
    const LONG listStyle = GetWindowLongW(open.Item(IDC_T_LIST), GWL_STYLE);
    EXPECT_EQ(listStyle & LVS_TYPEMASK, LVS_LIST);
    EXPECT_TRUE(listStyle & LVS_SINGLESEL);
    EXPECT_TRUE(listStyle & LVS_SHOWSELALWAYS);
}

TEST(Win32Dialog, DialogUnitsFollowTheDialogFont)
{
    OpenForm open;
    const CPoint units = open.form.GetBaseUnits();
    EXPECT_GT(units.x, 0);
    EXPECT_GT(units.y, 0);
    RECT client{};
    ::GetClientRect(open.form.GetSafeHwnd(), &client);
    EXPECT_EQ(client.right, MulDiv(230, units.x, 4));
    EXPECT_EQ(client.bottom, MulDiv(120, units.y, 8));
    // The push button at (120, 40) dialog units sits where MapDialogRect puts it.
    CRect expected(120, 40, 50, 14); // origin and size, each converted as the dialog manager does
    open.form.MapDialogRect(expected);
    expected.right += expected.left;
    expected.bottom += expected.top;
    RECT actual{};
    ::GetWindowRect(open.Item(IDC_T_PUSH), &actual);
    MapWindowPoints(nullptr, open.form.GetSafeHwnd(), reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);
}

TEST(Win32Dialog, IconStaticShowsTheTemplateIcon)
{
    OpenForm open;
    HWND icon = ::GetWindow(open.Item(IDC_T_DISABLED), GW_HWNDNEXT); // the group box
    icon = ::GetWindow(icon, GW_HWNDNEXT);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(icon, STM_GETICON, 0, 0)), AfxLoadIcon(IDI_TEST));
    EXPECT_NE(AfxLoadIcon(IDI_TEST), nullptr);
}

TEST(Win32Dialog, ControlNotificationsReachTheMessageTable)
{
    OpenForm open;
    static_cast<CButton*>(open.form.GetDlgItem(IDC_T_PUSH))->Click();
    open.form.GetDlgItem(IDC_T_EDIT)->SetWindowText("abc");
    // A real double click on the list view: the control itself raises NM_DBLCLK.
    HWND list = open.Item(IDC_T_LIST);
    ::SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ::SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    ::SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    const std::vector<std::string> expected = {"push", "change:abc", "dblclk:" + std::to_string(IDC_T_LIST)};
    EXPECT_EQ(open.form.events, expected);
}

TEST(Win32Dialog, SettingAnEditsTextAlwaysRaisesItsChangeNotice)
{
    OpenForm open;
    open.form.GetDlgItem(IDC_T_EDIT)->SetWindowText("same");
    open.form.GetDlgItem(IDC_T_EDIT)->SetWindowText("same");
    open.form.GetDlgItem(IDC_T_EDIT)->SetWindowText("");
    const std::vector<std::string> expected = {"change:same", "change:same", "change:"};
    EXPECT_EQ(open.form.events, expected);
}

TEST(Win32Dialog, DisabledButtonIgnoresClicks)
{
    OpenForm open;
    open.form.GetDlgItem(IDC_T_PUSH)->EnableWindow(FALSE);
    static_cast<CButton*>(open.form.GetDlgItem(IDC_T_PUSH))->Click();
    EXPECT_TRUE(open.form.events.empty());
}

TEST(Win32Dialog, AutoRadioButtonsCheckOnClick)
{
    OpenForm open;
    auto* b = static_cast<CButton*>(open.form.GetDlgItem(IDC_T_RADIO_B));
    b->Click();
    EXPECT_EQ(b->GetCheck(), BST_CHECKED);
    EXPECT_EQ(open.form.IsDlgButtonChecked(IDC_T_RADIO_B), static_cast<UINT>(BST_CHECKED));
    open.form.CheckDlgButton(IDC_T_RADIO_A, BST_CHECKED);
    EXPECT_EQ(open.form.m_radioA.GetCheck(), BST_CHECKED);
}

TEST(Win32Dialog, DataExchangeBindsControlsAndCopiesText)
{
    OpenForm open;
    EXPECT_EQ(open.form.m_edit.GetSafeHwnd(), open.Item(IDC_T_EDIT));
    open.form.m_strEdit = "from member";
    open.form.UpdateData(FALSE);
    EXPECT_EQ(ui::detail::WindowText(open.Item(IDC_T_EDIT)), "from member");
    ::SetWindowTextW(open.Item(IDC_T_EDIT), L"typed \u00e9");
    open.form.UpdateData(TRUE);
    EXPECT_EQ(open.form.m_strEdit, "typed \xC3\xA9");
}

TEST(Win32Dialog, DestroyingTheDialogDetachesBoundControls)
{
    TestForm form;
    ASSERT_TRUE(form.Create(IDD_TEST_FORM));
    HWND edit = form.m_edit.GetSafeHwnd();
    EXPECT_NE(edit, nullptr);
    EXPECT_EQ(CWnd::FromHandle(edit), &form.m_edit);
    form.DestroyWindow();
    EXPECT_EQ(form.m_edit.GetSafeHwnd(), nullptr);
    EXPECT_EQ(form.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(IsWindow(edit));
    ASSERT_TRUE(form.Create(IDD_TEST_FORM)); // and it can be created again
    EXPECT_NE(form.m_edit.GetSafeHwnd(), nullptr);
    form.DestroyWindow();
}

TEST(Win32Dialog, CloseBoxGoesThroughTheSystemCommandToCancel)
{
    OpenForm open;
    ::SendMessageW(open.form.GetSafeHwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    const std::vector<std::string> expected = {"syscommand:" + std::to_string(SC_CLOSE), "cancel"};
    EXPECT_EQ(open.form.events, expected);
    EXPECT_TRUE(open.form.IsEnded());
    EXPECT_FALSE(IsWindowVisible(open.form.GetSafeHwnd()));
}

TEST(Win32Dialog, EscapingExceptionIsReportedInABox)
{
    OpenForm open;
    open.form.onPush = [] { throw std::runtime_error("The list could not be read."); };
    ModalScript script;
    script.ExpectBox("The list could not be read.", AfxGetAppName(), MB_OK | MB_ICONEXCLAMATION);
    static_cast<CButton*>(open.form.GetDlgItem(IDC_T_PUSH))->Click();
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(IsWindow(open.form.GetSafeHwnd()));
}

TEST(Win32Dialog, ModalRunIsHandedToTheDriverShownAndEndsWithItsAnswer)
{
    ModalScript script;
    script.ExpectDialog(IDD_TEST_FORM, [](CDialog& d) {
        EXPECT_TRUE(IsWindowVisible(d.GetSafeHwnd()));
        d.SetDlgItemText(IDC_T_EDIT, "answered");
        static_cast<CButton*>(d.GetDlgItem(IDOK))->Click();
    });
    TestForm form;
    EXPECT_EQ(form.DoModal(), IDOK);
    EXPECT_EQ(form.m_strEdit, "answered"); // OnOK saved the controls before the window went
    EXPECT_EQ(form.GetSafeHwnd(), nullptr);
    EXPECT_TRUE(script.Finished());
}

TEST(Win32Dialog, ModalRunLeftUnansweredEndsWithMinusOne)
{
    ModalScript script;
    script.ExpectDialog(IDD_TEST_BOX, [](CDialog&) {});
    CDialog box(IDD_TEST_BOX);
    EXPECT_EQ(box.DoModal(), -1);
    CDialog missing(4242);
    EXPECT_EQ(missing.DoModal(), -1);
}

TEST(Win32Dialog, MessageBoxesGoToTheDriverWithTheirCaption)
{
    ModalScript script;
    script.ExpectBox("Saved.", "Zentrimo");
    script.ExpectBox("No caption given.", AfxGetAppName(), MB_ICONEXCLAMATION);
    OpenForm open;
    EXPECT_EQ(open.form.MessageBox("Saved.", "Zentrimo"), IDOK);
    EXPECT_EQ(AfxMessageBox("No caption given.", MB_ICONEXCLAMATION), IDOK);
    EXPECT_TRUE(script.Finished());
}

TEST(Win32Dialog, SystemMenuIsTheWindowsOwnAndTakesAppendedEntries)
{
    OpenForm open;
    CMenu* menu = open.form.GetSystemMenu(FALSE);
    ASSERT_NE(menu, nullptr);
    bool hasClose = false;
    for (const CMenu::Item& item : menu->Items())
        hasClose = hasClose || item.id == SC_CLOSE;
    EXPECT_TRUE(hasClose);
    HMENU real = ::GetSystemMenu(open.form.GetSafeHwnd(), FALSE);
    const int before = ::GetMenuItemCount(real);
    menu->AppendMenu(MF_SEPARATOR);
    menu->AppendMenu(MF_STRING, 0x0010, "&About Zentrimo...");
    ASSERT_EQ(::GetMenuItemCount(real), before + 2);
    wchar_t text[64] = {};
    ::GetMenuStringW(real, 0x0010, text, 64, MF_BYCOMMAND);
    EXPECT_EQ(std::wstring(text), L"&About Zentrimo...");
    std::string mirrored;
    menu->GetMenuString(0x0010, mirrored, MF_BYCOMMAND);
    EXPECT_EQ(mirrored, "&About Zentrimo...");
    // Choosing the entry reaches the window as a system command.
    ::SendMessageW(open.form.GetSafeHwnd(), WM_SYSCOMMAND, 0x0010, 0);
    ASSERT_FALSE(open.form.events.empty());
    EXPECT_EQ(open.form.events.back(), "syscommand:16");
}

TEST(Win32Dialog, WindowIconsAreSetAndRead)
{
    OpenForm open;
    HICON icon = AfxLoadIcon(IDI_TEST);
    open.form.SetIcon(icon, TRUE);
    open.form.SetIcon(icon, FALSE);
    EXPECT_EQ(open.form.GetIcon(TRUE), icon);
    EXPECT_EQ(open.form.GetIcon(FALSE), icon);
    EXPECT_EQ(AfxLoadIcon(IDI_TEST), icon); // one handle per resource
    EXPECT_EQ(AfxLoadIcon(4242), nullptr);
}

TEST(Win32Dialog, ModelessNoticeIsPaintedBeforeCreateReturns)
{
    CDialog notice(IDD_TEST_NOTICE);
    ASSERT_TRUE(notice.Create(IDD_TEST_NOTICE));
    EXPECT_TRUE(IsWindowVisible(notice.GetSafeHwnd()));
    RECT pending{};
    EXPECT_FALSE(::GetUpdateRect(notice.GetSafeHwnd(), &pending, FALSE)); // nothing left to paint
    notice.DestroyWindow();
}

} // namespace
