// The instructions box for both layouts, the reminder to choose a scenario, and the notice.
#include <gtest/gtest.h>

#include <QLabel>
#include <QWindow>
#include <algorithm>

#include "app/CInstructionsDlg.h"
#include "app/CMainDlg.h"
#include "platform/ui/linux/WidgetOf.h"
#include "platform/ui/linux/WindowFrame.h"
#include "tests/support/ModalScript.h"

namespace {

const char* const kWebText = "\n\n\n\n"
                             "            Locate the name you would like to install from the names\n"
                             "            list, then click the \"Download and Install Name\" button.";

const char* const kOfflineText =
    "1) On a web connected computer, select the name that you need to download from the names list and click "
    "the "
    "\"Download and Save Name\" button.\n\n2) Once you have downloaded all of the names you need, copy this "
    "program, "
    "along with the \"VMRNames.zip\" file, to a floppy disk.  \n\n3) Take the floppy disk to the computer "
    "that has the "
    "Velmora, and run this program again.\n\n4) Click the \"Install Saved Name\" button and select the "
    "\"VMRNames.zip\" file to install the name files.";

class Instructions : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dlg.Create(IDD_MAIN_DIALOG)); }
    void TearDown() override { dlg.DestroyWindow(); }

    // Clicks Instructions and returns what the box showed (its caption and text).
    std::pair<std::string, std::string> ShowInstructions()
    {
        ModalScript script;
        std::pair<std::string, std::string> shown;
        script.ExpectDialog(IDD_INSTRUCTIONS, [&](CDialog& box) {
            shown = {box.GetWindowText(), box.GetDlgItem(IDC_INSTRUCTIONS_TEXT)->GetWindowText()};
            static_cast<CButton*>(box.GetDlgItem(IDOK))->Click();
        });
        static_cast<CButton*>(dlg.GetDlgItem(IDC_INSTRUCTIONS))->Click();
        EXPECT_TRUE(script.Finished());
        return shown;
    }

    CMainDlg dlg;
};

TEST_F(Instructions, BeforeAnyChoiceOnlyTheReminderIsShown)
{
    ModalScript script;
    script.ExpectBox("Please select your scenario, then click the instructions button again.",
                     "Select your scenario.");
    static_cast<CButton*>(dlg.GetDlgItem(IDC_INSTRUCTIONS))->Click();
    EXPECT_TRUE(script.Finished());
    EXPECT_TRUE(script.dialogs.empty());
}

TEST_F(Instructions, WebConnectedLayoutShowsTheShortTextLowInTheBox)
{
    dlg.m_bWebScenario = true;
    dlg.m_btnScenarioWeb.SetCheck(BST_CHECKED);
    EXPECT_EQ(ShowInstructions(), std::make_pair(std::string("Instructions"), std::string(kWebText)));
}

TEST_F(Instructions, OtherLayoutShowsTheFourSteps)
{
    dlg.m_bWebScenario = false;
    dlg.m_btnScenarioOffline.SetCheck(BST_CHECKED);
    EXPECT_EQ(ShowInstructions().second, kOfflineText);
}

TEST_F(Instructions, TheTextFollowsTheLayoutNotTheCheckedButton)
{
    dlg.m_bWebScenario = true;
    dlg.m_btnScenarioOffline.SetCheck(BST_CHECKED);
    EXPECT_EQ(ShowInstructions().second, kWebText);
}

TEST_F(Instructions, AfterBothButtonsAreClearedTheReminderComesBack)
{
    dlg.m_bWebScenario = true;
    dlg.m_btnScenarioWeb.SetCheck(BST_CHECKED);
    ShowInstructions();
    dlg.m_btnScenarioWeb.SetCheck(BST_UNCHECKED);
    ModalScript script;
    script.ExpectBox("Please select your scenario, then click the instructions button again.",
                     "Select your scenario.");
    static_cast<CButton*>(dlg.GetDlgItem(IDC_INSTRUCTIONS))->Click();
}

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
    dlg.m_notice.m_strText = "Installing name, please wait...";
    ASSERT_TRUE(dlg.m_notice.Create(IDD_WAIT_NOTICE));
    QWidget* window = WidgetOf(&dlg.m_notice);
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
    EXPECT_EQ(dlg.m_notice.GetDlgItem(IDC_NOTICE_TEXT)->GetWindowText(), "Installing name, please wait...");

    dlg.m_notice.m_strText = "Downloading name, please wait..."; // changes nothing while open
    EXPECT_EQ(dlg.m_notice.GetDlgItem(IDC_NOTICE_TEXT)->GetWindowText(), "Installing name, please wait...");

    dlg.m_notice.DestroyWindow();
    EXPECT_EQ(WidgetOf(&dlg.m_notice), nullptr);

    ASSERT_TRUE(dlg.m_notice.Create(IDD_WAIT_NOTICE)); // a new create shows the new text
    EXPECT_EQ(dlg.m_notice.GetDlgItem(IDC_NOTICE_TEXT)->GetWindowText(), "Downloading name, please wait...");
    dlg.m_notice.DestroyWindow();
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
