#pragma once
// The word list over the dictionary: row i is Headword(i) of the current source language,
// read when the view asks for it, so a refill costs nothing per headword.

#include <QAbstractListModel>
#include <QFont>

#include <cstdint>

namespace morva {

class TUzDictionary;

class TWordListModel : public QAbstractListModel {
public:
    // Every row has this height, so the view never measures rows one by one.
    static constexpr int ItemHeight = 14;

    explicit TWordListModel(QObject* parent = nullptr);

    // Takes the dictionary's current list; nullptr empties the list.
    void Refill(const TUzDictionary* dictionary);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const TUzDictionary* dictionary_ = nullptr;
    std::int32_t count_ = 0;
};

} // namespace morva
