// The dispatcher of TIRCClient: one received line into roster changes and typed events.
#include <QStringBuilder>

#include "ChattleError.h"
#include "IRCChannel.h"
#include "IRCClient.h"
#include "IRCModes.h"
#include "IRCText.h"

namespace {
// Each parameter of a numeric report keeps at most this many characters.
constexpr qsizetype MaxReportedParam = 999;

int CodeOf(const QString &Param)
{
    bool numeric = false;
    const int code = Param.toInt(&numeric);
    return numeric ? code : -1;
}
} // namespace

const QString &TIRCClient::Param(qsizetype Index) const
{
    if (Index >= FParams.size())
        throw EProtocolError(QStringLiteral("Too few parameters in a server line (wanted %1, got %2)")
                                 .arg(Index + 1)
                                 .arg(FParams.size()));
    return FParams.at(Index);
}

const QString &TIRCClient::TextFrom(qsizetype Index) const
{
    Param(Index);
    return FParams.last();
}

QString TIRCClient::OptionalTextFrom(qsizetype Index) const
{
    return Index < FParams.size() ? FParams.last() : QString();
}

void TIRCClient::DispatchLine(const QString &Line)
{
    if (FCap.Active() && NegotiateCap(Line))
        return;
    // The line without its ":" is copied only for the handlers that take it.
    const QStringView lineText = Line.startsWith(u':') ? QStringView(Line).mid(1) : QStringView(Line);
    SplitIRCParams(lineText, FParams);
    const int code = CodeOf(Param(1));
    if (OnIRCData)
        OnIRCData(this, lineText.toString());
    if (code >= 0) {
        DispatchNumeric(code);
        ReportNumeric(code);
    } else {
        FParams[1] = FParams[1].toUpper();
        DispatchCommand(lineText);
    }
}

void TIRCClient::DispatchNumeric(int Code)
{
    switch (Code) {
    case 1: // welcome
        RegistrationEnded();
        break;
    case 322: // LIST entry
        if (OnNewChannelMsg && Param(3) != u"*") {
            const QString name = Param(3);
            bool numeric = false;
            const int userCount = Param(4).toInt(&numeric);
            if (!numeric)
                throw EProtocolError("A LIST reply's user count is not a number: " + FParams.at(4));
            if (FParams.size() < 6)
                FParams << QStringLiteral(" ");
            OnNewChannelMsg(this, name, userCount, FParams.at(5));
        }
        break;
    case 353: { // names reply: "<channel> :<names>" after the "=" rule
        const QString last = FParams.last();
        const qsizetype blank = last.indexOf(u' ');
        if (blank < 0)
            break;
        const QString channelName = last.left(blank);
        TIRCChannel *channel = FindChannel(channelName);
        if (!channel)
            break;
        if (channel->NamesComplete) {
            channel->ClearShortList();
            channel->NamesComplete = false;
        }
        for (const QStringView nameView : QStringView(last).mid(blank + 2).split(u' ', Qt::SkipEmptyParts)) {
            const QString name = nameView.toString();
            channel->AddShortName(name);
            if (OnUserInChannelMsg)
                OnUserInChannelMsg(this, channelName, ShortNick(name));
        }
        break;
    }
    case 352: // WHO reply: me #channel user host server nick flags :hops realname
        if (TIRCChannel *channel = FindChannel(Param(3))) {
            QString user = Param(4);
            if (user.startsWith(u'~'))
                user.remove(0, 1);
            channel->AddLongName(Param(7) % u'!' % user % u'@' % Param(5));
        }
        break;
    case 366: // end of names
        if (TIRCChannel *channel = FindChannel(Param(3))) {
            channel->NamesComplete = true;
            channel->ShortListDone();
        }
        break;
    case 376: // end of MOTD
    case 422: // no MOTD: registration has ended all the same
        if (OnEndMOTD)
            OnEndMOTD();
        break;
    case 332: // the topic on joining: me #channel :topic
        if (OnTopicIs)
            OnTopicIs(this, Param(3), Param(4));
        break;
    default:
        break;
    }
}

void TIRCClient::ReportNumeric(int Code)
{
    if (!OnServerMsg)
        return;
    QString msg;
    qsizetype length = 0;
    for (qsizetype i = 3; i < FParams.size(); ++i)
        length += FParams.at(i).size() + 1;
    msg.reserve(length);
    for (qsizetype i = 3; i < FParams.size(); ++i) {
        const QStringView param = FParams.at(i);
        msg += (param.startsWith(u':') ? param.mid(1) : param).left(MaxReportedParam);
        msg += u' ';
    }
    OnServerMsg(this, Code, msg);
}

void TIRCClient::DispatchCommand(QStringView LineText)
{
    const QString &command = FParams.at(1);
    if (command == u"PRIVMSG")
        DispatchPrivMsg();
    else if (command == u"JOIN")
        DispatchJoin();
    else if (command == u"PART")
        DispatchPart();
    else if (command == u"QUIT")
        DispatchQuit();
    else if (command == u"KICK")
        DispatchKick();
    else if (command == u"NICK")
        DispatchNick();
    else if (command == u"NOTICE")
        DispatchNotice();
    else if (command == u"INVITE") {
        if (OnInvited)
            OnInvited(this, TextFrom(3), FParams.at(0));
    } else if (command == u"TOPIC") {
        if (OnTopicChange)
            OnTopicChange(this, Param(2), FParams.at(0), TextFrom(3));
    } else if (command == u"MODE")
        DispatchMode();
    else if (OnOther)
        OnOther(this, LineText.toString());
}

void TIRCClient::DispatchPrivMsg()
{
    const QString target = Param(2);
    const QString from = FParams.at(0);
    const QString text = TextFrom(3);
    if (target.startsWith(u'#')) {
        if (OnChannelMsg)
            OnChannelMsg(this, ShortNick(from), target, text);
        return;
    }
    if (text.startsWith(CTCPDelimiter) && OnDCCChatRequest
        && StripCTCPFraming(text).toUpper().startsWith(u"DCC CHAT CHAT")) {
        bool accept = true; // the handler's answer is not used: DCC chat stops at the request
        OnDCCChatRequest(this, from, accept);
        return;
    }
    if (OnPrivateMsg)
        OnPrivateMsg(this, ShortNick(from), text);
}

void TIRCClient::DispatchJoin()
{
    const QString channelName = Param(2);
    const QString prefix = FParams.at(0);
    if (ShortNickView(prefix) == FOwnNick) {
        auto *channel = new TIRCChannel(this);
        channel->IRCClient = this;
        channel->SetChannelName(channelName);
        FChannels << channel;
        // The long names are a nicety: the request waits behind what the user sends.
        if (RetrieveLongNames)
            SendRaw("WHO " + channelName, TSendPriority::Low);
        if (OnJoined)
            OnJoined(this, channel, channelName);
        return;
    }
    if (OnJoin)
        OnJoin(this, ShortNick(prefix), channelName);
    if (TIRCChannel *channel = FindChannel(channelName))
        channel->AddUser(prefix);
}

void TIRCClient::DispatchPart()
{
    const QString channelName = Param(2);
    const QString prefix = FParams.at(0);
    if (ShortNickView(prefix) == FOwnNick) {
        RemoveChannel(FindChannel(channelName));
        if (OnParted)
            OnParted(this, channelName);
        return;
    }
    if (OnPart)
        OnPart(this, ShortNick(prefix), channelName);
    if (TIRCChannel *channel = FindChannel(channelName))
        channel->RemoveUser(prefix);
}

void TIRCClient::DispatchQuit()
{
    const QString prefix = FParams.at(0);
    const QString msg = OptionalTextFrom(2);
    if (ShortNickView(prefix) == FOwnNick) {
        FreeChannels();
    } else {
        // Index walk: a handler may empty Channels while we go.
        for (qsizetype i = FChannels.size() - 1; i >= 0; --i)
            if (i < FChannels.size())
                FChannels.at(i)->RemoveUser(prefix);
    }
    if (OnQuit)
        OnQuit(this, ShortNick(prefix), msg);
}

void TIRCClient::DispatchKick()
{
    const QString channelName = Param(2);
    const QString victim = Param(3);
    const QString kicker = ShortNick(FParams.at(0));
    const QString msg = OptionalTextFrom(4);
    const bool ownKick = victim == FOwnNick;
    if (ownKick && OnKicked)
        OnKicked(this, channelName, kicker, msg);
    else if (OnKick)
        OnKick(this, channelName, kicker, victim, msg);
    TIRCChannel *channel = FindChannel(channelName);
    if (!channel)
        return;
    if (ownKick)
        RemoveChannel(channel); // as the own PART does
    else
        channel->KickUser(victim);
}

void TIRCClient::DispatchNick()
{
    const QString prefix = FParams.at(0);
    const QString newNick = Param(2);
    if (ShortNickView(prefix) == FOwnNick)
        FOwnNick = newNick;
    if (OnNickChange)
        OnNickChange(this, ShortNick(prefix), ShortNick(newNick));
    for (qsizetype i = FChannels.size() - 1; i >= 0; --i)
        if (i < FChannels.size())
            FChannels.at(i)->RenameUser(prefix, newNick);
}

void TIRCClient::DispatchNotice()
{
    const QString &text = TextFrom(3);
    if (text.startsWith(CTCPDelimiter)) {
        if (OnCTCPReply)
            OnCTCPReply(this, FParams.at(0), StripCTCPFraming(text));
    } else if (OnChannelNotice && Param(2).startsWith(u'#')) {
        OnChannelNotice(this, ShortNick(FParams.at(0)), FParams.at(2), text);
    } else if (OnNotice) {
        OnNotice(this, FParams.at(0), text);
    }
}

void TIRCClient::DispatchMode()
{
    const QString channelName = Param(2);
    const QString mode = Param(3);
    // Operator and voice marks change before the event, so its handlers see the new marks.
    if (TIRCChannel *channel = FindChannel(channelName)) {
        const QStringList before = channel->ShortList(); // shared until a mark changes
        bool touched = false;
        for (const TMemberModeChange &change : MemberModeChanges(mode, FParams.mid(4)))
            touched |= channel->SetMemberMode(change.Nick, change.Mode, change.On);
        if (touched && channel->ShortList() != before) // "+o-o bob bob" may end where it began
            channel->ShortListDone();
    }
    if (OnModeChange)
        OnModeChange(this, channelName, FParams.at(0), mode, FParams.mid(4).join(u' '));
}

void TIRCClient::RemoveChannel(TIRCChannel *Channel)
{
    if (!Channel)
        return;
    // deleteLater, as FreeChannels: a handler further up the stack may still hold the roster.
    FChannels.removeOne(Channel);
    Channel->deleteLater();
}
