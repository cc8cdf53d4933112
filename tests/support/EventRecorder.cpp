#include "EventRecorder.h"

TEventRecorder::TEventRecorder(TIRCClient &Client) : FClient(Client)
{
    auto &c = Client;
    c.OnIRCData = [this](QObject *s, QString a) { Add("OnIRCData", s, {a}); };
    c.OnConnect = [this](QObject *s, QString a) { Add("OnConnect", s, {a}); };
    c.OnDisconnect = [this](QObject *s, QString a) { Add("OnDisconnect", s, {a}); };
    c.OnCommError = [this](QObject *s, TErrorEvent k, int code) {
        Add("OnCommError", s, {QString::number(int(k)), QString::number(code)});
    };
    c.OnServerMsg = [this](QObject *s, int code, QString a) { Add("OnServerMsg", s, {QString::number(code), a}); };
    c.OnChannelMsg = [this](QObject *s, QString a, QString b, QString m) { Add("OnChannelMsg", s, {a, b, m}); };
    c.OnNewChannelMsg = [this](QObject *s, QString a, int n, QString d) {
        Add("OnNewChannelMsg", s, {a, QString::number(n), d});
    };
    c.OnPrivateMsg = [this](QObject *s, QString a, QString m) { Add("OnPrivateMsg", s, {a, m}); };
    c.OnUserInChannelMsg = [this](QObject *s, QString a, QString u) { Add("OnUserInChannelMsg", s, {a, u}); };
    c.OnCTCPRequest = [this](QObject *s, QString a, QString r) { Add("OnCTCPRequest", s, {a, r}); };
    c.OnCTCPReply = [this](QObject *s, QString a, QString r) { Add("OnCTCPReply", s, {a, r}); };
    c.OnEndMOTD = [this] { Add("OnEndMOTD", &FClient, {}); };
    c.OnLoginRefused = [this](QObject *s, int code) { Add("OnLoginRefused", s, {QString::number(code)}); };
    c.OnJoin = [this](QObject *s, QString n, QString ch) { Add("OnJoin", s, {n, ch}); };
    c.OnPart = [this](QObject *s, QString n, QString ch) { Add("OnPart", s, {n, ch}); };
    c.OnJoined = [this](QObject *s, TIRCChannel *channel, QString ch) {
        LastJoined = channel;
        Add("OnJoined", s, {channel ? channel->ChannelName() : "null", ch});
    };
    c.OnParted = [this](QObject *s, QString ch) { Add("OnParted", s, {ch}); };
    c.OnQuit = [this](QObject *s, QString n, QString m) { Add("OnQuit", s, {n, m}); };
    c.OnKick = [this](QObject *s, QString ch, QString k, QString v, QString m) { Add("OnKick", s, {ch, k, v, m}); };
    c.OnKicked = [this](QObject *s, QString ch, QString k, QString m) { Add("OnKicked", s, {ch, k, m}); };
    c.OnInvited = [this](QObject *s, QString ch, QString by) { Add("OnInvited", s, {ch, by}); };
    c.OnConsole = [this](QObject *s, QString m) { Add("OnConsole", s, {m}); };
    c.OnNotice = [this](QObject *s, QString f, QString m) { Add("OnNotice", s, {f, m}); };
    c.OnNickChange = [this](QObject *s, QString o, QString n) { Add("OnNickChange", s, {o, n}); };
    c.OnModeChange = [this](QObject *s, QString ch, QString by, QString m, QString on) {
        Add("OnModeChange", s, {ch, by, m, on});
    };
    c.OnTopicChange = [this](QObject *s, QString ch, QString by, QString t) { Add("OnTopicChange", s, {ch, by, t}); };
    c.OnOther = [this](QObject *s, QString a) { Add("OnOther", s, {a}); };
    c.OnDCCChatRequest = [this](QObject *s, QString f, bool &accept) {
        DCCAccept = accept;
        Add("OnDCCChatRequest", s, {f});
    };
}

void TEventRecorder::WatchRosters()
{
    auto previous = FClient.OnJoined;
    FClient.OnJoined = [this, previous](QObject *s, TIRCChannel *channel, QString ch) {
        channel->OnShortListChanged = [this](TIRCChannel *c, TIRCClient *client) {
            Add("OnShortListChanged", client, {c->ChannelName(), c->ShortList().join(' ')});
        };
        channel->OnLongListChanged = [this](TIRCChannel *c, TIRCClient *client) {
            Add("OnLongListChanged", client, {c->ChannelName(), c->LongList().join(' ')});
        };
        previous(s, channel, ch);
    };
}

QString TEventRecorder::Tag(QObject *Sender) const
{
    if (Sender == &FClient)
        return QString();
    if (Sender == FClient.Socket())
        return QStringLiteral("[socket]");
    return QStringLiteral("[other]");
}

void TEventRecorder::Add(const QString &Name, QObject *Sender, const QStringList &Args)
{
    Log << Name + Tag(Sender) + "(" + Args.join(", ") + ")";
}
