#pragma once
// The channel browser's entry list: one TChannelInfo per row, kept in the order of the current sort
// mode, shown by a list view as row texts. New rows go before existing rows with an equal key.
#include <QAbstractListModel>
#include <QHash>
#include <QSet>
#include <QString>
#include <memory>
#include <vector>

#include "ChunkedList.h"

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

    const TChannelInfo &Entry(int Row) const { return FRows.at(Row)->Info; }
    // The first entry listed under exactly this name, or null.
    TChannelInfo *FindName(const QString &Name) { return FByName.value(Name); }
    // Inserts by Sort's rule; false (nothing added) when a row with the same text, ignoring letter
    // case, is already listed.
    bool Insert(const TChannelInfo &Info, TChannelSort Sort);
    void Sort(TChannelSort Sort);
    void Clear();

private:
    struct TRow {
        QString Text;
        TChannelInfo Info;
    };
    std::vector<std::unique_ptr<TRow>> FStore; // owns the rows, in arrival order
    TChunkedList<TRow *> FRows;                // the rows in list order
    QSet<QString> FFoldedRowTexts;
    QHash<QString, TChannelInfo *> FByName;
};
