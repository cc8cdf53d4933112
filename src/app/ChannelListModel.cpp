#include "ChannelListModel.h"

#include <QRegularExpression>
#include <algorithm>

namespace {
// Whether a belongs before b in the sort order (ties are equal in every mode).
bool Precedes(const TChannelInfo &a, const TChannelInfo &b, TChannelSort sort)
{
    switch (sort) {
    case TChannelSort::ByChannel:
        return a.ChannelName < b.ChannelName;
    case TChannelSort::ByDescription:
        return a.Desc < b.Desc;
    case TChannelSort::ByUsers:
        return a.Users > b.Users;
    }
    return false;
}
} // namespace

QString ChannelRowText(const QString &Name, int Users, const QString &Desc)
{
    return Name.leftJustified(20, QLatin1Char(' '), true) + QStringLiteral("  ") +
           QString::number(Users).rightJustified(4) + QStringLiteral("  ") + Desc.leftJustified(50);
}

QString WithoutModePrefix(const QString &Topic)
{
    static const QRegularExpression prefix(QStringLiteral("^\\[\\+[A-Za-z]*(?: [^\\]]*)?\\](?: |$)"));
    const QRegularExpressionMatch match = prefix.match(Topic);
    return match.hasMatch() ? Topic.mid(match.capturedLength()) : Topic;
}

int TChannelListModel::rowCount(const QModelIndex &Parent) const
{
    return Parent.isValid() ? 0 : static_cast<int>(FRows.size());
}

QVariant TChannelListModel::data(const QModelIndex &Index, int Role) const
{
    if (!Index.isValid() || Index.row() >= rowCount())
        return {};
    const TRow &row = *FRows.at(Index.row());
    switch (Role) {
    case Qt::DisplayRole:
        return row.Text;
    case NameRole:
        return row.Info.ChannelName;
    case UsersRole:
        return row.Info.Users;
    case DescRole:
        return row.Info.Desc;
    default:
        return {};
    }
}

bool TChannelListModel::Insert(const TChannelInfo &Info, TChannelSort Sort)
{
    auto row = std::make_unique<TRow>(TRow{ChannelRowText(Info.ChannelName, Info.Users, Info.Desc), Info});
    const QString folded = row->Text.toCaseFolded();
    if (FFoldedRowTexts.contains(folded))
        return false;
    // The rows are in Sort's order: the new row goes before the first one it does not follow.
    const auto index = static_cast<int>(
        FRows.PartitionPoint([&](const TRow *existing) { return Precedes(existing->Info, Info, Sort); }));
    beginInsertRows(QModelIndex(), index, index);
    FRows.insert(index, row.get());
    TChannelInfo *entry = &FStore.emplace_back(std::move(row))->Info;
    FFoldedRowTexts.insert(folded);
    if (!FByName.contains(entry->ChannelName))
        FByName.insert(entry->ChannelName, entry);
    endInsertRows();
    return true;
}

void TChannelListModel::Sort(TChannelSort Sort)
{
    beginResetModel();
    std::vector<TRow *> rows = FRows.TakeAll();
    std::stable_sort(rows.begin(), rows.end(), [Sort](const TRow *a, const TRow *b) { return Precedes(a->Info, b->Info, Sort); });
    FRows.Assign(std::move(rows));
    endResetModel();
}

void TChannelListModel::Clear()
{
    beginResetModel();
    FRows.clear();
    FStore.clear();
    FFoldedRowTexts.clear();
    FByName.clear();
    endResetModel();
}
