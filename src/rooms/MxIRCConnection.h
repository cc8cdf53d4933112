#pragma once
// The connection manager: the one object between the IRC engine and the windows. It owns the IRC
// client, keeps the open room and private chat windows by name, routes every IRC event to the right
// window, joins and creates room pairs, feeds the channel browser, plays the room sounds and reports
// failures as codes through OnError.
#include <QObject>
#include <QPointer>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "ClientSocket.h"
#include "FloodLimiter.h"
#include "NamedList.h"

class TChannelBrowser;
class TIRCChannel;
class TIRCClient;
class TPersonaInst;
class TPersonaLib;
class TSoundPlayer;
class TWindowHost;
class TfrmChat;

// Failure codes raised through OnError.
namespace ConnectionFailure {
constexpr int ConnectError = 1000;    // the socket could not connect
constexpr int SocketError = 2000;     // any other socket error
constexpr int Disconnected = 2001;    // the connection was lost
constexpr int NickInUse = 1433;       // the server refused the nickname (432, 433 or 437)
constexpr int Banned = 1465;          // the server answered 465
constexpr int LoginRefused = 1904;    // the server refused the password at the SASL login
constexpr int CertificateRefused = 1010; // the server's certificate was not accepted; the user knows why
} // namespace ConnectionFailure

using TConnectedEvent = std::function<void(QObject *Sender, QString Server)>;
using TNotifyEvent = std::function<void(QObject *Sender)>;

// The windows open when a connection was lost: what a reconnect reopens.
struct TOpenWindows {
    struct TRoom {
        QString Name;
        QString Background;
    };
    QList<TRoom> Rooms;   // room pairs, rejoined
    QStringList Privates; // private chats, reopened
};
using TConsoleLineEvent = std::function<void(QObject *Sender, QString Text)>;
using TConnectionErrorEvent = std::function<void(QObject *Sender, int Code)>;

class TMxIRCConnection : public QObject {
    Q_OBJECT
public:
    // Socket: the transport of the IRC client (tests pass a fake); null makes a real one.
    explicit TMxIRCConnection(QObject *Owner = nullptr, TClientSocket *Socket = nullptr);
    ~TMxIRCConnection() override;

    // Set by the main window after creation.
    TWindowHost *Host = nullptr;          // where the room and private windows open
    TPersonaLib *PersonaLib = nullptr;    // builds every remote character
    QString ArtworkDir;                   // room pictures and sounds
    TSoundPlayer *WavPlayer = nullptr;    // no sound while unset
    // Set by the login window on every selection change; every window's own character is a copy.
    TPersonaInst *SelectedCharacter = nullptr;
    // Makes the channel browser, owned by the given window. Until the browser lands the main window
    // (or a test) sets this; while unset ShowChannels only asks for the list.
    std::function<TChannelBrowser *(QWidget *Owner)> CreateChannelBrowser;

    TConnectedEvent OnConnected;
    TConsoleLineEvent OnConsoleLine;
    TConnectionErrorEvent OnError;
    // The user connected or disconnected by hand (Connect or Disconnect): any reconnect is off.
    TNotifyEvent OnUserChoice;
    // A reconnect has registered and asked for its windows back.
    TConnectedEvent OnReconnected;

    TIRCClient *IRCClient() const { return FClient; }
    QString OwnNick() const { return FOwnNick; }
    TChannelBrowser *ChannelBrowser() const;

    // Secure: with TLS. PasswordWithoutTls: the password may go to SASL on a connection without TLS.
    void Connect(const QString &Nick, const QString &Password, const QString &Host, int Port, bool Secure = false,
                 bool PasswordWithoutTls = false);
    void Disconnect();
    // What a reconnect would reopen: the rooms and private chats open now, in registry order.
    TOpenWindows OpenWindows() const;
    // Connects again to the last server as the same nick; once registered it rejoins the rooms and
    // reopens the private chats of Windows (instead of showing the channel browser).
    void Reconnect(const TOpenWindows &Windows);
    // Ends a reconnect attempt that failed or was cancelled, without counting as the user's choice.
    void AbandonReconnect();
    bool IsConnected() const;
    void SendCommand(const QString &Line);
    void SendMessage(const QString &Target, const QString &Text);
    void ShowChannels();
    void StopListing();
    // The reset after a lost connection: closes every window without sending anything.
    void CloseAll();
    void CreateRoom(const QString &Name, const QString &Description, const QString &Background);
    void JoinRoom(const QString &Name, const QString &CompanionTopic);

    // Bound to each room frame's events.
    void RoomClosed(const QString &Name);
    void OpenPrivateChat(const QString &Nick);

    // The window registered under name (letter case ignored), or null.
    TfrmChat *FindRoom(const QString &Name) const;
    // The registered window names in registry order.
    QStringList RoomNames() const;
    // The background remembered for a room, empty when none.
    QString RememberedBackground(const QString &Room) const { return FBackgrounds.Value(Room); }
    // Opens the window for a room channel or a nick, or brings an open one to the front.
    void OpenRoom(const QString &Name);

    // Private windows that others open by writing first: at most this many a minute. Past that a
    // first message goes to the console instead (the user's own windows are never limited).
    static constexpr int MaxPrivateWindowsByOthers = 10;
    TFloodLimiter &PrivateWindowsByOthers() { return FPrivateWindowsByOthers; }

private:
    void SubscribeClientEvents();
    void ClientConnect(const QString &Server);
    void ClientServerMsg(int Code, const QString &Text);
    void ClientCommError(TErrorEvent Kind);
    void ClientEndMOTD();
    void ClientNewChannelMsg(const QString &Name, int Users, const QString &Topic);
    void ClientJoined(const QString &Channel);
    void ClientChannelMsg(const QString &From, const QString &Channel, const QString &Text);
    void ClientPrivateMsg(const QString &From, const QString &Text);
    void ClientUserInChannelMsg(const QString &Channel, const QString &User);
    void ClientJoin(const QString &Nick, const QString &Channel);
    void ClientPart(const QString &Nick, const QString &Channel);
    void ClientQuit(const QString &Nick);
    void ClientModeChange(const QString &Channel, const QString &Mode, const QString &ModeOn);
    void ClientKick(const QString &Channel, const QString &Kicker, const QString &Victim, const QString &Message);
    void ClientKicked(const QString &Channel, const QString &Kicker, const QString &Message);
    void ClientNickChange(const QString &OldNick, const QString &NewNick);
    void ClientChannelNotice(const QString &From, const QString &Channel, const QString &Text);
    void ClientNotice(const QString &FromLongNick, const QString &Text);
    void ClientTopic(const QString &Channel, const QString &ChangedBy, const QString &Topic);
    void FollowPrivateParty(const QString &OldNick, const QString &NewNick);

    void AnnounceSelf(const QString &Companion);
    void JoinRoomPair(const QString &Name, const QString &Background);
    void ReopenWindows(const TOpenWindows &Windows);
    void UserChoice();
    void ConsoleLine(const QString &Text);
    void RaiseError(int Code);
    void PlaySound(const QString &FileName);
    void BringRoomToFront(TfrmChat *Window);
    void UnbindWindow(TfrmChat *Window);

    TIRCClient *FClient;
    TChannelBrowser *FBrowser = nullptr;
    QPointer<QWidget> FBrowserWindow;
    TNamedList<QString> FBackgrounds;
    TNamedList<QPointer<TfrmChat>> FRooms;
    QString FOwnNick;
    std::optional<TOpenWindows> FReopen; // set while a reconnect waits for its registration
    TFloodLimiter FPrivateWindowsByOthers{MaxPrivateWindowsByOthers, 60 * 1000};
};
