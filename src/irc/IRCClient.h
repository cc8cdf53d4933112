#pragma once
// The IRC engine: one connection to one IRC server, registration, line splitting, the 50 ms line
// pump (each tick dispatches queued lines for up to about 8 ms), the dispatch of every server line
// into typed events, and the rosters of joined channels.
// Events are raised only when set; Sender is the client unless noted.
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

#include "CapNegotiation.h"
#include "ClientSocket.h"
#include "LineFramer.h"
#include "SendQueue.h"

class QTimer;
class TIRCChannel;
class TDCCChatObject; // only named by the DCC event signatures; DCC chat stops at the request

using TIRCDataEvent = std::function<void(QObject *Sender, QString IRCStr)>;
using TConnectEvent = std::function<void(QObject *Sender, QString Server)>;
using TDisconnectEvent = std::function<void(QObject *Sender, QString Msg)>;
using TCommErrorEvent = std::function<void(QObject *Sender, TErrorEvent ErrorEvent, int ErrorCode)>;
using TServerMsgEvent = std::function<void(QObject *Sender, int Code, QString Msg)>;
using TChannelMsgEvent = std::function<void(QObject *Sender, QString FromLNick, QString Channel, QString Msg)>;
using TNewChannelEvent = std::function<void(QObject *Sender, QString Name, int UserCount, QString Desc)>;
using TPrivateMsgEvent = std::function<void(QObject *Sender, QString FromLNick, QString Msg)>;
using TUserInChannelEvent = std::function<void(QObject *Sender, QString Channel, QString User)>;
using TCTCPRequestEvent = std::function<void(QObject *Sender, QString FromLNick, QString Request)>;
using TCTCPReplyEvent = std::function<void(QObject *Sender, QString FromLNick, QString Reply)>;
using TEndMOTDEvent = std::function<void()>;
using TJoinPartEvent = std::function<void(QObject *Sender, QString LongNick, QString Channel)>;
using TJoinedEvent = std::function<void(QObject *Sender, TIRCChannel *pIRCChannel, QString Channel)>;
using TPartedEvent = std::function<void(QObject *Sender, QString Channel)>;
using TQuitEvent = std::function<void(QObject *Sender, QString LongNick, QString Msg)>;
using TKickEvent = std::function<void(QObject *Sender, QString Channel, QString Kicker, QString Victim, QString Msg)>;
using TKickedEvent = std::function<void(QObject *Sender, QString Channel, QString Kicker, QString Msg)>;
using TInvitedEvent = std::function<void(QObject *Sender, QString Channel, QString InvitedBy)>;
using TConsoleEvent = std::function<void(QObject *Sender, QString Msg)>;
using TNoticeEvent = std::function<void(QObject *Sender, QString FromLNick, QString Msg)>;
using TNickChangeEvent = std::function<void(QObject *Sender, QString OldLongNick, QString NewNick)>;
using TModeChangeEvent =
    std::function<void(QObject *Sender, QString Channel, QString ChangedBy, QString Mode, QString ModeOn)>;
using TTopicChangeEvent = std::function<void(QObject *Sender, QString Channel, QString ChangedBy, QString Topic)>;
using TTopicIsEvent = std::function<void(QObject *Sender, QString Channel, QString Topic)>;
using TDCCChatRequestEvent = std::function<void(QObject *Sender, QString FromLNick, bool &Accept)>;
using TDCCChatConnectEvent = std::function<void(QObject *Sender, TDCCChatObject *pDCCChat)>;
using TDCCChatErrorEvent =
    std::function<void(QObject *Sender, TDCCChatObject *pDCCChat, int ErrorNo, QString ErrorMsg)>;
using TDCCChatTimeOutEvent = std::function<void(QObject *Sender, QString ToNick)>;
// The server refused the password at the SASL login (Code: 902, 904, 905 or 906); the connection is closed.
using TLoginRefusedEvent = std::function<void(QObject *Sender, int Code)>;

class TIRCClient : public QObject {
    Q_OBJECT
public:
    // Socket: the transport to use (tests pass a fake); the client takes ownership. Without one the
    // client makes a TTcpClientSocket.
    explicit TIRCClient(QObject *Owner = nullptr, TClientSocket *Socket = nullptr);
    ~TIRCClient() override;

    // Published properties.
    QString ServerAddress;
    int ServerPort = 6667;
    QString OwnNick() const { return FOwnNick; }
    // While connected sends NICK and keeps the stored nick until the server confirms it.
    void SetOwnNick(const QString &Nick);
    QString OwnLongNick() const { return QString(); } // never filled
    bool Connected() const { return FConnected; }
    QString Ident = QStringLiteral("rIRC"); // stored for the host; registration does not send it
    QString RealName;
    bool PongServer = true;        // the pump answers PING itself
    bool EchoOn = true;            // SendPrivMsg echoes what it sent as OnChannelMsg
    bool RetrieveLongNames = true; // a join asks "WHO <channel>" for the long nicks
    int DccTimeOut = 60;           // stored only

    QString Password;               // sent as PASS when not empty, and to SASL when the server offers it
    bool Secure = false;            // connect with TLS
    // SASL gets the password over a connection without TLS too (only over TLS while false).
    bool PasswordWithoutTls = false;
    bool IgnoreListReplies = false; // queued LIST replies (322) are dropped before dispatch

    void Connect();
    void Disconnect();
    // One protocol line: cut at the first CR, LF or NUL and to 510 bytes of UTF-8, then CR LF.
    // It goes through the send queue; registration, PONG and QUIT are written at once.
    void SendRaw(const QString &Line, TSendPriority Priority = TSendPriority::Normal);
    // A PRIVMSG to a channel or nick; a long text goes out as several messages, each echoed at once.
    // Priority and MergeKey are the send queue's (a one-piece message only merges).
    void SendPrivMsg(const QString &Target, const QString &Text, TSendPriority Priority = TSendPriority::Normal,
                     const QString &MergeKey = {});
    // The joined channel of that name (ignoring case), or nullptr.
    TIRCChannel *FindChannel(const QString &Name) const;
    // One tick of the line pump: dispatches queued lines in order until the queue is empty or
    // TickBudgetMs have passed, then leaves the rest to later ticks so that paints, input and other
    // timers get their turn. A malformed line goes to the error hook and the next one follows.
    void PumpLines();
    // Dispatches at most one queued line (one step of a tick). May throw for a malformed line.
    void ProcessNextLine();

    const QList<TIRCChannel *> &Channels() const { return FChannels; }
    const QStringList &LineQueue() const { return FLineQueue; }
    const QByteArray &PartialLine() const { return FFramer.Partial(); }
    const QStringList &Params() const { return FParams; }
    TClientSocket *Socket() const { return FSocket; }
    QTimer *LineTimer() const { return FLineTimer; }
    // Every line written after registration waits its turn here (tests tick it and set its clock).
    TSendQueue *SendQueue() const { return FSendQueue; }

    TIRCDataEvent OnIRCData;
    TConnectEvent OnConnect;
    TDisconnectEvent OnDisconnect;
    TCommErrorEvent OnCommError;
    TServerMsgEvent OnServerMsg;
    TChannelMsgEvent OnChannelMsg;
    TNewChannelEvent OnNewChannelMsg;
    TPrivateMsgEvent OnPrivateMsg;
    TUserInChannelEvent OnUserInChannelMsg;
    TCTCPRequestEvent OnCTCPRequest; // never raised
    TCTCPReplyEvent OnCTCPReply;
    TEndMOTDEvent OnEndMOTD;
    TJoinPartEvent OnJoin;
    TJoinPartEvent OnPart;
    TJoinedEvent OnJoined;
    TPartedEvent OnParted;
    TQuitEvent OnQuit;
    TKickEvent OnKick;
    TKickedEvent OnKicked;
    TInvitedEvent OnInvited;
    TConsoleEvent OnConsole; // never raised
    TNoticeEvent OnNotice;
    TNickChangeEvent OnNickChange;
    TModeChangeEvent OnModeChange;
    TTopicChangeEvent OnTopicChange;
    // A NOTICE to a channel: FromLNick is the nick alone. While unset, it is an OnNotice like any other.
    TChannelMsgEvent OnChannelNotice;
    // The topic a channel has, as the server tells it on joining (332).
    TTopicIsEvent OnTopicIs;
    TIRCDataEvent OnOther;
    TDCCChatRequestEvent OnDCCChatRequest;
    TDCCChatConnectEvent OnDCCChatConnect;     // never raised
    TDCCChatErrorEvent OnDCCChatError;         // never raised
    TDCCChatTimeOutEvent OnDCCChatTimeOut;     // never raised
    TLoginRefusedEvent OnLoginRefused;
    // Passed on from the socket: asked about the server's certificate on a secure connection.
    TCertificateCheckEvent OnCertificateCheck;

    // How long one tick of the pump may dispatch lines before it lets the window have its turn.
    static constexpr int TickBudgetMs = 8;
    // Bytes kept after the last line end while no line end arrives; the excess is dropped.
    static constexpr qsizetype MaxPartialLine = 64 * 1024;
    // Longest line SendRaw writes before its CR LF.
    static constexpr qsizetype MaxSentLine = 510;
    // Room left in a sent PRIVMSG for the sender's prefix that the server puts in front when relaying.
    static constexpr qsizetype RelayPrefixReserve = 100;

private:
    void SocketConnect(QObject *Sender);
    void SocketDisconnect(QObject *Sender);
    void SocketRead(QObject *Sender);
    void SocketError(QObject *Sender, TErrorEvent ErrorEvent, int &ErrorCode);
    void QueueLine(const QByteArray &Bytes);
    void DropQueuedListReplies();
    void AnswerPing(QString Line);
    void FreeChannels();
    void WriteLine(const QString &Line);
    // Registration's capability talk: true when the line was part of it and is done with.
    bool NegotiateCap(const QString &Line);

    // The send path (IRCSendPath.cpp).
    void Send(const QString &Line, TSendPriority Priority = TSendPriority::Normal, const QString &MergeKey = {});
    void RegistrationEnded();
    void ResetSendPath();

    // The dispatcher (IRCDispatcher.cpp).
    void DispatchLine(const QString &Line);
    const QString &Param(qsizetype Index) const;
    // The last parameter, which a well-formed line has at Index or later (else the line is lost).
    const QString &TextFrom(qsizetype Index) const;
    // The last parameter when the line goes on to Index, else an empty text.
    QString OptionalTextFrom(qsizetype Index) const;
    void DispatchNumeric(int Code);
    void ReportNumeric(int Code);
    void DispatchCommand(QStringView LineText);
    void DispatchPrivMsg();
    void DispatchJoin();
    void DispatchPart();
    void DispatchQuit();
    void DispatchKick();
    void DispatchNick();
    void DispatchNotice();
    void DispatchMode();
    void RemoveChannel(TIRCChannel *Channel);

    TClientSocket *FSocket;
    QTimer *FLineTimer;
    TSendQueue *FSendQueue;
    bool FRegistered = false; // the server has welcomed the client: lines are paced from now on
    bool FBusy = false;
    QString FOwnNick = QStringLiteral("IRCNick");
    bool FConnected = false;
    bool FDisconnecting = false;
    TLineFramer FFramer{MaxPartialLine};
    QStringList FLineQueue;
    bool FListRepliesQueued = false; // a LIST reply was queued since the queue was last cleared of them
    QStringList FParams;
    QList<TIRCChannel *> FChannels;
    TCapNegotiation FCap;
};
