// Whether a list view shows its items' texts whole: each item's cell against the width its text needs.
#pragma once

#include <QAbstractItemDelegate>
#include <QListWidget>
#include <QStyleOptionViewItem>
#include <string>
#include <vector>

// The texts of the items whose cells are narrower than their text needs (so the view elides them),
// as the view's own delegate measures the text in the view's font.
inline std::vector<std::string> ItemsCutShort(QListWidget& view)
{
    view.doItemsLayout(); // the view lays its items out lazily
    std::vector<std::string> cut;
    for (int row = 0; row < view.count(); ++row) {
        QStyleOptionViewItem option;
        option.initFrom(&view);
        option.font = view.font();
        option.fontMetrics = view.fontMetrics();
        const QModelIndex index = view.model()->index(row, 0);
        const int needed = view.itemDelegate()->sizeHint(option, index).width();
        if (view.visualItemRect(view.item(row)).width() < needed)
            cut.push_back(view.item(row)->text().toStdString());
    }
    return cut;
}
