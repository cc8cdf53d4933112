#include "IRCChannel.h"

#include "IRCText.h"

namespace {
bool HasMark(const QString &Name) { return Name.startsWith(u'@') || Name.startsWith(u'+'); }

QString WithoutMark(const QString &Name) { return HasMark(Name) ? Name.mid(1) : Name; }

bool ContainsIgnoringCase(const QStringList &List, const QString &Name)
{
    for (qsizetype i = List.size() - 1; i >= 0; --i)
        if (List.at(i).compare(Name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}
} // namespace

TIRCChannel::TIRCChannel(QObject *Owner) : QObject(Owner) {}

void TIRCChannel::SetChannelName(const QString &Name)
{
    if (FChannelName.isEmpty())
        FChannelName = Name;
}

void TIRCChannel::AddShortName(const QString &Name)
{
    if (!ContainsIgnoringCase(FShortList, Name))
        FShortList << Name;
}

void TIRCChannel::ClearShortList() { FShortList.clear(); }

void TIRCChannel::ShortListDone()
{
    if (OnShortListChanged)
        OnShortListChanged(this, IRCClient);
}

void TIRCChannel::AddLongName(const QString &LongNick)
{
    if (ContainsIgnoringCase(FLongList, LongNick))
        return;
    FLongList << LongNick;
    if (FLongList.size() == FShortList.size() && OnLongListChanged)
        OnLongListChanged(this, IRCClient);
}

void TIRCChannel::AddUser(const QString &Name)
{
    const QString mark = HasMark(Name) ? Name.left(1) : QString();
    const QString longNick = WithoutMark(Name);
    if (ContainsIgnoringCase(FLongList, longNick))
        return;
    FLongList << longNick;
    FShortList << mark + ShortNick(longNick);
    if (NotifyChanges)
        RaiseBothChanged();
}

void TIRCChannel::RemoveUser(const QString &Name)
{
    RemoveEntries(Name);
    if (NotifyChanges)
        RaiseBothChanged();
}

void TIRCChannel::RenameUser(const QString &OldName, const QString &NewNick)
{
    const QString mark = HasMark(OldName) ? OldName.left(1) : QString();
    const QString oldName = WithoutMark(OldName);
    NotifyChanges = false;
    const bool removed = RemoveEntries(oldName);
    NotifyChanges = true;
    if (!removed)
        return;
    AddUser(mark + NewNick + oldName.mid(ShortNick(oldName).size()));
}

void TIRCChannel::KickUser(const QString &Nick)
{
    RemoveEntries(Nick);
    for (qsizetype i = FLongList.size() - 1; i >= 0; --i)
        if (ShortNick(FLongList.at(i)) == Nick)
            FLongList.removeAt(i);
    if (NotifyChanges)
        RaiseBothChanged();
}

bool TIRCChannel::RemoveEntries(const QString &Name)
{
    const QString name = WithoutMark(Name);
    bool removed = false;
    for (qsizetype i = FLongList.size() - 1; i >= 0; --i) {
        if (FLongList.at(i).compare(name, Qt::CaseInsensitive) == 0) {
            FLongList.removeAt(i);
            removed = true;
        }
    }
    return RemoveShortEntries(ShortNick(name)) || removed;
}

bool TIRCChannel::RemoveShortEntries(const QString &Nick)
{
    bool removed = false;
    for (qsizetype i = FShortList.size() - 1; i >= 0; --i) {
        if (WithoutMark(FShortList.at(i)) == Nick) {
            FShortList.removeAt(i);
            removed = true;
        }
    }
    return removed;
}

void TIRCChannel::RaiseBothChanged()
{
    if (OnShortListChanged)
        OnShortListChanged(this, IRCClient);
    if (OnLongListChanged)
        OnLongListChanged(this, IRCClient);
}
