// List views in list mode: text items in insertion order, one selection.
#pragma once

#include <string>

#include "platform/ui/CWnd.h"

// A list view in list mode. Items keep their insertion order; the view allows one selection and
// shows it also without the focus. The selection mark is the item last selected by the user with
// mouse or keyboard, or as set by SetSelectionMark; selecting from code leaves it alone. A double
// click anywhere in the view raises NM_DBLCLK to the parent.
class CListCtrl : public CWnd
{
public:
    int GetItemCount() const;
    // Inserts a text item at nItem (clamped to the end); returns its index, -1 when detached.
    int InsertItem(int nItem, const std::string& text);
    BOOL DeleteAllItems();
    BOOL DeleteItem(int nItem);
    std::string GetItemText(int nItem, int nSubItem) const;
    // Only LVIS_SELECTED and LVIS_FOCUSED are kept; bits in nMask that are clear in nState are cleared.
    BOOL SetItemState(int nItem, UINT nState, UINT nMask);
    UINT GetItemState(int nItem, UINT nMask) const;
    // The next item after nItem (-1: from the start) whose state has all of nFlags (LVNI_SELECTED,
    // LVNI_FOCUSED; LVNI_ALL: any), or -1.
    int GetNextItem(int nItem, int nFlags) const;
    int GetSelectionMark() const;
    int SetSelectionMark(int iIndex);
    // Scrolls until the item is in view; fully in view unless bPartialOK.
    BOOL EnsureVisible(int nItem, BOOL bPartialOK);
    // True when the item's rectangle lies wholly inside the visible area.
    bool IsItemFullyVisible(int nItem) const;
};
