#include "IRCClient.h"

#include <QElapsedTimer>
#include <QTimer>
#include <utility>

#include "ChattleLog.h"
#include "ErrorHook.h"
#include "IRCChannel.h"
#include "IRCText.h"
#include "IrcLog.h"
#include "ProductInfo.h"
#include "TcpClientSocket.h"

namespace {
constexpr int LineTimerMilliseconds = 50;
const QString DefaultRealName = ProductName + QStringLiteral(" ") + ProductVersion + QStringLiteral(" by ") + MakerName +
                                QStringLiteral(" - ") + MakerWebAddress;
// Reported with OnDisconnect when the socket fails; the error itself follows with OnCommError.
const QString SocketErrorText = QStringLiteral("Connection error");

// A sent line as the raw log shows it: the server password and the SASL login stay out of the log.
QString Loggable(const QString &Line)
{
    if (Line.startsWith(QLatin1String("PASS "), Qt::CaseInsensitive))
        return QStringLiteral("PASS ****");
    if (Line.startsWith(QLatin1String("AUTHENTICATE "), Qt::CaseInsensitive) && Line != u"AUTHENTICATE PLAIN"
        && Line != u"AUTHENTICATE +")
        return QStringLiteral("AUTHENTICATE ****");
    return Line;
}

// A LIST reply (322) from a server prefix.
bool IsListReply(const QString &Line)
{
    const qsizetype blank = Line.indexOf(u' ');
    return blank >= 0 && QStringView(Line).mid(blank, 5) == u" 322 ";
}
} // namespace

TIRCClient::TIRCClient(QObject *Owner, TClientSocket *Socket)
    : QObject(Owner), RealName(DefaultRealName), FSocket(Socket ? Socket : new TTcpClientSocket),
      FLineTimer(new QTimer(this)), FSendQueue(new TSendQueue([this](QString line) { WriteLine(line); }, this))
{
    FSocket->setParent(this);
    FSocket->OnConnect = [this](QObject *sender) { SocketConnect(sender); };
    FSocket->OnDisconnect = [this](QObject *sender) { SocketDisconnect(sender); };
    FSocket->OnRead = [this](QObject *sender) { SocketRead(sender); };
    FSocket->OnError = [this](QObject *sender, TErrorEvent kind, int &code) { SocketError(sender, kind, code); };
    FSocket->OnCertificateCheck = [this](QObject *, const TPeerCertificate &certificate) {
        return OnCertificateCheck && OnCertificateCheck(this, certificate);
    };
    FLineTimer->setInterval(LineTimerMilliseconds);
    connect(FLineTimer, &QTimer::timeout, this, [this] { PumpLines(); });
    FLineTimer->start();
}

TIRCClient::~TIRCClient()
{
    // No event is raised once destruction has begun.
    FSocket->OnConnect = nullptr;
    FSocket->OnDisconnect = nullptr;
    FSocket->OnRead = nullptr;
    FSocket->OnError = nullptr;
    FSocket->OnCertificateCheck = nullptr;
    FLineTimer->stop();
    FSocket->Close();
    qDeleteAll(FChannels);
    FChannels.clear();
}

void TIRCClient::SetOwnNick(const QString &Nick)
{
    if (FConnected)
        SendRaw("NICK " + Nick);
    else
        FOwnNick = Nick;
}

void TIRCClient::Connect()
{
    FDisconnecting = false;
    if (FConnected)
        FSocket->Close();
    ResetSendPath();
    // A port outside 1..65535 goes over as 0, which the socket refuses, instead of wrapping around.
    FSocket->SetHost(ServerAddress, ServerPort > 0 && ServerPort <= 65535 ? quint16(ServerPort) : quint16(0));
    FSocket->Secure = Secure;
    FFramer.Clear();
    try {
        FSocket->Open();
    } catch (const std::exception &e) {
        FConnected = false;
        FSocket->Close();
        if (OnDisconnect)
            OnDisconnect(this, QString::fromStdString(e.what()));
    }
}

void TIRCClient::Disconnect()
{
    FDisconnecting = true;
    FConnected = false;
    FSocket->Close();
    ResetSendPath();
    FreeChannels();
    if (OnDisconnect)
        OnDisconnect(this, QStringLiteral("Disconnected"));
}

void TIRCClient::SendRaw(const QString &Line, TSendPriority Priority)
{
    if (!FConnected)
        return;
    const QString line = CutAtLineBreak(Line);
    Send(line.left(CharsFittingUtf8(line, 0, MaxSentLine)), Priority);
}

void TIRCClient::SendPrivMsg(const QString &Target, const QString &Text, TSendPriority Priority,
                             const QString &MergeKey)
{
    if (!FConnected)
        return;
    const QString head = "PRIVMSG " + CutAtLineBreak(Target) + " :";
    const QString text = CutAtLineBreak(Text);
    const qsizetype budget = qMax<qsizetype>(
        MaxSentLine - RelayPrefixReserve - head.toUtf8().size(), 4);

    QStringList pieces;
    if (text.startsWith(CTCPDelimiter) && text.size() > 1 && text.endsWith(CTCPDelimiter)) {
        // A CTCP message is never split: its body is cut so that the closing code 1 stays.
        const QString body = text.chopped(1);
        pieces << body.left(CharsFittingUtf8(body, 0, budget - 1)) + CTCPDelimiter;
    } else if (text.isEmpty()) {
        pieces << text;
    } else {
        for (qsizetype at = 0; at < text.size();) {
            qsizetype count = qMax<qsizetype>(CharsFittingUtf8(text, at, budget), 1);
            qsizetype next = at + count;
            // Prefer a break between words: the blank there is not sent.
            const qsizetype blank = next < text.size() ? text.lastIndexOf(u' ', next) : -1;
            if (blank > at + count / 2) {
                count = blank - at;
                next = blank + 1;
            }
            pieces << text.mid(at, count);
            at = next;
        }
    }
    for (const QString &piece : pieces) {
        // A handler of the echo may disconnect; what is left is then dropped.
        if (!FConnected)
            return;
        Send(head + piece, Priority, pieces.size() == 1 ? MergeKey : QString());
        if (EchoOn && OnChannelMsg)
            OnChannelMsg(this, FOwnNick, Target, piece);
    }
}

TIRCChannel *TIRCClient::FindChannel(const QString &Name) const
{
    for (TIRCChannel *channel : FChannels)
        if (channel->ChannelName().compare(Name, Qt::CaseInsensitive) == 0)
            return channel;
    return nullptr;
}

void TIRCClient::PumpLines()
{
    if (FBusy)
        return; // a handler of the current line is still running (a modal loop ticks the timer)
    QElapsedTimer clock;
    clock.start();
    while (!FLineQueue.isEmpty() && !clock.hasExpired(TickBudgetMs))
        RunGuarded([this] { ProcessNextLine(); });
}

void TIRCClient::ProcessNextLine()
{
    if (FBusy || FLineQueue.isEmpty())
        return;
    if (IgnoreListReplies) {
        DropQueuedListReplies();
        if (FLineQueue.isEmpty())
            return;
    }
    FBusy = true;
    struct ClearBusy {
        bool &Busy;
        ~ClearBusy() { Busy = false; }
    } clearBusy{FBusy};
    const QString line = FLineQueue.takeFirst();
    if (PongServer && line.startsWith(u"PING", Qt::CaseInsensitive)) {
        AnswerPing(line);
        return;
    }
    try {
        DispatchLine(line);
    } catch (const EChattleError &error) { // the text is built only for a dropped line
        // A line can be 64 KiB long: the log keeps a server line's worth of it.
        constexpr qsizetype MaxLoggedLine = 512;
        LogAbandoned(lcIrc, "Dropped server line \"" + line.left(MaxLoggedLine) + '"', error);
        throw;
    }
}

void TIRCClient::AnswerPing(QString Line)
{
    Line[1] = u'O';
    SendRaw(Line);
    if (OnServerMsg) {
        OnServerMsg(this, 999, QStringLiteral("Ping, Pong!"));
        OnServerMsg(this, 999, QStringLiteral("-"));
    }
}

void TIRCClient::DropQueuedListReplies()
{
    // One pass over the queue, and none at all until another LIST reply arrives.
    if (!std::exchange(FListRepliesQueued, false))
        return;
    FLineQueue.removeIf(IsListReply);
}

void TIRCClient::SocketConnect(QObject *)
{
    qCDebug(lcIrc).noquote() << "Connected to" << FSocket->Host();
    FConnected = true;
    SendRaw(FCap.Start(FOwnNick, Password, Secure || PasswordWithoutTls));
    if (!Password.isEmpty())
        SendRaw("PASS " + Password);
    SendRaw("NICK " + FOwnNick);
    SendRaw("USER " + FOwnNick + " " + FSocket->LocalHost() + " " + FSocket->Host() + " " + " :" + RealName);
    if (OnConnect)
        OnConnect(this, FSocket->Host());
}

bool TIRCClient::NegotiateCap(const QString &Line)
{
    const TCapNegotiation::TStep step = FCap.Feed(Line);
    for (const QString &line : step.Send)
        SendRaw(line);
    if (FCap.Outcome() != TCapNegotiation::TOutcome::Refused)
        return step.Consumed;
    qCDebug(lcIrc) << "SASL login refused" << FCap.RefusalCode();
    const int code = FCap.RefusalCode();
    FCap = {};
    Disconnect();
    if (OnLoginRefused)
        OnLoginRefused(this, code);
    return true;
}

void TIRCClient::SocketDisconnect(QObject *Sender)
{
    qCDebug(lcIrc) << "Disconnected";
    ResetSendPath();
    FreeChannels();
    FConnected = false;
    FSocket->Close();
    if (OnDisconnect)
        OnDisconnect(Sender, QStringLiteral("Disconnected by peer"));
    if (!FDisconnecting && OnCommError)
        OnCommError(this, eeDisconnect, 0);
}

void TIRCClient::SocketError(QObject *Sender, TErrorEvent ErrorEvent, int &ErrorCode)
{
    qCDebug(lcIrc) << "Connection error" << ErrorCode;
    ResetSendPath();
    FreeChannels();
    FConnected = false;
    FSocket->Close();
    if (OnDisconnect)
        OnDisconnect(Sender, SocketErrorText);
    if (OnCommError) {
        OnCommError(this, ErrorEvent, ErrorCode);
        ErrorCode = 0;
    }
}

void TIRCClient::SocketRead(QObject *)
{
    for (const QByteArray &line : FFramer.Feed(FSocket->ReceiveText()))
        QueueLine(line);
}

void TIRCClient::QueueLine(const QByteArray &Bytes)
{
    FLineQueue << DecodeIRCLine(Bytes);
    if (IsListReply(FLineQueue.last()))
        FListRepliesQueued = true;
    qCDebug(lcIrcRaw).noquote() << "<<" << FLineQueue.last();
}

void TIRCClient::FreeChannels()
{
    // deleteLater: a handler further up the stack may still hold the roster it was given.
    for (qsizetype i = FChannels.size() - 1; i >= 0; --i)
        FChannels.at(i)->deleteLater();
    FChannels.clear();
}

void TIRCClient::WriteLine(const QString &Line)
{
    qCDebug(lcIrcRaw).noquote() << ">>" << Loggable(Line);
    FSocket->SendText(Line.toUtf8() + "\r\n");
}
