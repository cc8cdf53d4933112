#include "IRCChannel.h"

#include <algorithm>

#include "IRCText.h"

namespace {
bool HasMark(const QString &Name) { return Name.startsWith(u'@') || Name.startsWith(u'+'); }

QString WithoutMark(const QString &Name) { return HasMark(Name) ? Name.mid(1) : Name; }

QString NickKey(const QString &Nick) { return Nick.toCaseFolded(); }
QString ShortKey(const QString &Entry) { return NickKey(WithoutMark(Entry)); }
QString LongKey(const QString &LongNick) { return NickKey(ShortNick(LongNick)); }

// Where the entry with sequence number Seq stands in its list.
qsizetype PositionOf(const QList<quint64> &Seqs, quint64 Seq)
{
    return std::lower_bound(Seqs.cbegin(), Seqs.cend(), Seq) - Seqs.cbegin();
}
} // namespace

QString TIRCChannel::TMember::Mark() const
{
    return Op ? QStringLiteral("@") : Voice ? QStringLiteral("+") : QString();
}

TIRCChannel::TIRCChannel(QObject *Owner) : QObject(Owner) {}

void TIRCChannel::SetChannelName(const QString &Name)
{
    if (FChannelName.isEmpty())
        FChannelName = Name;
}

void TIRCChannel::AddShortName(const QString &Name)
{
    const QString key = ShortKey(Name);
    const auto member = FMembers.constFind(key);
    if (member != FMembers.cend())
        for (const quint64 seq : member->Short)
            if (FShortList.at(PositionOf(FShortSeq, seq)).compare(Name, Qt::CaseInsensitive) == 0)
                return;
    AppendShort(Name, key);
}

void TIRCChannel::ClearShortList()
{
    FShortList.clear();
    FShortSeq.clear();
    for (auto it = FMembers.begin(); it != FMembers.end();) {
        if (it->Long == 0) {
            it = FMembers.erase(it);
        } else {
            it->Short.clear();
            it->Op = it->Voice = false;
            ++it;
        }
    }
}

void TIRCChannel::ShortListDone()
{
    if (OnShortListChanged)
        OnShortListChanged(this, IRCClient);
}

void TIRCChannel::AddLongName(const QString &LongNick)
{
    TMember &member = FMembers[LongKey(LongNick)];
    if (member.Long != 0)
        return;
    AppendLong(LongNick, member);
    if (FLongList.size() == FShortList.size() && OnLongListChanged)
        OnLongListChanged(this, IRCClient);
}

void TIRCChannel::AddUser(const QString &Name)
{
    const QString mark = HasMark(Name) ? Name.left(1) : QString();
    const QString longNick = WithoutMark(Name);
    const QString nick = ShortNick(longNick);
    const QString key = NickKey(nick);
    TMember &member = FMembers[key];
    if (member.Long != 0)
        return;
    AppendLong(longNick, member);
    AppendShort(mark + nick, key);
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
    QString mark = HasMark(OldName) ? OldName.left(1) : QString();
    const QString oldName = WithoutMark(OldName);
    const TMember old = FMembers.value(LongKey(oldName));
    NotifyChanges = false;
    const bool removed = RemoveEntries(oldName);
    NotifyChanges = true;
    if (!removed)
        return;
    if (mark.isEmpty())
        mark = old.Mark();
    const qsizetype before = FLongList.size();
    AddUser(mark + NewNick + oldName.mid(ShortNick(oldName).size()));
    const auto renamed = FMembers.find(NickKey(NewNick));
    if (FLongList.size() > before && renamed != FMembers.end()) { // voice stays under an operator's "@"
        renamed->Op |= old.Op;
        renamed->Voice |= old.Voice;
    }
}

void TIRCChannel::KickUser(const QString &Nick)
{
    RemoveEntries(Nick);
    const QString key = NickKey(Nick);
    const auto member = FMembers.find(key);
    if (member != FMembers.end() && member->Long != 0) {
        RemoveLong(*member);
        ForgetIfEmpty(key);
    }
    if (NotifyChanges)
        RaiseBothChanged();
}

bool TIRCChannel::SetMemberMode(const QString &Nick, QChar Mode, bool On)
{
    const auto member = FMembers.find(NickKey(Nick));
    if (member == FMembers.end() || member->Short.isEmpty() || (Mode != u'o' && Mode != u'v'))
        return false;
    (Mode == u'o' ? member->Op : member->Voice) = On;
    const QString mark = member->Mark();
    bool changed = false;
    for (const quint64 seq : member->Short) {
        QString &entry = FShortList[PositionOf(FShortSeq, seq)];
        const QString marked = mark + WithoutMark(entry);
        if (marked != entry) {
            entry = marked;
            changed = true;
        }
    }
    return changed;
}

std::optional<QString> TIRCChannel::MemberMark(const QString &Nick) const
{
    const auto member = FMembers.constFind(NickKey(Nick));
    if (member == FMembers.cend() || member->Short.isEmpty())
        return std::nullopt;
    const QString &entry = FShortList.at(PositionOf(FShortSeq, member->Short.front()));
    return HasMark(entry) ? entry.left(1) : QString();
}

bool TIRCChannel::RemoveEntries(const QString &Name)
{
    const QString name = WithoutMark(Name);
    const QString nick = ShortNick(name);
    const QString key = NickKey(nick);
    const auto member = FMembers.find(key);
    if (member == FMembers.end())
        return false;
    bool removed = false;
    // A long nick matches by its nick part; a bare nick (a kick's) matches no long nick.
    if (member->Long != 0
        && (name.contains(u'!')
            || FLongList.at(PositionOf(FLongSeq, member->Long)).compare(name, Qt::CaseInsensitive) == 0)) {
        RemoveLong(*member);
        removed = true;
    }
    for (qsizetype i = member->Short.size() - 1; i >= 0; --i) {
        if (WithoutMark(FShortList.at(PositionOf(FShortSeq, member->Short.at(i)))) == nick) {
            RemoveShort(*member, i);
            removed = true;
        }
    }
    ForgetIfEmpty(key);
    return removed;
}

void TIRCChannel::AppendShort(const QString &Entry, const QString &Key)
{
    TMember &member = FMembers[Key];
    member.Short.append(FNextSeq);
    member.Op |= Entry.startsWith(u'@');
    member.Voice |= Entry.startsWith(u'+');
    FShortSeq << FNextSeq++;
    FShortList << Entry;
}

void TIRCChannel::AppendLong(const QString &LongNick, TMember &Member)
{
    Member.Long = FNextSeq;
    FLongSeq << FNextSeq++;
    FLongList << LongNick;
}

void TIRCChannel::RemoveLong(TMember &Member)
{
    const qsizetype at = PositionOf(FLongSeq, Member.Long);
    FLongList.removeAt(at);
    FLongSeq.removeAt(at);
    Member.Long = 0;
}

void TIRCChannel::RemoveShort(TMember &Member, qsizetype Which)
{
    const qsizetype at = PositionOf(FShortSeq, Member.Short.at(Which));
    FShortList.removeAt(at);
    FShortSeq.removeAt(at);
    Member.Short.remove(Which);
}

void TIRCChannel::ForgetIfEmpty(const QString &Key)
{
    const auto member = FMembers.find(Key);
    if (member != FMembers.end() && member->Long == 0 && member->Short.isEmpty())
        FMembers.erase(member);
}

void TIRCChannel::RaiseBothChanged()
{
    if (OnShortListChanged)
        OnShortListChanged(this, IRCClient);
    if (OnLongListChanged)
        OnLongListChanged(this, IRCClient);
}
