// The dispatcher of TIRCClient: one received line into roster changes and typed events.
#include "ChattleError.h"
#include "IRCChannel.h"
#include "IRCClient.h"
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

void TIRCClient::DispatchLine(const QString &Line)
{
    const QString lineText = Line.startsWith(u':') ? Line.mid(1) : Line;
    FParams = SplitIRCParams(lineText);
    const int code = CodeOf(Param(1));
    if (OnIRCData)
        OnIRCData(this, lineText);
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
        const QStringList names = last.mid(blank + 2).split(u' ', Qt::SkipEmptyParts);
        for (const QString &name : names) {
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
            channel->AddLongName(Param(7) + "!" + user + "@" + Param(5));
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
    for (qsizetype i = 3; i < FParams.size(); ++i) {
        const QString &param = FParams.at(i);
        msg += (param.startsWith(u':') ? param.mid(1) : param).left(MaxReportedParam) + u' ';
    }
    OnServerMsg(this, Code, msg);
}

void TIRCClient::DispatchCommand(const QString &LineText)
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
            OnInvited(this, FParams.last(), FParams.at(0));
    } else if (command == u"TOPIC") {
        if (OnTopicChange)
            OnTopicChange(this, Param(2), FParams.at(0), FParams.last());
    } else if (command == u"MODE")
        DispatchMode();
    else if (OnOther)
        OnOther(this, LineText);
}

void TIRCClient::DispatchPrivMsg()
{
    const QString target = Param(2);
    const QString from = FParams.at(0);
    const QString text = FParams.last();
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
    if (ShortNick(prefix) == FOwnNick) {
        auto *channel = new TIRCChannel(this);
        channel->IRCClient = this;
        channel->SetChannelName(channelName);
        FChannels << channel;
        if (RetrieveLongNames)
            SendRaw("WHO " + channelName);
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
    if (ShortNick(prefix) == FOwnNick) {
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
    const QString msg = FParams.last();
    if (ShortNick(prefix) == FOwnNick) {
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
    const QString msg = FParams.last();
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
    if (ShortNick(prefix) == FOwnNick)
        FOwnNick = newNick;
    if (OnNickChange)
        OnNickChange(this, ShortNick(prefix), ShortNick(newNick));
    for (qsizetype i = FChannels.size() - 1; i >= 0; --i)
        if (i < FChannels.size())
            FChannels.at(i)->RenameUser(prefix, newNick);
}

void TIRCClient::DispatchNotice()
{
    const QString &text = FParams.last();
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
    if (!OnModeChange)
        return;
    const QString channelName = Param(2);
    const QString mode = Param(3);
    const QString modeOn = FParams.mid(4).join(u' ');
    OnModeChange(this, channelName, FParams.at(0), mode, modeOn);
}

void TIRCClient::RemoveChannel(TIRCChannel *Channel)
{
    if (!Channel)
        return;
    // deleteLater, as FreeChannels: a handler further up the stack may still hold the roster.
    FChannels.removeOne(Channel);
    Channel->deleteLater();
}
