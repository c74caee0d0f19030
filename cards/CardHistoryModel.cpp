#include "cards/CardHistoryModel.h"

#include "ui/UiText.h"

#include <QSize>

#include <algorithm>

namespace morva {
namespace {

// "(bironta so‘rov bo‘lmagan)"
const QString EmptyHistoryRow = QStringLiteral("(bironta so\u2018rov bo\u2018lmagan)");

} // namespace

TCardHistoryModel::TCardHistoryModel(QObject* parent) : QAbstractListModel(parent) {}

void TCardHistoryModel::Add(Card card)
{
    if (cards_.empty()) {
        // The placeholder row goes.
        beginResetModel();
        cards_.push_back(std::move(card));
        endResetModel();
        return;
    }
    beginInsertRows({}, 0, 0);
    cards_.push_back(std::move(card));
    endInsertRows();
}

const Card& TCardHistoryModel::At(int row) const
{
    return cards_[cards_.size() - 1 - std::size_t(row)];
}

int TCardHistoryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(Count(), 1);
}

QVariant TCardHistoryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::SizeHintRole)
        return QSize(0, RowHeight);
    if (role != Qt::DisplayRole)
        return {};
    return cards_.empty() ? EmptyHistoryRow : FromDictText(At(index.row()).Headword);
}

} // namespace morva
