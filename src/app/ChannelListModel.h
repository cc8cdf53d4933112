#pragma once
// The channel browser's entry list: one TChannelInfo per row, kept in the order of the current sort
// mode, shown by a list view as row texts. New rows go before existing rows with an equal key. Rows
// arriving in bulk are queued and committed in batches, so the view hears of a batch once.
#include <QAbstractListModel>
#include <QHash>
#include <QSet>
#include <QString>
#include <memory>
#include <vector>

struct TChannelInfo {
    QString ChannelName;    // as listed (in the visual-only mode without its ".av")
    QString Desc;           // the topic as listed
    QString CompanionTopic; // the topic of the ".av" companion, where it is known
    int Users = 0;
};

enum class TChannelSort { ByChannel, ByUsers, ByDescription };

// "%-20.20s  %4d  %-50s" of name, users and description.
QString ChannelRowText(const QString &Name, int Users, const QString &Desc);
// A topic without the "[+modes] " some servers put before every LIST topic.
QString WithoutModePrefix(const QString &Topic);

class TChannelListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // Beside Qt::DisplayRole (the row text) the row's fields for the delegate.
    enum Role { NameRole = Qt::UserRole + 1, UsersRole, DescRole };

    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &Parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &Index, int Role = Qt::DisplayRole) const override;

    const TChannelInfo &Entry(int Row) const { return FRows.at(std::size_t(Row))->Info; }
    // The first entry listed or queued under exactly this name, or null.
    TChannelInfo *FindName(const QString &Name) { return FByName.value(Name); }
    // Queues a row for the next Commit; false (nothing queued) when a row with the same text,
    // ignoring letter case, is already listed or queued.
    bool Queue(const TChannelInfo &Info);
    bool HasQueuedRows() const { return !FQueued.empty(); }
    // Lists the queued rows in Sort's order, just as inserting each in arrival order would: one
    // insertion of the whole batch, then, where it interleaves with listed rows, one re-ordering.
    void Commit(TChannelSort Sort);
    // Queue and Commit of one row.
    bool Insert(const TChannelInfo &Info, TChannelSort Sort);
    // Commits queued rows, then sorts everything.
    void Sort(TChannelSort Sort);
    void Clear();

private:
    struct TRow {
        QString Text;
        TChannelInfo Info;
    };
    void MergeCommitted(std::size_t Listed, TChannelSort Sort);

    std::vector<std::unique_ptr<TRow>> FStore; // owns the rows, in arrival order
    std::vector<TRow *> FRows;                 // the listed rows in list order
    std::vector<TRow *> FQueued;               // rows waiting for the next Commit, in arrival order
    QSet<QString> FFoldedRowTexts;
    QHash<QString, TChannelInfo *> FByName;
};
