// Modal and modeless runs, commands, keys, message boxes, escaped errors, system menu, pickers.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <cerrno>
#include <memory>

#include "platform/core/CException.h"
#include "platform/ui/CFileDialog.h"
#include "platform/ui/CMenu.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ShellFolderPicker.h"
#include "platform/ui/linux/SystemMenu.h"
#include "platform/ui/linux/WidgetOf.h"
#include "tests/platform/ui/TestForm.h"
#include "tests/support/ModalScript.h"

namespace {

class TestError : public CException
{
public:
    std::string GetErrorMessage() const override { return "The archive is damaged."; }
};

std::string ProgramName()
{
    return program_invocation_short_name;
}

TEST(DoModal, ReturnsWhatEndDialogGaveAndRunsInitialisationOnce)
{
    ModalScript script;
    script.ExpectDialog(IDD_TEST_FORM, [](CDialog& d) { d.EndDialog(42); });
    TestForm form;
    EXPECT_EQ(form.DoModal(), 42);
    EXPECT_EQ(form.initCount, 1);
    EXPECT_EQ(WidgetOf(&form), nullptr); // the window is gone afterwards
}

TEST(DoModal, OkButtonTakesTheControlsIntoTheMembers)
{
    ModalScript script;
    script.ExpectDialog(IDD_TEST_FORM, [](CDialog& d) {
        d.GetDlgItem(IDC_T_EDIT)->SetWindowText("typed");
        static_cast<CButton*>(d.GetDlgItem(IDOK))->Click();
    });
    TestForm form;
    form.m_strEdit = "before";
    EXPECT_EQ(form.DoModal(), IDOK);
    EXPECT_EQ(form.m_strEdit, "typed");
    EXPECT_EQ(form.events.back(), "ok");
}

TEST(DoModal, ADriverThatForgetsToEndTheDialogGetsMinusOne)
{
    ModalScript script;
    script.ExpectDialog(IDD_TEST_FORM, [](CDialog&) {});
    TestForm form;
    EXPECT_EQ(form.DoModal(), -1);
}

TEST(DoModal, NestedRunsReachTheDriverInOrder)
{
    ModalScript script;
    script.ExpectDialog(IDD_TEST_FORM,
                        [](CDialog& d) { static_cast<CButton*>(d.GetDlgItem(IDC_T_PUSH))->Click(); });
    script.ExpectDialog(IDD_TEST_BOX, [](CDialog& d) { static_cast<CButton*>(d.GetDlgItem(IDOK))->Click(); });
    script.ExpectBox("after the box", "Form says");
    TestForm form;
    int inner = 0;
    form.onPush = [&] {
        CDialog box(IDD_TEST_BOX);
        inner = static_cast<int>(box.DoModal());
        form.MessageBox("after the box", "Form says");
        form.EndDialog(7);
    };
    EXPECT_EQ(form.DoModal(), 7);
    EXPECT_EQ(inner, IDOK);
    EXPECT_TRUE(script.Finished());
}

struct KeyCase
{
    const char* name;
    int key;
    int focusId; // 0: the edit box
    const char* event;
    int result;
};

class DialogKeys : public testing::TestWithParam<KeyCase>
{
};

TEST_P(DialogKeys, EndTheDialogThroughItsCommands)
{
    const KeyCase c = GetParam();
    ModalScript script;
    script.ExpectDialog(IDD_TEST_FORM, [&](CDialog& d) {
        QWidget* focus = WidgetOf(d.GetDlgItem(c.focusId ? c.focusId : IDC_T_EDIT));
        focus->setFocus();
        QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier);
        QApplication::sendEvent(focus, &press);
    });
    TestForm form;
    EXPECT_EQ(form.DoModal(), c.result);
    ASSERT_FALSE(form.events.empty());
    EXPECT_EQ(form.events.back(), c.event);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DialogKeys,
    testing::Values(KeyCase{"EnterInEditClicksTheDefaultButton", Qt::Key_Return, 0, "ok", IDOK},
                    KeyCase{"EnterOnAPushButtonClicksIt", Qt::Key_Return, IDCANCEL, "cancel", IDCANCEL},
                    KeyCase{"EscapeIsTheCancelCommand", Qt::Key_Escape, 0, "cancel", IDCANCEL}),
    [](const testing::TestParamInfo<KeyCase>& row) { return std::string(row.param.name); });

TEST(DoModal, CloseBoxGoesThroughTheSystemCommandToCancel)
{
    ModalScript script;
    script.ExpectDialog(IDD_TEST_FORM, [](CDialog& d) { WidgetOf(&d)->close(); });
    TestForm form;
    EXPECT_EQ(form.DoModal(), IDCANCEL);
    EXPECT_EQ(form.events, (std::vector<std::string>{"syscommand:" + std::to_string(SC_CLOSE), "cancel"}));
}

TEST(MessageBoxes, CaptionDefaultsToTheApplicationNameAndTheIconIsPassedOn)
{
    EXPECT_EQ(AfxGetAppName(), ProgramName());
    ModalScript script;
    script.ExpectBox("Please enter a password.", ProgramName());
    script.ExpectBox("Failed to set proxy user name.", ProgramName(), MB_OK | MB_ICONEXCLAMATION);
    script.ExpectBox("with its own caption", "Success");
    script.ExpectBox("an empty caption stays empty", "");
    EXPECT_EQ(AfxMessageBox("Please enter a password."), IDOK);
    EXPECT_EQ(AfxMessageBox("Failed to set proxy user name.", MB_OK | MB_ICONEXCLAMATION), IDOK);
    CWnd none;
    none.MessageBox("with its own caption", "Success");
    none.MessageBox("an empty caption stays empty", std::string());
}

TEST(EscapedErrors, AnExceptionLeavingAHandlerIsReportedAndTheDialogGoesOn)
{
    ModalScript script;
    script.ExpectDialog(IDD_TEST_FORM, [](CDialog& d) {
        auto* push = static_cast<CButton*>(d.GetDlgItem(IDC_T_PUSH));
        push->Click(); // throws a CException
        push->Click(); // throws a standard exception
        d.EndDialog(IDOK);
    });
    script.ExpectBox("The archive is damaged.", ProgramName(), MB_OK | MB_ICONEXCLAMATION);
    script.ExpectBox("out of range", ProgramName(), MB_OK | MB_ICONEXCLAMATION);
    TestForm form;
    int calls = 0;
    form.onPush = [&] {
        if (++calls == 1)
            throw TestError();
        throw std::out_of_range("out of range");
    };
    EXPECT_EQ(form.DoModal(), IDOK);
    EXPECT_EQ(calls, 2);
}

TEST(Modeless, CreateShowsAndPaintsAtOnceAndDestroyTakesItDown)
{
    CDialog notice(IDD_TEST_NOTICE);
    ASSERT_TRUE(notice.Create(IDD_TEST_NOTICE));
    QWidget* window = WidgetOf(&notice);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->windowHandle()->isExposed());
    notice.SetDlgItemText(IDC_T_LABEL, "Working, please wait...");
    const QImage image = window->grab().toImage();
    EXPECT_FALSE(image.isNull());
    EXPECT_TRUE(notice.DestroyWindow());
    EXPECT_EQ(WidgetOf(&notice), nullptr);
    EXPECT_FALSE(notice.DestroyWindow());
    ASSERT_TRUE(notice.Create(IDD_TEST_NOTICE)); // the same object opens again
    EXPECT_EQ(notice.GetDlgItem(IDC_T_LABEL)->GetWindowText(), "Static");
    notice.DestroyWindow();
}

TEST(SystemMenu, DefaultEntriesThenAppendedOnesAndThePopUpSendsTheCommand)
{
    TestForm form;
    ASSERT_TRUE(form.Create(IDD_TEST_FORM));
    CMenu* menu = form.GetSystemMenu(FALSE);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->GetMenuItemID(static_cast<int>(menu->GetMenuItemCount()) - 1), SC_CLOSE);
    menu->AppendMenu(MF_SEPARATOR);
    menu->AppendMenu(MF_STRING, 0x10, AfxLoadString(IDS_TEST));
    EXPECT_EQ(form.GetSystemMenu(FALSE), menu); // the same menu, entries kept

    std::unique_ptr<QMenu> popup(ui::BuildSystemMenuPopup(form));
    ASSERT_NE(popup, nullptr);
    const QList<QAction*> actions = popup->actions();
    ASSERT_GE(actions.size(), 2);
    EXPECT_TRUE(actions[actions.size() - 2]->isSeparator());
    EXPECT_EQ(actions.back()->text(), QStringLiteral("&Test entry..."));
    form.events.clear();
    actions.back()->trigger();
    EXPECT_EQ(form.events, (std::vector<std::string>{"syscommand:16"}));

    EXPECT_EQ(form.GetSystemMenu(TRUE), nullptr);
    EXPECT_EQ(form.GetSystemMenu(FALSE)->GetMenuItemID(
                  static_cast<int>(form.GetSystemMenu(FALSE)->GetMenuItemCount()) - 1),
              SC_CLOSE);
    form.DestroyWindow();

    CDialog notice(IDD_TEST_NOTICE); // no WS_SYSMENU
    ASSERT_TRUE(notice.Create(IDD_TEST_NOTICE));
    EXPECT_EQ(notice.GetSystemMenu(FALSE), nullptr);
    notice.DestroyWindow();
}

TEST(SystemMenu, MinimiseAndRestoreAreTheDefaultProcessing)
{
    TestForm form;
    ASSERT_TRUE(form.Create(IDD_TEST_FORM));
    form.ShowWindow(SW_SHOW);
    form.SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(form.IsIconic());
    form.SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(form.IsIconic());
    form.DestroyWindow();
}

TEST(Pickers, FolderPickerHandsBackTheChosenPathOrNothing)
{
    ModalScript script;
    script.ExpectFolderPicker(std::string("C:\\Apps\\Velmora"));
    script.ExpectFolderPicker(std::nullopt);
    char name[260] = "";
    BROWSEINFO info;
    info.lpszTitle = "Please select the folder.";
    info.ulFlags = BIF_EDITBOX;
    info.pszDisplayName = name;
    LPITEMIDLIST item = SHBrowseForFolder(&info);
    ASSERT_NE(item, nullptr);
    char path[260];
    EXPECT_TRUE(SHGetPathFromIDList(item, path));
    EXPECT_STREQ(path, "C:\\Apps\\Velmora");
    EXPECT_STREQ(name, "Velmora");
    CoTaskMemFree(item);
    EXPECT_EQ(SHBrowseForFolder(&info), nullptr);
    ASSERT_EQ(script.folderPickers.size(), 2u);
    EXPECT_EQ(script.folderPickers[0].title, "Please select the folder.");
    EXPECT_EQ(script.folderPickers[0].flags, BIF_EDITBOX);
}

TEST(Pickers, FileOpenPickerPassesItsSettingsAndReturnsThePath)
{
    ModalScript script;
    script.ExpectFileOpen(std::string("E:\\Carry\\VMRNames.zip"));
    script.ExpectFileOpen(std::nullopt);
    CFileDialog dialog(TRUE, nullptr, nullptr, 0x21800, "Velmora Name Files (zip)|VMRNames.zip|");
    dialog.m_ofn.lpstrInitialDir = "E:\\Tools\\";
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.GetPathName(), "E:\\Carry\\VMRNames.zip");
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.GetPathName(), "");
    ASSERT_EQ(script.filePickers.size(), 2u);
    EXPECT_EQ(script.filePickers[0].initialFolder, "E:\\Tools\\");
    EXPECT_EQ(script.filePickers[0].filter, "Velmora Name Files (zip)|VMRNames.zip|");
    EXPECT_EQ(script.filePickers[0].flags,
              static_cast<DWORD>(OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NONETWORKBUTTON));
}

} // namespace
