#pragma once
// The word list. The search field moves it while the keyboard focus stays in the field; a
// list without the focus then tells screen readers nothing about its current row, so their
// focus follows the caret rather than the rows.

#include <QListView>

namespace morva {

class TWordListView : public QListView {
public:
    using QListView::QListView;

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override
    {
        if (hasFocus())
            QListView::currentChanged(current, previous);
        else
            QAbstractItemView::currentChanged(current, previous);
    }
};

} // namespace morva
