#pragma once
// The word list over the dictionary: row i is Headword(i) of the current source language,
// read when the view asks for it, so a refill copies no headword.

#include "engine/Language.h"

#include <QAbstractListModel>
#include <QFont>

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace morva {

class TUzDictionary;

class TWordListModel : public QAbstractListModel {
public:
    // Every row has this height, so the view never measures rows one by one.
    static constexpr int ItemHeight = 14;

    explicit TWordListModel(QObject* parent = nullptr);

    // Takes the dictionary's current list; nullptr empties the list. Like a fill that appends
    // the headwords one by one, the list ends before the first headword that cannot be read.
    void Refill(const TUzDictionary* dictionary);

    // The first row whose headword does not sort below the text, or -1. Only the list's own
    // rows count, so a damaged entry beyond them is never met.
    int NearestRow(std::string_view text) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::int32_t ReadableCount(const TUzDictionary& dictionary);

    const TUzDictionary* dictionary_ = nullptr;
    std::int32_t count_ = 0;
    // The lists never change: each is checked once, on its first fill.
    const TUzDictionary* checked_ = nullptr;
    std::array<std::optional<std::int32_t>, LanguageCount> readableCounts_;
};

} // namespace morva
