// List-mode view: items in columns top to bottom, as a list view in list mode arranges them.
#include "platform/ui/linux/ListView.h"

#include <QMouseEvent>

ListView::ListView(QWidget* parent) : QListWidget(parent)
{
    setViewMode(QListView::ListMode);
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
}

void ListView::TakeMarkFromUser()
{
    const QList<QListWidgetItem*> selected = selectedItems();
    if (!selected.isEmpty())
        m_selectionMark = row(selected.front());
}

void ListView::mousePressEvent(QMouseEvent* event)
{
    QListWidget::mousePressEvent(event);
    TakeMarkFromUser();
}

void ListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListWidget::mouseDoubleClickEvent(event);
    TakeMarkFromUser();
    if (onDoubleClick)
        onDoubleClick();
}

void ListView::keyPressEvent(QKeyEvent* event)
{
    QListWidget::keyPressEvent(event);
    TakeMarkFromUser();
}
