// Dialogs built from templates: pixels from dialog units, control kinds, states, tab order, stacking.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "platform/ui/CStatic.h"
#include "platform/ui/linux/WidgetOf.h"
#include "tests/platform/ui/TestForm.h"

namespace {

// Opens the form modeless for the length of a test.
struct OpenForm
{
    OpenForm() { EXPECT_TRUE(form.Create(IDD_TEST_FORM)); }
    ~OpenForm() { form.DestroyWindow(); }
    QWidget* Widget(int id) { return WidgetOf(form.GetDlgItem(id)); }
    TestForm form;
};

TEST(DialogBuild, DialogFontGivesTheClassicSixByThirteenBaseUnits)
{
    OpenForm open;
    EXPECT_EQ(open.form.GetBaseUnits(), CPoint(6, 13));
}

TEST(DialogBuild, ClientSizeAndControlRectanglesAreDialogUnitsRoundedToPixels)
{
    OpenForm open;
    // 230 x 120 units at 6 x 13: 345 x 195 pixels.
    EXPECT_EQ(WidgetOf(&open.form)->size(), QSize(345, 195));
    // Cancel at 70,100 size 50x14: x 105, y 162.5 -> 163, w 75, h 22.75 -> 23.
    EXPECT_EQ(open.Widget(IDCANCEL)->geometry(), QRect(105, 163, 75, 23));
    // The edit at 10,10 size 100x14: 15, 16.25 -> 16, 150, 23.
    EXPECT_EQ(open.Widget(IDC_T_EDIT)->geometry(), QRect(15, 16, 150, 23));
    RECT rect{10, 10, 110, 24};
    open.form.MapDialogRect(&rect);
    EXPECT_EQ(rect.left, 15);
    EXPECT_EQ(rect.top, 16);
    EXPECT_EQ(rect.right, 165);
    EXPECT_EQ(rect.bottom, 39);
}

TEST(DialogBuild, EachTemplateControlBecomesItsKindOfWidget)
{
    OpenForm open;
    EXPECT_TRUE(qobject_cast<QPushButton*>(open.Widget(IDOK))->isDefault());
    EXPECT_FALSE(qobject_cast<QPushButton*>(open.Widget(IDCANCEL))->isDefault());
    EXPECT_NE(qobject_cast<QRadioButton*>(open.Widget(IDC_T_RADIO_A)), nullptr);
    EXPECT_NE(qobject_cast<QLineEdit*>(open.Widget(IDC_T_EDIT)), nullptr);
    EXPECT_TRUE(qobject_cast<QLineEdit*>(open.Widget(IDC_T_READONLY))->isReadOnly());
    EXPECT_NE(qobject_cast<QListWidget*>(open.Widget(IDC_T_LIST)), nullptr);
    EXPECT_EQ(open.form.GetDlgItem(IDC_T_LABEL)->GetWindowText(), "Label & text");
    EXPECT_EQ(open.form.GetDlgItem(IDC_T_READONLY)->GetWindowText(), "fixed");
    EXPECT_EQ(open.form.GetWindowText(), "Form");
    EXPECT_EQ(open.form.GetDlgItem(4242), nullptr);
}

TEST(DialogBuild, IconStaticShowsItsIconAtIconSize)
{
    OpenForm open;
    QLabel* icon = nullptr;
    for (QLabel* label : WidgetOf(&open.form)->findChildren<QLabel*>())
        if (!label->pixmap().isNull())
            icon = label;
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->size(), QSize(32, 32));
    EXPECT_EQ(icon->pos(), QPoint(270, 98));
    EXPECT_EQ(icon->pixmap().toImage().pixelColor(0, 0), QColor(0xFF, 0, 0)); // palette index 9
}

TEST(DialogBuild, StylesGiveInitialStatesAndTabStopsGiveTheTabOrder)
{
    OpenForm open;
    EXPECT_FALSE(open.form.GetDlgItem(IDC_T_HIDDEN)->IsWindowVisible());
    EXPECT_TRUE(open.form.GetDlgItem(IDC_T_PUSH)->IsWindowVisible());
    EXPECT_FALSE(open.form.GetDlgItem(IDC_T_DISABLED)->IsWindowEnabled());
    EXPECT_TRUE(open.form.GetDlgItem(IDC_T_PUSH)->IsWindowEnabled());

    // Tab stops in template order: OK, Cancel, edit, list, Push, Hidden, Off; radios are not stops.
    std::vector<int> order;
    QWidget* start = open.Widget(IDOK);
    QWidget* w = start;
    do {
        if (w->focusPolicy() & Qt::TabFocus && w->parentWidget() == WidgetOf(&open.form))
            order.push_back(w->property("zentrimo.ctrlId").toInt());
        w = w->nextInFocusChain();
    } while (w != start);
    EXPECT_EQ(order, (std::vector<int>{IDOK, IDCANCEL, IDC_T_EDIT, IDC_T_LIST, IDC_T_PUSH, IDC_T_HIDDEN,
                                       IDC_T_DISABLED}));
}

TEST(DialogBuild, InitialisationFocusesTheFirstTabStop)
{
    OpenForm open;
    EXPECT_EQ(WidgetOf(&open.form)->focusWidget(), open.Widget(IDOK));
}

TEST(DialogBuild, GroupBoxLiesBeneathTheControlsItFramesAndTakesNoClicks)
{
    OpenForm open;
    QGroupBox* group = WidgetOf(&open.form)->findChild<QGroupBox*>();
    ASSERT_NE(group, nullptr);
    EXPECT_TRUE(group->testAttribute(Qt::WA_TransparentForMouseEvents));
    QWidget* under = WidgetOf(&open.form)->childAt(open.Widget(IDC_T_PUSH)->geometry().center());
    EXPECT_EQ(under, open.Widget(IDC_T_PUSH));
}

TEST(DialogBuild, MissingTemplateFailsToCreateAndDoModalReturnsMinusOne)
{
    CDialog missing(9999);
    EXPECT_FALSE(missing.Create(9999));
    EXPECT_EQ(missing.DoModal(), -1);
}

TEST(DialogBuild, ControlMembersAreDetachedWhenTheWindowGoes)
{
    TestForm form;
    ASSERT_TRUE(form.Create(IDD_TEST_FORM));
    EXPECT_NE(WidgetOf(&form.m_edit), nullptr);
    EXPECT_EQ(form.GetDlgItem(IDC_T_EDIT), &form.m_edit); // the bound member answers for the control
    form.DestroyWindow();
    EXPECT_EQ(WidgetOf(&form.m_edit), nullptr);
    EXPECT_EQ(WidgetOf(&form), nullptr);
    form.m_edit.SetWindowText("ignored"); // a detached control does nothing
    EXPECT_EQ(form.m_edit.GetWindowText(), "");
    // Created again, it binds again.
    ASSERT_TRUE(form.Create(IDD_TEST_FORM));
    EXPECT_NE(WidgetOf(&form.m_edit), nullptr);
    form.DestroyWindow();
}

} // namespace
