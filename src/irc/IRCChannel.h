#pragma once
// Who is in one joined channel: nicks with their "@"/"+" marks from names replies and joins,
// long nicks (nick!user@host) from WHO replies and joins. The dispatcher is its only writer.
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVarLengthArray>
#include <functional>
#include <optional>

class TIRCChannel;
class TIRCClient;

using TShortListChangedEvent = std::function<void(TIRCChannel *IRCChannel, TIRCClient *IRCClient)>;
using TLongListChangedEvent = std::function<void(TIRCChannel *IRCChannel, TIRCClient *IRCClient)>;

class TIRCChannel : public QObject {
    Q_OBJECT
public:
    explicit TIRCChannel(QObject *Owner = nullptr);

    QString ChannelName() const { return FChannelName; }
    // Stores the name only while it is still empty: a channel is named once.
    void SetChannelName(const QString &Name);

    QString ChannelMode; // stored for the host; modes never change it
    TShortListChangedEvent OnShortListChanged;
    TLongListChangedEvent OnLongListChanged;

    const QStringList &ShortList() const { return FShortList; }
    const QStringList &LongList() const { return FLongList; }

    TIRCClient *IRCClient = nullptr;
    bool NamesComplete = true; // no names reply in progress: the next one starts a fresh ShortList
    bool NotifyChanges = true; // while false AddUser and RemoveUser raise nothing

    // Long nicks match by their nick part ignoring letter case, whatever the user name looks like.

    // Appends Name unless an equal entry (ignoring case, mark included) is there. Raises nothing.
    void AddShortName(const QString &Name);
    void ClearShortList();
    // Reports the end of a names reply through OnShortListChanged.
    void ShortListDone();
    // Appends a long nick once; raises OnLongListChanged when LongList has caught up with ShortList.
    void AddLongName(const QString &LongNick);
    // A join: the long nick into LongList, the marked short nick into ShortList.
    void AddUser(const QString &Name);
    // A part or quit (long nick) or a kick (bare nick); raises both events even when nothing went.
    void RemoveUser(const QString &Name);
    // A nick change: the user comes back under NewNick, keeping an "@" or "+" mark.
    void RenameUser(const QString &OldName, const QString &NewNick);
    // A kick: like RemoveUser with the bare nick, and the long nick of that nick goes too.
    void KickUser(const QString &Nick);
    // An operator ('o') or voice ('v') mode given or taken: the ShortList entries of Nick (ignoring
    // case) get the mark that follows, "@" winning over "+". Raises nothing; tells whether an entry changed.
    bool SetMemberMode(const QString &Nick, QChar Mode, bool On);
    // The mark of Nick's ShortList entry ("@", "+" or empty), ignoring case; none when Nick has no entry.
    std::optional<QString> MemberMark(const QString &Nick) const;

private:
    // Everything the lists hold of one nick, found by its case-folded nick.
    struct TMember {
        quint64 Long = 0;                   // sequence number of its LongList entry; 0 when none
        QVarLengthArray<quint64, 1> Short;  // those of its ShortList entries
        bool Op = false;
        bool Voice = false;
        QString Mark() const;
    };
    // Removes without raising anything; tells whether any entry went.
    bool RemoveEntries(const QString &Name);
    void AppendShort(const QString &Entry, const QString &Key);
    void AppendLong(const QString &LongNick, TMember &Member);
    void RemoveLong(TMember &Member);
    void RemoveShort(TMember &Member, qsizetype Which);
    void ForgetIfEmpty(const QString &Key);
    void RaiseBothChanged();

    QString FChannelName;
    QStringList FShortList;
    QStringList FLongList;
    // Each list entry's sequence number, rising with each append: an entry's position is found by a
    // binary search, so no removal scans the list.
    QList<quint64> FShortSeq;
    QList<quint64> FLongSeq;
    quint64 FNextSeq = 1;
    QHash<QString, TMember> FMembers;
};
