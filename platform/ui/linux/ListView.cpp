// List-mode view: items in columns top to bottom, as a list view in list mode arranges them.
#include "platform/ui/linux/ListView.h"

#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace {

// Sizes every cell as the widest label's cell. With uniform item sizes the view asks for one size
// only, and would otherwise take it from a single sample row and elide every longer name.
class WidestLabelDelegate : public QStyledItemDelegate
{
public:
    explicit WidestLabelDelegate(ListView& view) : QStyledItemDelegate(&view), m_view(view) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const int widest = m_view.WidestRow();
        return QStyledItemDelegate::sizeHint(option, widest < 0 ? index : index.sibling(widest, 0));
    }

private:
    ListView& m_view;
};

} // namespace

ListView::ListView(QWidget* parent) : QListWidget(parent)
{
    setItemDelegate(new WidestLabelDelegate(*this));
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

int ListView::LabelWidth(int row) const
{
    return fontMetrics().horizontalAdvance(item(row)->text());
}

int ListView::WidestRow() const
{
    if (m_widestStale) {
        m_widestRow = -1;
        m_widestWidth = 0;
        for (int row = 0; row < count(); ++row) {
            if (const int width = LabelWidth(row); m_widestRow < 0 || width > m_widestWidth) {
                m_widestRow = row;
                m_widestWidth = width;
            }
        }
        m_widestStale = false;
    }
    return m_widestRow;
}

void ListView::reset()
{
    m_widestStale = true;
    QListWidget::reset();
}

void ListView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        m_widestStale = true;
    QListWidget::changeEvent(event);
}

void ListView::rowsInserted(const QModelIndex& parent, int start, int end)
{
    if (!m_widestStale) {
        if (m_widestRow >= start)
            m_widestRow += end - start + 1;
        for (int row = start; row <= end; ++row) {
            if (const int width = LabelWidth(row); m_widestRow < 0 || width > m_widestWidth) {
                m_widestRow = row;
                m_widestWidth = width;
            }
        }
    }
    QListWidget::rowsInserted(parent, start, end);
}

void ListView::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end)
{
    if (m_widestRow >= start && m_widestRow <= end)
        m_widestStale = true; // measured again once the rows are gone
    else if (m_widestRow > end)
        m_widestRow -= end - start + 1;
    QListWidget::rowsAboutToBeRemoved(parent, start, end);
}
