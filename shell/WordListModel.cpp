#include "shell/WordListModel.h"

#include "engine/DictionaryError.h"
#include "engine/KovrObj.h"
#include "text/CodePage1251.h"
#include "ui/UiText.h"

#include <QSize>

namespace morva {

TWordListModel::TWordListModel(QObject* parent) : QAbstractListModel(parent) {}

void TWordListModel::Refill(const TUzDictionary* dictionary, Language list)
{
    beginResetModel();
    dictionary_ = dictionary;
    list_ = list;
    if (!dictionary)
        checked_ = nullptr;
    count_ = dictionary ? ReadableCount(*dictionary, list) : 0;
    endResetModel();
}

std::int32_t TWordListModel::ReadableCount(const TUzDictionary& dictionary, Language list)
{
    if (checked_ != &dictionary) {
        checked_ = &dictionary;
        readableCounts_ = {};
    }
    std::optional<std::int32_t>& known = readableCounts_[list];
    if (!known) {
        std::int32_t count = 0;
        try {
            for (; count < dictionary.Count(list); ++count)
                dictionary.Headword(list, count);
        } catch (const EDictionaryError&) {
            // A damaged entry ends the list, without a message.
        }
        known = count;
    }
    return *known;
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
    return FromDictText(dictionary_->Headword(list_, index.row()));
}

} // namespace morva
