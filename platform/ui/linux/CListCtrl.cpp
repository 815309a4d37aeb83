// List-view operations on the list-mode widget.
#include "platform/ui/CListCtrl.h"

#include <QItemSelectionModel>
#include <QScrollBar>
#include <algorithm>

#include "platform/ui/linux/ListView.h"
#include "platform/ui/linux/UiInternal.h"
#include "platform/ui/detail/UiBackend.h"

using namespace ui::detail;

namespace {

ListView* View(const CWnd& wnd)
{
    return qobject_cast<ListView*>(WidgetOf(&wnd));
}

} // namespace

int CListCtrl::GetItemCount() const
{
    ListView* view = View(*this);
    return view ? view->count() : 0;
}

int CListCtrl::InsertItem(int nItem, const std::string& text)
{
    ListView* view = View(*this);
    if (!view)
        return -1;
    const int index = nItem < 0 || nItem > view->count() ? view->count() : nItem;
    view->insertItem(index, ToQt(text));
    if (view->SelectionMark() >= index)
        view->SetSelectionMark(view->SelectionMark() + 1);
    return index;
}

BOOL CListCtrl::DeleteAllItems()
{
    ListView* view = View(*this);
    if (!view)
        return FALSE;
    view->clear();
    view->SetSelectionMark(-1);
    return TRUE;
}

BOOL CListCtrl::DeleteItem(int nItem)
{
    ListView* view = View(*this);
    if (!view || nItem < 0 || nItem >= view->count())
        return FALSE;
    delete view->takeItem(nItem);
    if (view->SelectionMark() == nItem)
        view->SetSelectionMark(-1);
    else if (view->SelectionMark() > nItem)
        view->SetSelectionMark(view->SelectionMark() - 1);
    return TRUE;
}

std::string CListCtrl::GetItemText(int nItem, int nSubItem) const
{
    ListView* view = View(*this);
    if (!view || nSubItem != 0 || nItem < 0 || nItem >= view->count())
        return std::string();
    return FromQt(view->item(nItem)->text());
}

BOOL CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask)
{
    ListView* view = View(*this);
    if (!view || nItem < 0 || nItem >= view->count())
        return FALSE;
    QItemSelectionModel* selection = view->selectionModel();
    const QModelIndex index = view->model()->index(nItem, 0);
    if (nMask & LVIS_SELECTED) {
        if (nState & LVIS_SELECTED)
            selection->select(index, QItemSelectionModel::ClearAndSelect); // one selection only
        else
            selection->select(index, QItemSelectionModel::Deselect);
    }
    if (nMask & LVIS_FOCUSED) {
        if (nState & LVIS_FOCUSED)
            selection->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
        else if (selection->currentIndex() == index)
            selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    return TRUE;
}

UINT CListCtrl::GetItemState(int nItem, UINT nMask) const
{
    ListView* view = View(*this);
    if (!view || nItem < 0 || nItem >= view->count())
        return 0;
    const QModelIndex index = view->model()->index(nItem, 0);
    UINT state = 0;
    if (view->selectionModel()->isSelected(index))
        state |= LVIS_SELECTED;
    if (view->selectionModel()->currentIndex() == index)
        state |= LVIS_FOCUSED;
    return state & nMask;
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const
{
    const int count = GetItemCount();
    const UINT wanted = (static_cast<UINT>(nFlags) & LVNI_SELECTED ? LVIS_SELECTED : 0) |
                        (static_cast<UINT>(nFlags) & LVNI_FOCUSED ? LVIS_FOCUSED : 0);
    for (int i = nItem < 0 ? 0 : nItem + 1; i < count; ++i) {
        if ((GetItemState(i, wanted) & wanted) == wanted)
            return i;
    }
    return -1;
}

int CListCtrl::GetSelectionMark() const
{
    ListView* view = View(*this);
    return view ? view->SelectionMark() : -1;
}

int CListCtrl::SetSelectionMark(int iIndex)
{
    ListView* view = View(*this);
    if (!view)
        return -1;
    const int previous = view->SelectionMark();
    view->SetSelectionMark(iIndex);
    return previous;
}

BOOL CListCtrl::EnsureVisible(int nItem, BOOL bPartialOK)
{
    ListView* view = View(*this);
    if (!view || nItem < 0 || nItem >= view->count())
        return FALSE;
    view->LayOutNow(); // items are laid out lazily; scrolling needs their places now
    QListWidgetItem* item = view->item(nItem);
    if (bPartialOK && view->viewport()->rect().intersects(view->visualItemRect(item)))
        return TRUE;
    view->scrollToItem(item, QAbstractItemView::EnsureVisible);
    // Per-pixel scrolling can stop a pixel short of the item's far edge; finish the job.
    const QRect area = view->viewport()->rect();
    const QRect place = view->visualItemRect(item);
    QScrollBar* horizontal = view->horizontalScrollBar();
    if (place.right() > area.right())
        horizontal->setValue(horizontal->value() +
                             std::min(place.right() - area.right(), place.left() - area.left()));
    else if (place.left() < area.left())
        horizontal->setValue(horizontal->value() - (area.left() - place.left()));
    QScrollBar* vertical = view->verticalScrollBar();
    if (place.bottom() > area.bottom())
        vertical->setValue(vertical->value() +
                           std::min(place.bottom() - area.bottom(), place.top() - area.top()));
    else if (place.top() < area.top())
        vertical->setValue(vertical->value() - (area.top() - place.top()));
    return TRUE;
}

bool CListCtrl::IsItemFullyVisible(int nItem) const
{
    ListView* view = View(*this);
    if (!view || nItem < 0 || nItem >= view->count())
        return false;
    view->LayOutNow();
    return view->viewport()->rect().contains(view->visualItemRect(view->item(nItem)));
}
