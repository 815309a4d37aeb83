// The instructions box for both layouts and the reminder to choose a scenario, on both builds.
#include <gtest/gtest.h>

#include "app/CInstructionsDlg.h"
#include "app/CMainDlg.h"
#include "platform/ui/CButton.h"
#include "tests/app/InstructionsTexts.h"
#include "tests/support/ModalScript.h"
#include "tests/support/MainDlgTestAccess.h"

namespace {

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
    Peek(dlg).m_bWebScenario = true;
    Peek(dlg).m_btnScenarioWeb.SetCheck(BST_CHECKED);
    EXPECT_EQ(ShowInstructions(), std::make_pair(std::string("Instructions"), std::string(kWebText)));
}

TEST_F(Instructions, OtherLayoutShowsTheFourSteps)
{
    Peek(dlg).m_bWebScenario = false;
    Peek(dlg).m_btnScenarioOffline.SetCheck(BST_CHECKED);
    EXPECT_EQ(ShowInstructions().second, kOfflineText);
}

TEST_F(Instructions, TheTextFollowsTheLayoutNotTheCheckedButton)
{
    Peek(dlg).m_bWebScenario = true;
    Peek(dlg).m_btnScenarioOffline.SetCheck(BST_CHECKED);
    EXPECT_EQ(ShowInstructions().second, kWebText);
}

TEST_F(Instructions, AfterBothButtonsAreClearedTheReminderComesBack)
{
    Peek(dlg).m_bWebScenario = true;
    Peek(dlg).m_btnScenarioWeb.SetCheck(BST_CHECKED);
    ShowInstructions();
    Peek(dlg).m_btnScenarioWeb.SetCheck(BST_UNCHECKED);
    ModalScript script;
    script.ExpectBox("Please select your scenario, then click the instructions button again.",
                     "Select your scenario.");
    static_cast<CButton*>(dlg.GetDlgItem(IDC_INSTRUCTIONS))->Click();
}

} // namespace
