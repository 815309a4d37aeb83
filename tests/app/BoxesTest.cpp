// The boxes as Qt draws them: the instructions text, the notice and the about box.
#include <gtest/gtest.h>

#include <QLabel>
#include <QWindow>
#include <algorithm>

#include "app/CInstructionsDlg.h"
#include "app/CMainDlg.h"
#include "platform/ui/linux/WidgetOf.h"
#include "platform/ui/linux/WindowFrame.h"
#include "tests/app/InstructionsTexts.h"
#include "tests/support/ModalScript.h"
#include "tests/support/MainDlgTestAccess.h"

namespace {

TEST(InstructionsBox, TextControlWrapsAndKeepsLineBreaks)
{
    CInstructionsDlg box;
    box.m_strText = kOfflineText;
    ASSERT_TRUE(box.Create(IDD_INSTRUCTIONS));
    auto* label = qobject_cast<QLabel*>(WidgetOf(box.GetDlgItem(IDC_INSTRUCTIONS_TEXT)));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->wordWrap());
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(box.GetDlgItem(IDC_INSTRUCTIONS_TEXT)->GetWindowText(), kOfflineText);
    box.DestroyWindow();
}

TEST(Notice, ShowsItsTextAtOnceAndDisappearsWhenDestroyed)
{
    CMainDlg dlg;
    Peek(dlg).m_notice.m_strText = "Installing name, please wait...";
    ASSERT_TRUE(Peek(dlg).m_notice.Create(IDD_WAIT_NOTICE));
    QWidget* window = WidgetOf(&Peek(dlg).m_notice);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->windowHandle()->isExposed());
    EXPECT_EQ(window->windowTitle(), "");
    EXPECT_FALSE(window->windowFlags() & Qt::WindowCloseButtonHint); // no system menu, no close box
    // What a window manager is told: no title text (not the program's name) and no button at all.
    const std::optional<ui::detail::WindowFrame> frame = ui::detail::KeptWindowFrame(*window);
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(frame->title, "");
    EXPECT_EQ(frame->hints.functions, ui::detail::kMotifFuncMove);
    EXPECT_EQ(frame->hints.decorations, ui::detail::kMotifDecorBorder | ui::detail::kMotifDecorTitle);
    EXPECT_EQ(Peek(dlg).m_notice.GetDlgItem(IDC_NOTICE_TEXT)->GetWindowText(),
              "Installing name, please wait...");

    Peek(dlg).m_notice.m_strText = "Downloading name, please wait..."; // changes nothing while open
    EXPECT_EQ(Peek(dlg).m_notice.GetDlgItem(IDC_NOTICE_TEXT)->GetWindowText(),
              "Installing name, please wait...");

    Peek(dlg).m_notice.DestroyWindow();
    EXPECT_EQ(WidgetOf(&Peek(dlg).m_notice), nullptr);

    ASSERT_TRUE(Peek(dlg).m_notice.Create(IDD_WAIT_NOTICE)); // a new create shows the new text
    EXPECT_EQ(Peek(dlg).m_notice.GetDlgItem(IDC_NOTICE_TEXT)->GetWindowText(),
              "Downloading name, please wait...");
    Peek(dlg).m_notice.DestroyWindow();
}

TEST(AboutBox, ShowsNameVersionAndIcon)
{
    ModalScript script;
    std::vector<std::string> statics;
    bool iconShown = false;
    script.ExpectDialog(IDD_ABOUTBOX, [&](CDialog& about) {
        for (QLabel* label : WidgetOf(&about)->findChildren<QLabel*>()) {
            if (!label->pixmap().isNull())
                iconShown = true;
            else
                statics.push_back(label->text().toStdString());
        }
        about.EndDialog(IDCANCEL);
    });
    CMainDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_MAIN_DIALOG));
    dlg.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    dlg.DestroyWindow();
    EXPECT_TRUE(iconShown);
    ASSERT_FALSE(statics.empty());
    EXPECT_NE(std::find(statics.begin(), statics.end(), "Zentrimo Version 1.0"), statics.end());
}

} // namespace
