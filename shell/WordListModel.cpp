#include "shell/WordListModel.h"

#include "engine/Collation.h"
#include "engine/DictionaryError.h"
#include "engine/KovrObj.h"
#include "text/CodePage1251.h"
#include "ui/UiText.h"

#include <QSize>

namespace morva {

TWordListModel::TWordListModel(QObject* parent) : QAbstractListModel(parent) {}

void TWordListModel::Refill(const TUzDictionary* dictionary)
{
    beginResetModel();
    dictionary_ = dictionary;
    if (!dictionary)
        checked_ = nullptr;
    count_ = dictionary ? ReadableCount(*dictionary) : 0;
    endResetModel();
}

std::int32_t TWordListModel::ReadableCount(const TUzDictionary& dictionary)
{
    if (checked_ != &dictionary) {
        checked_ = &dictionary;
        readableCounts_ = {};
    }
    std::optional<std::int32_t>& known = readableCounts_[dictionary.SourceLanguage()];
    if (!known) {
        std::int32_t count = 0;
        try {
            for (; count < dictionary.Count(); ++count)
                dictionary.Headword(count);
        } catch (const EDictionaryError&) {
            // A damaged entry ends the list, without a message.
        }
        known = count;
    }
    return *known;
}

int TWordListModel::NearestRow(std::string_view text) const
{
    if (!dictionary_)
        return -1;
    if (count_ == dictionary_->Count())
        return dictionary_->NearestHeadword(text);
    // A list cut short by a damaged entry: its rows are all readable, the rest is not theirs.
    for (std::int32_t row = 0; row < count_; ++row)
        if (CompareHeadwords(dictionary_->Headword(row), text) >= 0)
            return row;
    return -1;
}

int TWordListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count_;
}

QVariant TWordListModel::data(const QModelIndex& index, int role) const
{
    if (!dictionary_ || !index.isValid() || index.row() >= count_)
        return {};
    if (role == Qt::SizeHintRole)
        return QSize(-1, ItemHeight);
    if (role != Qt::DisplayRole)
        return {};
    return FromDictText(dictionary_->Headword(index.row()));
}

} // namespace morva
