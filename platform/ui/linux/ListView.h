// The widget behind a list view: list mode, one selection, a selection mark, double-click notice.
#pragma once

#include <QListWidget>
#include <functional>

class ListView : public QListWidget
{
    Q_OBJECT

public:
    explicit ListView(QWidget* parent);

    int SelectionMark() const { return m_selectionMark; }
    void SetSelectionMark(int mark) { m_selectionMark = mark; }
    // Lays the items out and sizes the scroll bars now instead of at the next event-loop turn.
    void LayOutNow()
    {
        doItemsLayout();
        updateGeometries();
    }

    // The row whose label is the widest in the view's font, -1 when the view is empty. Every cell
    // takes that row's size, so columns are as wide as the widest label and no name is cut short.
    int WidestRow() const;

    // Called for every double click inside the view, on an item or not.
    std::function<void()> onDoubleClick;

    void reset() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;

private:
    void TakeMarkFromUser();
    int LabelWidth(int row) const;
    int m_selectionMark = -1;
    // The widest label, kept up to date as rows come and go; measured afresh after the widest row
    // left or the font changed.
    mutable int m_widestRow = -1;
    mutable int m_widestWidth = 0;
    mutable bool m_widestStale = false;
};
