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

    // Called for every double click inside the view, on an item or not.
    std::function<void()> onDoubleClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void TakeMarkFromUser();
    int m_selectionMark = -1;
};
