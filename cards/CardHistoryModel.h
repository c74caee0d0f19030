#pragma once
// The card history as a list model: one row per card opened, newest first, showing its
// headword. While no card has been opened it shows one placeholder row.

#include "cards/Card.h"

#include <QAbstractListModel>

#include <vector>

namespace morva {

class TCardHistoryModel : public QAbstractListModel {
public:
    static constexpr int RowHeight = 14;

    explicit TCardHistoryModel(QObject* parent = nullptr);

    // Puts the card at the top.
    void Add(Card card);
    // The cards recorded, without the placeholder.
    int Count() const { return int(cards_.size()); }
    // Row 0 is the newest card.
    const Card& At(int row) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    // Oldest first, so a new card costs no move.
    std::vector<Card> cards_;
};

} // namespace morva
