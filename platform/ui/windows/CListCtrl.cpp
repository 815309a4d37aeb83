// The list view on the system's list-view control (list mode, one selection).
#include "platform/ui/CListCtrl.h"

#include <algorithm>
#include <vector>

#include "platform/ui/windows/WideText.h"
#include "platform/ui/detail/UiBackend.h"

using namespace ui::detail;

namespace {

int StringWidth(HWND list, const wchar_t* text)
{
    return static_cast<int>(::SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text)));
}

std::wstring ItemText(HWND list, int index)
{
    // The control copies at most the buffer's size: grow until the text fits.
    for (size_t size = 256;; size *= 2) {
        std::vector<wchar_t> buffer(size, L'\0');
        LVITEMW item{};
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(size);
        const int length = static_cast<int>(::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(index),
                                                           reinterpret_cast<LPARAM>(&item)));
        if (length < static_cast<int>(size) - 1)
            return std::wstring(buffer.data(), static_cast<size_t>(length));
    }
}

// In list mode every column is as wide as the widest item, so no name is cut short: the text, the
// room the control keeps for a (missing) small icon and the margins on both sides.
void FitColumnToWidestItem(HWND list)
{
    const int count = ListView_GetItemCount(list);
    int widest = 0;
    for (int i = 0; i < count; ++i)
        widest = std::max(widest, StringWidth(list, ItemText(list, i).c_str()));
    const int margins = 4 * GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXSMICON) / 2;
    ListView_SetColumnWidth(list, 0, std::max(widest + margins, 16));
}

} // namespace

int CListCtrl::GetItemCount() const
{
    HWND hWnd = GetSafeHwnd();
    return hWnd ? ListView_GetItemCount(hWnd) : 0;
}

int CListCtrl::InsertItem(int nItem, const std::string& text)
{
    HWND hWnd = GetSafeHwnd();
    if (!hWnd)
        return -1;
    std::wstring wide = ToWide(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = std::clamp(nItem, 0, ListView_GetItemCount(hWnd));
    item.pszText = wide.data();
    const int index =
        static_cast<int>(::SendMessageW(hWnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (index >= 0 && StringWidth(hWnd, wide.c_str()) >= ListView_GetColumnWidth(hWnd, 0) - 8)
        FitColumnToWidestItem(hWnd);
    return index;
}

BOOL CListCtrl::DeleteAllItems()
{
    HWND hWnd = GetSafeHwnd();
    return hWnd ? ListView_DeleteAllItems(hWnd) : FALSE;
}

BOOL CListCtrl::DeleteItem(int nItem)
{
    HWND hWnd = GetSafeHwnd();
    return hWnd ? ListView_DeleteItem(hWnd, nItem) : FALSE;
}

std::string CListCtrl::GetItemText(int nItem, int) const
{
    HWND hWnd = GetSafeHwnd();
    if (!hWnd || nItem < 0 || nItem >= ListView_GetItemCount(hWnd))
        return std::string();
    return FromWide(ItemText(hWnd, nItem).c_str());
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    HWND hWnd = GetSafeHwnd();
    if (!hWnd)
        return FALSE;
    nMask &= LVIS_SELECTED | LVIS_FOCUSED;
    LVITEMW item{};
    item.stateMask = nMask;
    item.state = nState & nMask;
    return static_cast<BOOL>(
        ::SendMessageW(hWnd, LVM_SETITEMSTATE, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const
{
    HWND hWnd = GetSafeHwnd();
    return hWnd ? ListView_GetItemState(hWnd, nItem, nMask & (LVIS_SELECTED | LVIS_FOCUSED)) : 0;
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const
{
    HWND hWnd = GetSafeHwnd();
    return hWnd ? ListView_GetNextItem(hWnd, nItem, nFlags) : -1;
}

int CListCtrl::GetSelectionMark() const
{
    HWND hWnd = GetSafeHwnd();
    return hWnd ? ListView_GetSelectionMark(hWnd) : -1;
}

int CListCtrl::SetSelectionMark(int iIndex)
{
    HWND hWnd = GetSafeHwnd();
    return hWnd ? ListView_SetSelectionMark(hWnd, iIndex) : -1;
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK)
{
    HWND hWnd = GetSafeHwnd();
    return hWnd ? ListView_EnsureVisible(hWnd, nItem, bPartialOK) : FALSE;
}

bool CListCtrl::IsItemFullyVisible(int nItem) const
{
    HWND hWnd = GetSafeHwnd();
    RECT item{};
    RECT client{};
    if (!hWnd || !ListView_GetItemRect(hWnd, nItem, &item, LVIR_BOUNDS) || !::GetClientRect(hWnd, &client))
        return false;
    return item.left >= client.left && item.top >= client.top && item.right <= client.right &&
           item.bottom <= client.bottom;
}
