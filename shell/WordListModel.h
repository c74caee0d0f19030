#pragma once
// The word list over the dictionary: row i is Headword(i) of one list, read when the view
// asks for it, so a refill copies no headword.

#include "engine/Language.h"

#include <QAbstractListModel>
#include <QFont>

#include <array>
#include <cstdint>
#include <optional>

namespace morva {

class TUzDictionary;

class TWordListModel : public QAbstractListModel {
public:
    // Every row has this height, so the view never measures rows one by one.
    static constexpr int ItemHeight = 14;

    explicit TWordListModel(QObject* parent = nullptr);

    // Shows that list of the dictionary; nullptr empties the view. Like a fill that appends
    // the headwords one by one, the rows end before the first headword that cannot be read.
    void Refill(const TUzDictionary* dictionary, Language list = English);
    Language List() const { return list_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::int32_t ReadableCount(const TUzDictionary& dictionary, Language list);

    const TUzDictionary* dictionary_ = nullptr;
    Language list_ = English;
    std::int32_t count_ = 0;
    // The lists never change: each is checked once, on its first fill.
    const TUzDictionary* checked_ = nullptr;
    std::array<std::optional<std::int32_t>, LanguageCount> readableCounts_;
};

} // namespace morva
