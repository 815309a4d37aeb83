// Controls: edit notifications, data exchange, radio buttons, push buttons, the list view in list mode.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QTest>
#include <string>

#include "platform/ui/linux/WidgetOf.h"
#include "tests/platform/ui/TestForm.h"
#include "tests/support/WholeItems.h"

namespace {

struct OpenForm
{
    OpenForm()
    {
        EXPECT_TRUE(form.Create(IDD_TEST_FORM));
        form.events.clear();
    }
    ~OpenForm() { form.DestroyWindow(); }
    TestForm form;
};

TEST(EditBox, SettingTextFromCodeNotifiesEvenWhenTheTextStaysTheSame)
{
    OpenForm open;
    open.form.m_edit.SetWindowText("anna");
    open.form.m_edit.SetWindowText("anna");
    open.form.m_edit.SetWindowText("");
    EXPECT_EQ(open.form.events, (std::vector<std::string>{"change:anna", "change:anna", "change:"}));
}

TEST(EditBox, TypingNotifiesPerCharacter)
{
    OpenForm open;
    QTest::keyClicks(WidgetOf(&open.form.m_edit), "ab");
    EXPECT_EQ(open.form.events, (std::vector<std::string>{"change:a", "change:ab"}));
}

TEST(DataExchange, TextMovesBothWaysAndAnUnchangedTextIsLeftAlone)
{
    OpenForm open;
    open.form.m_strEdit = "Carl";
    open.form.UpdateData(FALSE);
    EXPECT_EQ(open.form.m_edit.GetWindowText(), "Carl");
    open.form.UpdateData(FALSE); // same text: no second notification
    EXPECT_EQ(open.form.events, (std::vector<std::string>{"change:Carl"}));
    open.form.m_edit.SetWindowText("  typed with blanks ");
    open.form.UpdateData(TRUE);
    EXPECT_EQ(open.form.m_strEdit, "  typed with blanks ");
}

TEST(DataExchange, EightBitTextSurvivesTheRoundTrip)
{
    OpenForm open;
    const std::string name = "Ren\xC3\xA9"
                             "e & <Zo\xC3\xAB>";
    open.form.m_edit.SetWindowText(name);
    EXPECT_EQ(open.form.m_edit.GetWindowText(), name);
}

TEST(RadioButton, ClickChecksItKeepsItCheckedAndLeavesTheOtherAlone)
{
    OpenForm open;
    auto* a = static_cast<CButton*>(open.form.GetDlgItem(IDC_T_RADIO_A));
    auto* b = static_cast<CButton*>(open.form.GetDlgItem(IDC_T_RADIO_B));
    EXPECT_EQ(a->GetCheck(), BST_UNCHECKED);
    a->Click();
    b->Click();
    EXPECT_EQ(a->GetCheck(), BST_CHECKED); // each button is a group of its own
    EXPECT_EQ(b->GetCheck(), BST_CHECKED);
    b->Click();
    EXPECT_EQ(b->GetCheck(), BST_CHECKED);
    a->SetCheck(BST_UNCHECKED);
    EXPECT_EQ(open.form.IsDlgButtonChecked(IDC_T_RADIO_A), 0u);
    open.form.CheckDlgButton(IDC_T_RADIO_A, BST_CHECKED);
    EXPECT_EQ(open.form.m_radioA.GetCheck(), BST_CHECKED);
}

TEST(PushButton, ClickReachesTheHandlerOnlyWhileEnabled)
{
    OpenForm open;
    auto* push = static_cast<CButton*>(open.form.GetDlgItem(IDC_T_PUSH));
    push->Click();
    push->EnableWindow(FALSE);
    push->Click();
    QTest::mouseClick(WidgetOf(push), Qt::LeftButton);
    EXPECT_EQ(open.form.events, (std::vector<std::string>{"push"}));
    EXPECT_EQ(push->EnableWindow(TRUE), TRUE); // it was disabled
    QTest::mouseClick(WidgetOf(push), Qt::LeftButton);
    EXPECT_EQ(open.form.events.size(), 2u);
}

TEST(Controls, ShowMoveAndRectanglesInClientPixels)
{
    OpenForm open;
    CWnd* push = open.form.GetDlgItem(IDC_T_PUSH);
    CRect rect;
    push->GetWindowRect(&rect);
    open.form.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(180, 65, 255, 88));
    push->MoveWindow(rect.left, rect.top - 30, rect.Width(), rect.Height(), TRUE);
    push->GetWindowRect(&rect);
    open.form.ScreenToClient(&rect);
    EXPECT_EQ(rect, CRect(180, 35, 255, 58));
    EXPECT_EQ(push->ShowWindow(SW_HIDE), TRUE);
    EXPECT_FALSE(push->IsWindowVisible());
    EXPECT_EQ(push->ShowWindow(SW_SHOW), FALSE);
    EXPECT_TRUE(push->IsWindowVisible());
}

class ListViewTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(form.Create(IDD_TEST_FORM));
        form.events.clear();
        for (int i = 0; i < 40; ++i)
            EXPECT_EQ(form.m_list.InsertItem(i, "name " + std::to_string(i)), i);
    }
    void TearDown() override { form.DestroyWindow(); }
    QListWidget* View() { return static_cast<QListWidget*>(WidgetOf(&form.m_list)); }
    QPoint CentreOf(int item) { return View()->visualItemRect(View()->item(item)).center(); }

    TestForm form;
};

TEST_F(ListViewTest, ItemsKeepInsertionOrderAndInsertInTheMiddle)
{
    form.m_list.InsertItem(1, "between");
    form.m_list.InsertItem(1000, "last");
    EXPECT_EQ(form.m_list.GetItemCount(), 42);
    EXPECT_EQ(form.m_list.GetItemText(0, 0), "name 0");
    EXPECT_EQ(form.m_list.GetItemText(1, 0), "between");
    EXPECT_EQ(form.m_list.GetItemText(2, 0), "name 1");
    EXPECT_EQ(form.m_list.GetItemText(41, 0), "last");
    EXPECT_EQ(form.m_list.GetItemText(42, 0), "");
    EXPECT_TRUE(form.m_list.DeleteAllItems());
    EXPECT_EQ(form.m_list.GetItemCount(), 0);
}

TEST_F(ListViewTest, SelectingFromCodeKeepsOneSelectionAndLeavesTheMarkAlone)
{
    form.m_list.SetItemState(3, LVIS_SELECTED | LVIS_FOCUSED, 0xFF);
    form.m_list.SetItemState(7, LVIS_SELECTED | LVIS_FOCUSED, 0xFF);
    EXPECT_EQ(form.m_list.GetItemState(3, 0xFF), 0u);
    EXPECT_EQ(form.m_list.GetItemState(7, 0xFF), LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(form.m_list.GetNextItem(-1, LVNI_SELECTED), 7);
    EXPECT_EQ(form.m_list.GetNextItem(7, LVNI_SELECTED), -1);
    EXPECT_EQ(form.m_list.GetSelectionMark(), -1);
    form.m_list.SetSelectionMark(7);
    EXPECT_EQ(form.m_list.GetSelectionMark(), 7);
    form.m_list.SetItemState(7, 0, LVIS_SELECTED);
    EXPECT_EQ(form.m_list.GetNextItem(-1, LVNI_SELECTED), -1);
}

TEST_F(ListViewTest, UserClickMovesTheMarkAndDoubleClickNotifiesTheParent)
{
    QTest::mouseClick(View()->viewport(), Qt::LeftButton, Qt::NoModifier, CentreOf(2));
    EXPECT_EQ(form.m_list.GetSelectionMark(), 2);
    QTest::mouseDClick(View()->viewport(), Qt::LeftButton, Qt::NoModifier, CentreOf(1));
    EXPECT_EQ(form.m_list.GetSelectionMark(), 1);
    EXPECT_EQ(form.m_list.GetItemState(1, LVIS_SELECTED), LVIS_SELECTED);
    EXPECT_EQ(form.events, (std::vector<std::string>{"dblclk:" + std::to_string(IDC_T_LIST)}));
}

TEST_F(ListViewTest, EnsureVisibleBringsAFarItemFullyIntoView)
{
    EXPECT_FALSE(form.m_list.IsItemFullyVisible(39));
    form.m_list.EnsureVisible(39, FALSE);
    EXPECT_TRUE(form.m_list.IsItemFullyVisible(39));
    form.m_list.EnsureVisible(0, FALSE);
    EXPECT_TRUE(form.m_list.IsItemFullyVisible(0));
}

// In list mode every column is as wide as the widest label, wherever in the list it stands.
TEST_F(ListViewTest, ListViewsShowEveryNameWhole)
{
    form.m_list.DeleteAllItems();
    for (const char* name : {"Al", "Anne-Sophie Delacroix", "Fran\u00e7ois", "Jean-Baptiste", "Zoe"})
        form.m_list.InsertItem(form.m_list.GetItemCount(), name);
    EXPECT_EQ(ItemsCutShort(*View()), std::vector<std::string>{});
    const int width = View()->visualItemRect(View()->item(0)).width();
    for (int i = 1; i < View()->count(); ++i)
        EXPECT_EQ(View()->visualItemRect(View()->item(i)).width(), width) << i;

    form.m_list.InsertItem(0, "Maximiliane Quetzalcoatl-Worthington"); // wider than the view itself
    EXPECT_EQ(ItemsCutShort(*View()), std::vector<std::string>{});
    form.m_list.DeleteItem(0);
    form.m_list.DeleteItem(1); // the widest left, the next widest sets the width
    EXPECT_EQ(ItemsCutShort(*View()), std::vector<std::string>{});
    EXPECT_LT(View()->visualItemRect(View()->item(0)).width(), width);
}

} // namespace
