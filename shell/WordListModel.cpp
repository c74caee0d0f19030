#include "shell/WordListModel.h"

#include "engine/DictionaryError.h"
#include "engine/KovrObj.h"
#include "text/CodePage1251.h"

#include <QSize>

namespace morva {

TWordListModel::TWordListModel(QObject* parent) : QAbstractListModel(parent) {}

void TWordListModel::Refill(const TUzDictionary* dictionary)
{
    beginResetModel();
    dictionary_ = dictionary;
    count_ = dictionary ? dictionary->Count() : 0;
    endResetModel();
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
    // A damaged entry shows as an empty row rather than ending the painting.
    try {
        return QString::fromStdU16String(DictTextToWide(dictionary_->Headword(index.row())));
    } catch (const EDictionaryError&) {
        return QString();
    }
}

} // namespace morva
