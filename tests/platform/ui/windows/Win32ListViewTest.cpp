// The list view on the system's control: names in order, one selection, the selection mark, the
// column as wide as the widest name.
#include <gtest/gtest.h>

#include "tests/platform/ui/TestForm.h"

namespace {

struct FormWithList
{
    TestForm form;
    FormWithList() { EXPECT_TRUE(form.Create(IDD_TEST_FORM)); }
    ~FormWithList() { form.DestroyWindow(); }
    CListCtrl& List() { return form.m_list; }
};

TEST(Win32ListView, ItemsKeepInsertionOrderAndTheirTexts)
{
    FormWithList f;
    EXPECT_EQ(f.List().InsertItem(0, "Bram"), 0);
    EXPECT_EQ(f.List().InsertItem(1, "Ysolde"), 1);
    EXPECT_EQ(f.List().InsertItem(99, "\xC3\x89lise"), 2); // clamped to the end
    ASSERT_EQ(f.List().GetItemCount(), 3);
    EXPECT_EQ(f.List().GetItemText(2, 0), "\xC3\x89lise");
    EXPECT_EQ(f.List().GetItemText(3, 0), "");
    EXPECT_TRUE(f.List().DeleteItem(0));
    EXPECT_EQ(f.List().GetItemText(0, 0), "Ysolde");
    EXPECT_TRUE(f.List().DeleteAllItems());
    EXPECT_EQ(f.List().GetItemCount(), 0);
}

TEST(Win32ListView, ColumnIsAsWideAsTheWidestName)
{
    FormWithList f;
    const std::string longName = "Aurelianne-Maximiliana Wolkenstein-Trostburg";
    f.List().InsertItem(0, "Bo");
    f.List().InsertItem(1, longName);
    HWND list = f.List().GetSafeHwnd();
    const int width = ListView_GetColumnWidth(list, 0);
    const std::wstring wide(longName.begin(), longName.end());
    const int text = static_cast<int>(
        ::SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(wide.c_str())));
    EXPECT_GT(width, text);
}

TEST(Win32ListView, OneSelectionAndTheMarkLeftAloneByCode)
{
    FormWithList f;
    for (const char* name : {"A", "B", "C", "D"})
        f.List().InsertItem(f.List().GetItemCount(), name);
    f.List().SetSelectionMark(1);
    f.List().SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    f.List().SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(f.List().GetNextItem(-1, LVNI_SELECTED), 3); // single selection: the later one wins
    EXPECT_EQ(f.List().GetNextItem(3, LVNI_SELECTED), -1);
    EXPECT_EQ(f.List().GetItemState(2, LVIS_SELECTED), 0u);
    EXPECT_EQ(f.List().GetSelectionMark(), 1);
}

TEST(Win32ListView, EnsureVisibleScrollsTheItemIntoView)
{
    FormWithList f;
    for (int i = 0; i < 200; ++i)
        f.List().InsertItem(i, "Name " + std::to_string(i));
    EXPECT_FALSE(f.List().IsItemFullyVisible(199));
    EXPECT_TRUE(f.List().EnsureVisible(199, FALSE));
    EXPECT_TRUE(f.List().IsItemFullyVisible(199));
}

} // namespace
