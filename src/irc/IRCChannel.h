#pragma once
// Who is in one joined channel: nicks with their "@"/"+" marks from names replies and joins,
// long nicks (nick!user@host) from WHO replies and joins. The dispatcher is its only writer.
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

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
    // A nick change: the user comes back under NewNick, without any mark.
    void RenameUser(const QString &OldName, const QString &NewNick);
    // A kick: like RemoveUser with the bare nick, and every long nick of that nick goes too.
    void KickUser(const QString &Nick);

private:
    // Removes without raising anything; tells whether any entry went.
    bool RemoveEntries(const QString &Name);
    bool RemoveShortEntries(const QString &Nick);
    void RaiseBothChanged();

    QString FChannelName;
    QStringList FShortList;
    QStringList FLongList;
};
