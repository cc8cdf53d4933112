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
    const TRow &row = *FRows[std::size_t(Index.row())];
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

bool TChannelListModel::Queue(const TChannelInfo &Info)
{
    auto row = std::make_unique<TRow>(TRow{ChannelRowText(Info.ChannelName, Info.Users, Info.Desc), Info});
    const QString folded = row->Text.toCaseFolded();
    if (FFoldedRowTexts.contains(folded))
        return false;
    FFoldedRowTexts.insert(folded);
    TRow *queued = FStore.emplace_back(std::move(row)).get();
    FQueued.push_back(queued);
    if (!FByName.contains(queued->Info.ChannelName))
        FByName.insert(queued->Info.ChannelName, &queued->Info);
    return true;
}

void TChannelListModel::Commit(TChannelSort Sort)
{
    if (FQueued.empty())
        return;
    const auto precedes = [Sort](const TRow *a, const TRow *b) { return Precedes(a->Info, b->Info, Sort); };
    const std::size_t listed = FRows.size();
    if (FQueued.size() == 1) {
        // The row goes before the first listed row it does not follow.
        TRow *row = FQueued.front();
        FQueued.clear();
        const auto at = std::partition_point(FRows.begin(), FRows.end(), [&](const TRow *r) { return precedes(r, row); });
        const int index = int(at - FRows.begin());
        beginInsertRows(QModelIndex(), index, index);
        FRows.insert(at, row);
        endInsertRows();
        return;
    }
    // Later arrivals go before earlier ones with an equal key, as one-by-one insertion would put them.
    std::reverse(FQueued.begin(), FQueued.end());
    std::stable_sort(FQueued.begin(), FQueued.end(), precedes);
    beginInsertRows(QModelIndex(), int(listed), int(listed + FQueued.size() - 1));
    FRows.insert(FRows.end(), FQueued.begin(), FQueued.end());
    FQueued.clear();
    endInsertRows();
    if (listed > 0 && !precedes(FRows[listed - 1], FRows[listed]))
        MergeCommitted(listed, Sort);
}

// The batch sits sorted after the Listed rows: merge it in, new rows before listed ones with an equal
// key, and carry the view's selection and current row along.
void TChannelListModel::MergeCommitted(std::size_t Listed, TChannelSort Sort)
{
    const auto precedes = [Sort](const TRow *a, const TRow *b) { return Precedes(a->Info, b->Info, Sort); };
    const auto batch = FRows.begin() + std::ptrdiff_t(Listed);
    // Listed rows before the batch's first row keep their places.
    const auto from = std::partition_point(FRows.begin(), batch, [&](const TRow *r) { return precedes(r, *batch); });
    const auto firstMoved = std::size_t(from - FRows.begin());

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<const TRow *> held;
    held.reserve(std::size_t(before.size()));
    for (const QModelIndex &index : before)
        held.push_back(FRows[std::size_t(index.row())]);

    const auto mid = std::rotate(from, batch, FRows.end());
    std::inplace_merge(from, mid, FRows.end(), precedes);

    QModelIndexList after;
    after.reserve(before.size());
    for (std::size_t i = 0; i < held.size(); ++i) {
        const auto row = std::size_t(before.at(qsizetype(i)).row());
        if (row < firstMoved) {
            after << before.at(qsizetype(i));
            continue;
        }
        const auto equal = std::partition_point(FRows.begin() + std::ptrdiff_t(firstMoved), FRows.end(),
                                                [&](const TRow *r) { return precedes(r, held[i]); });
        const auto found = std::find(equal, FRows.end(), held[i]);
        after << index(int(found - FRows.begin()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

bool TChannelListModel::Insert(const TChannelInfo &Info, TChannelSort Sort)
{
    if (!Queue(Info))
        return false;
    Commit(Sort);
    return true;
}

void TChannelListModel::Sort(TChannelSort Sort)
{
    Commit(Sort);
    beginResetModel();
    std::stable_sort(FRows.begin(), FRows.end(), [Sort](const TRow *a, const TRow *b) { return Precedes(a->Info, b->Info, Sort); });
    endResetModel();
}

void TChannelListModel::Clear()
{
    beginResetModel();
    FRows.clear();
    FQueued.clear();
    FStore.clear();
    FFoldedRowTexts.clear();
    FByName.clear();
    endResetModel();
}
