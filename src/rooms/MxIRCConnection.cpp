#include "MxIRCConnection.h"

#include <QWidget>
#include <utility>

#include "AvatarProtocol.h"
#include "ChannelBrowser.h"
#include "ChattleLog.h"
#include "CursorTable.h"
#include "IRCChannel.h"
#include "IRCClient.h"
#include "IRCFormatting.h"
#include "IRCModes.h"
#include "IRCText.h"
#include "PersonaInst.h"
#include "RoomsLog.h"
#include "SoundPlayer.h"
#include "WindowHost.h"
#include "frameChatFrame.h"
#include "frmChat.h"

namespace {
const QString EnterRoomSound = QStringLiteral("/EnterRoom.wav");
const QString ExitRoomSound = QStringLiteral("/ExitRoom.wav");
const QChar ColourCode(0x03);

// Reply codes that never reach the console, and those followed by a separator line.
bool IsHiddenServerMsg(int code)
{
    return code == 315 || code == 321 || code == 322 || code == 323 || code == 352 || code == 440;
}
bool EndsConsoleSection(int code)
{
    return code == 1 || code == 255 || code == 266 || code == 331 || code == 366 || code == 376;
}
} // namespace

TMxIRCConnection::TMxIRCConnection(QObject *Owner, TClientSocket *Socket)
    : QObject(Owner), FClient(new TIRCClient(this, Socket))
{
    SubscribeClientEvents();
}

TMxIRCConnection::~TMxIRCConnection()
{
    // Windows and the browser may outlive the manager inside the main window: cut their way back.
    for (const auto &entry : FRooms.Entries())
        if (entry.Value)
            UnbindWindow(entry.Value);
    if (TChannelBrowser *browser = ChannelBrowser()) {
        browser->OnNewChannel = nullptr;
        browser->OnJoinChannel = nullptr;
        browser->OnClosed = nullptr;
    }
    FClient->OnCommError = nullptr;
    FClient->Disconnect();
    delete FClient;
}

void TMxIRCConnection::SubscribeClientEvents()
{
    FClient->OnConnect = [this](QObject *, QString server) { ClientConnect(server); };
    FClient->OnConsole = [this](QObject *, QString text) { ConsoleLine(text); };
    FClient->OnServerMsg = [this](QObject *, int code, QString text) { ClientServerMsg(code, text); };
    FClient->OnCommError = [this](QObject *, TErrorEvent kind, int) { ClientCommError(kind); };
    FClient->OnEndMOTD = [this] { ClientEndMOTD(); };
    FClient->OnLoginRefused = [this](QObject *, int) { RaiseError(ConnectionFailure::LoginRefused); };
    FClient->OnNewChannelMsg = [this](QObject *, QString name, int users, QString topic) {
        ClientNewChannelMsg(name, users, topic);
    };
    FClient->OnJoined = [this](QObject *, TIRCChannel *, QString channel) { ClientJoined(channel); };
    FClient->OnChannelMsg = [this](QObject *, QString from, QString channel, QString text) {
        ClientChannelMsg(from, channel, text);
    };
    FClient->OnPrivateMsg = [this](QObject *, QString from, QString text) { ClientPrivateMsg(from, text); };
    FClient->OnUserInChannelMsg = [this](QObject *, QString channel, QString user) {
        ClientUserInChannelMsg(channel, user);
    };
    FClient->OnJoin = [this](QObject *, QString nick, QString channel) { ClientJoin(nick, channel); };
    FClient->OnPart = [this](QObject *, QString nick, QString channel) { ClientPart(nick, channel); };
    FClient->OnQuit = [this](QObject *, QString nick, QString) { ClientQuit(nick); };
    FClient->OnModeChange = [this](QObject *, QString channel, QString, QString mode, QString modeOn) {
        ClientModeChange(channel, mode, modeOn);
    };
    FClient->OnKick = [this](QObject *, QString channel, QString kicker, QString victim, QString message) {
        ClientKick(channel, kicker, victim, message);
    };
    FClient->OnKicked = [this](QObject *, QString channel, QString kicker, QString message) {
        ClientKicked(channel, kicker, message);
    };
    FClient->OnNickChange = [this](QObject *, QString oldNick, QString newNick) { ClientNickChange(oldNick, newNick); };
    FClient->OnChannelNotice = [this](QObject *, QString from, QString channel, QString text) {
        ClientChannelNotice(from, channel, text);
    };
    FClient->OnNotice = [this](QObject *, QString from, QString text) { ClientNotice(from, text); };
    FClient->OnTopicChange = [this](QObject *, QString channel, QString changedBy, QString topic) {
        ClientTopic(channel, ShortNick(changedBy), topic);
    };
    FClient->OnTopicIs = [this](QObject *, QString channel, QString topic) { ClientTopic(channel, QString(), topic); };
}

// ---- Operations for the main window, the login window and the browser --------------------------

TChannelBrowser *TMxIRCConnection::ChannelBrowser() const { return FBrowserWindow ? FBrowser : nullptr; }

void TMxIRCConnection::Connect(const QString &Nick, const QString &Password, const QString &Host, int Port, bool Secure,
                               bool PasswordWithoutTls)
{
    UserChoice();
    FClient->SetOwnNick(Nick);
    FClient->Password = Password;
    FClient->Secure = Secure;
    FClient->PasswordWithoutTls = PasswordWithoutTls;
    FClient->ServerAddress = Host;
    FClient->ServerPort = Port;
    FClient->Connect();
    FOwnNick = Nick;
}

void TMxIRCConnection::Disconnect()
{
    UserChoice();
    FClient->Disconnect();
}

void TMxIRCConnection::UserChoice()
{
    FReopen.reset();
    if (OnUserChoice)
        OnUserChoice(this);
}

TOpenWindows TMxIRCConnection::OpenWindows() const
{
    TOpenWindows windows;
    for (const QString &name : RoomNames()) {
        if (IsRoomName(name))
            windows.Rooms << TOpenWindows::TRoom{name, FBackgrounds.Value(name)};
        else
            windows.Privates << name;
    }
    return windows;
}

void TMxIRCConnection::Reconnect(const TOpenWindows &Windows)
{
    FReopen = Windows;
    FClient->SetOwnNick(FOwnNick);
    FClient->Connect();
}

void TMxIRCConnection::AbandonReconnect()
{
    FReopen.reset();
    FClient->Disconnect();
}

void TMxIRCConnection::ReopenWindows(const TOpenWindows &Windows)
{
    // Each room window opens when the server confirms the join, and announces the character when
    // the companion's join follows.
    for (const TOpenWindows::TRoom &room : Windows.Rooms)
        JoinRoomPair(room.Name, room.Background.isEmpty() ? RoomBackground::Manor : room.Background);
    for (const QString &nick : Windows.Privates)
        OpenPrivateChat(nick);
}

bool TMxIRCConnection::IsConnected() const { return FClient->Connected(); }

void TMxIRCConnection::SendCommand(const QString &Line) { FClient->SendRaw(Line); }

void TMxIRCConnection::SendMessage(const QString &Target, const QString &Text)
{
    // Moves wait behind conversation, and a newer move to the same target replaces one still waiting.
    if (IsMoveText(Text))
        FClient->SendPrivMsg(Target, Text, TSendPriority::Low, Target);
    else
        FClient->SendPrivMsg(Target, Text);
}

void TMxIRCConnection::ShowChannels()
{
    if (CreateChannelBrowser && Host) {
        if (TChannelBrowser *browser = CreateChannelBrowser(Host->OwnerWindow())) {
            browser->OnNewChannel = [this](QString name, QString description, QString background) {
                CreateRoom(name, description, background);
            };
            browser->OnJoinChannel = [this](QString name, QString topic) { JoinRoom(name, topic); };
            // An older browser closing later must not make the manager forget the newer one.
            browser->OnClosed = [this, browser] {
                if (FBrowser == browser) {
                    FBrowser = nullptr;
                    FBrowserWindow = nullptr;
                }
            };
            FBrowser = browser;
            FBrowserWindow = browser->BrowserWindow();
            browser->ShowBrowser();
        }
    }
    FClient->IgnoreListReplies = false;
    SendCommand(QStringLiteral("LIST "));
}

void TMxIRCConnection::StopListing()
{
    SendCommand(QStringLiteral("LIST stop"));
    FClient->IgnoreListReplies = true;
}

void TMxIRCConnection::CloseAll()
{
    while (!FRooms.IsEmpty()) {
        const QPointer<TfrmChat> window = FRooms.TakeLast().Value;
        if (window)
            window->CloseQuietly();
    }
    FBackgrounds.Clear();
}

void TMxIRCConnection::CreateRoom(const QString &Name, const QString &Description, const QString &Background)
{
    const QString background = KnownBackground(Background);
    if (TfrmChat *window = FindRoom(Name)) {
        BringRoomToFront(window);
        return;
    }
    for (const QString &line : CreateRoomLines(Name, Description, background))
        SendCommand(line);
    FBackgrounds.Put(Name, background);
}

void TMxIRCConnection::JoinRoom(const QString &Name, const QString &CompanionTopic)
{
    if (TfrmChat *window = FindRoom(Name)) {
        BringRoomToFront(window);
        return;
    }
    JoinRoomPair(Name, BackgroundFromTopic(CompanionTopic));
}

void TMxIRCConnection::JoinRoomPair(const QString &Name, const QString &Background)
{
    for (const QString &line : JoinRoomLines(Name))
        SendCommand(line);
    FBackgrounds.Put(Name, Background);
}

// ---- Operations for the windows ------------------------------------------------------------------

void TMxIRCConnection::RoomClosed(const QString &Name)
{
    FRooms.Remove(Name);
    FBackgrounds.Remove(Name);
}

void TMxIRCConnection::OpenPrivateChat(const QString &Nick)
{
    if (TfrmChat *window = FindRoom(Nick)) {
        BringRoomToFront(window);
        return;
    }
    OpenRoom(Nick);
    ClientUserInChannelMsg(Nick, FOwnNick);
    ClientUserInChannelMsg(Nick, Nick);
}

TfrmChat *TMxIRCConnection::FindRoom(const QString &Name) const { return FRooms.Value(Name).data(); }

QStringList TMxIRCConnection::RoomNames() const
{
    QStringList names;
    for (const auto &entry : FRooms.Entries())
        if (entry.Value)
            names << entry.Name;
    return names;
}

void TMxIRCConnection::OpenRoom(const QString &Name)
{
    if (TfrmChat *window = FindRoom(Name)) {
        BringRoomToFront(window);
        return;
    }
    // A window freed behind the registry's back leaves a dead entry; it is replaced here.
    FRooms.Remove(Name);
    const QString background = FBackgrounds.Contains(Name) ? FBackgrounds.Value(Name) : RoomBackground::Manor;

    auto *window = new TfrmChat;
    TframeChatFrame *frame = window->frameChatFrame;
    frame->PersonaLib = PersonaLib;
    window->RoomName = Name;
    frame->OnSendMessage = [this](QString target, QString text) { SendMessage(target, text); };
    frame->OnSendCommand = [this](QString line) { SendCommand(line); };
    frame->OnRoomClosed = [this](QString name) { RoomClosed(name); };
    frame->OnOpenPrivate = [this](QString nick) { OpenPrivateChat(nick); };
    window->BackgroundPath = ArtworkDir + QLatin1Char('/') + background;

    if (SelectedCharacter) {
        auto own = TPersonaInst::CreateCopy(*SelectedCharacter);
        own->SetPosition(10, 250);
        own->Name = FOwnNick;
        window->SetOwnCharacter(std::move(own));
    }

    if (Host)
        Host->AddChildWindow(window);
    FRooms.Put(Name, window);
    window->show();
    // Bound to its room at once, so a text handled straight after opening finds the surface ready.
    window->FormActivate();
}

// ---- IRC client events ---------------------------------------------------------------------------

void TMxIRCConnection::ClientConnect(const QString &Server)
{
    if (OnConnected)
        OnConnected(this, Server);
}

void TMxIRCConnection::ConsoleLine(const QString &Text)
{
    if (OnConsoleLine)
        OnConsoleLine(this, Text);
}

void TMxIRCConnection::RaiseError(int Code)
{
    if (OnError)
        OnError(this, Code);
}

void TMxIRCConnection::ClientServerMsg(int Code, const QString &Text)
{
    if (OnConsoleLine) {
        if (Code == 251)
            ConsoleLine(QStringLiteral("-"));
        if (!IsHiddenServerMsg(Code))
            ConsoleLine(Text);
        if (EndsConsoleSection(Code))
            ConsoleLine(QStringLiteral("-"));
    }
    // An erroneous (432) or unavailable (437) nickname needs the same remedy as one in use.
    if (Code == 432 || Code == 433 || Code == 437)
        RaiseError(ConnectionFailure::NickInUse);
    else if (Code == 465)
        RaiseError(ConnectionFailure::Banned);
}

void TMxIRCConnection::ClientCommError(TErrorEvent Kind)
{
    if (Kind == eeConnect)
        RaiseError(ConnectionFailure::ConnectError);
    else if (Kind == eeCertificate)
        RaiseError(ConnectionFailure::CertificateRefused);
    else if (Kind == eeDisconnect)
        RaiseError(ConnectionFailure::Disconnected);
    else
        RaiseError(ConnectionFailure::SocketError);
}

void TMxIRCConnection::ClientEndMOTD()
{
    if (std::optional<TOpenWindows> reopen = std::exchange(FReopen, std::nullopt)) {
        ReopenWindows(*reopen);
        if (OnReconnected)
            OnReconnected(this, FClient->ServerAddress);
    } else {
        ShowChannels();
    }
    ResetScreenCursor();
}

void TMxIRCConnection::ClientNewChannelMsg(const QString &Name, int Users, const QString &Topic)
{
    const QString topic = Topic.trimmed() == QLatin1String(":") ? QString() : Topic;
    if (TChannelBrowser *browser = ChannelBrowser())
        browser->AddChannel(Name, Users, topic);
}

void TMxIRCConnection::ClientJoined(const QString &Channel)
{
    if (IsCompanionName(Channel)) {
        AnnounceSelf(Channel);
        return;
    }
    if (Host)
        Host->BringToFront();
    OpenRoom(Channel);
}

void TMxIRCConnection::AnnounceSelf(const QString &Companion)
{
    TfrmChat *window = FindRoom(RoomOfChannel(Companion));
    if (!window)
        return;
    const QString block = window->frameChatFrame->OwnCharacterBlock();
    if (!block.isEmpty())
        SendMessage(Companion, AnnounceText(block));
}

void TMxIRCConnection::ClientChannelMsg(const QString &From, const QString &Channel, const QString &Text)
{
    // A malformed prefix leaves no nick: nobody to show the text for, or to answer an Announce.
    if (From.isEmpty()) {
        LogWarning(lcRooms, QStringLiteral("Abandoned a message to %1 without a sender \"%2\"").arg(Channel, Text));
        return;
    }
    const bool companion = IsCompanionName(Channel);
    QPointer<TfrmChat> window = FindRoom(Channel);
    if (!window && From != FOwnNick) {
        if (!companion && !FClient->FindChannel(Channel)) {
            // Nobody opens a window in the user's name for a channel the user is not in.
            ConsoleLine(QStringLiteral("Message from ") + From + QStringLiteral(" to ") + Channel +
                        QStringLiteral(": ") + Text);
            return;
        }
        if (!companion) {
            OpenRoom(Channel);
            window = FindRoom(Channel);
        } else {
            window = FindRoom(RoomOfChannel(Channel));
        }
    }
    if (!window)
        return;
    if (companion)
        window->frameChatFrame->HandleAvatarMessage(From, Text);
    else
        window->frameChatFrame->ShowText(From, Text);
}

void TMxIRCConnection::ClientPrivateMsg(const QString &From, const QString &Text)
{
    // A malformed prefix leaves no nick: there is nobody to open a window for or to answer.
    if (From.isEmpty()) {
        LogWarning(lcRooms, QStringLiteral("Abandoned a private message without a sender \"%1\"").arg(Text));
        return;
    }
    if (IsPrivateRoomForm(Text)) {
        const std::optional<QString> windowName = WindowNameOfPrivateForm(Text);
        if (!windowName)
            LogWarning(lcRooms, QStringLiteral("Abandoned avatar message from %1 without a room \"%2\"").arg(From, Text));
        else if (!IsRoomName(*windowName) && windowName->compare(From, Qt::CaseInsensitive) != 0)
            qCDebug(lcRooms).noquote() << "Ignored avatar message from" << From << "for the private chat with"
                                       << *windowName;
        else if (TfrmChat *window = FindRoom(*windowName))
            window->frameChatFrame->HandlePrivateMessage(From, Text);
        else
            qCDebug(lcRooms).noquote() << "Ignored avatar message from" << From << "for" << *windowName
                                       << "which is not open";
        return;
    }
    if (TfrmChat *window = FindRoom(From)) {
        window->frameChatFrame->HandlePrivateMessage(From, Text);
        return;
    }
    if (!FPrivateWindowsByOthers.Admit()) {
        ConsoleLine(QStringLiteral("Private message from ") + From + QStringLiteral(": ") + Text);
        return;
    }
    OpenRoom(From);
    ClientUserInChannelMsg(From, FOwnNick);
    ClientUserInChannelMsg(From, From);
    const QPointer<TfrmChat> window = FindRoom(From);
    if (!window)
        return;
    window->frameChatFrame->HandlePrivateMessage(From, Text);
    if (!window)
        return;
    const QString block = window->frameChatFrame->OwnCharacterBlock();
    if (!block.isEmpty())
        SendMessage(From, PrivateAnnounceText(block));
}

void TMxIRCConnection::ClientUserInChannelMsg(const QString &Channel, const QString &User)
{
    if (TfrmChat *window = FindRoom(RoomOfChannel(Channel)))
        window->frameChatFrame->AddMember(User, Channel);
}

void TMxIRCConnection::ClientJoin(const QString &Nick, const QString &Channel)
{
    const QPointer<TfrmChat> window = FindRoom(RoomOfChannel(Channel));
    if (!window)
        return;
    window->frameChatFrame->AddMember(Nick, Channel);
    if (IsCompanionName(Channel))
        return;
    PlaySound(EnterRoomSound);
    if (window && Nick != window->frameChatFrame->OwnName())
        window->frameChatFrame->ShowText(QString(),
                                         ColourCode + QStringLiteral("3*** ") + Nick + QStringLiteral(" has entered the channel."));
}

void TMxIRCConnection::ClientPart(const QString &Nick, const QString &Channel)
{
    TfrmChat *window = FindRoom(RoomOfChannel(Channel));
    if (!window)
        return;
    window->frameChatFrame->RemoveMember(Nick, Channel);
    if (!IsCompanionName(Channel))
        PlaySound(ExitRoomSound);
}

void TMxIRCConnection::ClientQuit(const QString &Nick)
{
    QList<QPointer<TfrmChat>> windows;
    for (const auto &entry : FRooms.Entries())
        windows << entry.Value;
    for (const QPointer<TfrmChat> &window : windows) {
        if (!window || !window->frameChatFrame->HasMember(Nick))
            continue;
        const QString room = window->RoomName;
        window->frameChatFrame->RemoveMember(Nick, room);
        if (window)
            window->frameChatFrame->RemoveMember(Nick, CompanionOf(room));
        PlaySound(ExitRoomSound);
    }
}

void TMxIRCConnection::ClientModeChange(const QString &Channel, const QString &Mode, const QString &ModeOn)
{
    // The engine's roster has already taken the change and knows both marks; the window shows its answer.
    const TIRCChannel *roster = FClient->FindChannel(Channel);
    if (!roster)
        return;
    const QPointer<TfrmChat> window = FindRoom(RoomOfChannel(Channel));
    for (const TMemberModeChange &change : MemberModeChanges(Mode, ModeOn.split(u' ', Qt::SkipEmptyParts)))
        if (const std::optional<QString> mark = roster->MemberMark(change.Nick); mark && window)
            window->frameChatFrame->MemberMarkChanged(change.Nick, Channel, *mark);
}

void TMxIRCConnection::ClientKick(const QString &Channel, const QString &Kicker, const QString &Victim,
                                  const QString &Message)
{
    if (TfrmChat *window = FindRoom(RoomOfChannel(Channel)))
        window->frameChatFrame->UserKicked(Channel, Kicker, Victim, Message);
}

void TMxIRCConnection::ClientKicked(const QString &Channel, const QString &Kicker, const QString &Message)
{
    if (TfrmChat *window = FindRoom(RoomOfChannel(Channel)))
        window->frameChatFrame->Kicked(Channel, Kicker, Message);
}

void TMxIRCConnection::ClientNickChange(const QString &OldNick, const QString &NewNick)
{
    if (FOwnNick == OldNick)
        FOwnNick = NewNick;
    else
        FollowPrivateParty(OldNick, NewNick);
    QList<QPointer<TfrmChat>> windows;
    for (const auto &entry : FRooms.Entries())
        windows << entry.Value;
    for (const QPointer<TfrmChat> &window : windows)
        if (window)
            window->frameChatFrame->NickChanged(OldNick, NewNick);
}

void TMxIRCConnection::FollowPrivateParty(const QString &OldNick, const QString &NewNick)
{
    // A window already open with the new nick keeps its own conversation; the old one stays as it is.
    TfrmChat *window = FindRoom(OldNick);
    if (!window || IsRoomName(OldNick) || FindRoom(NewNick))
        return;
    FRooms.Rename(OldNick, NewNick);
    FBackgrounds.Rename(OldNick, NewNick);
    window->RenameParty(NewNick);
}

void TMxIRCConnection::ClientChannelNotice(const QString &From, const QString &Channel, const QString &Text)
{
    if (IsCompanionName(Channel))
        return;
    if (TfrmChat *window = FindRoom(Channel))
        window->frameChatFrame->ShowNotice(From, Text);
    else
        ConsoleLine(QStringLiteral("-%1:%2- %3").arg(From, Channel, StripIrcFormatting(Text)));
}

void TMxIRCConnection::ClientNotice(const QString &FromLongNick, const QString &Text)
{
    // From a server the prefix is its name; from a user the nick alone is shown.
    const QString from = ShortNick(FromLongNick);
    if (TfrmChat *window = FindRoom(from); window && !IsRoomName(from))
        window->frameChatFrame->ShowNotice(from, Text);
    else
        ConsoleLine(QStringLiteral("-%1- %2").arg(from, StripIrcFormatting(Text)));
}

void TMxIRCConnection::ClientTopic(const QString &Channel, const QString &ChangedBy, const QString &Topic)
{
    if (IsCompanionName(Channel))
        return;
    if (TfrmChat *window = FindRoom(Channel))
        window->frameChatFrame->ShowTopic(ChangedBy, Topic);
}

// ---- Helpers ---------------------------------------------------------------------------------------

void TMxIRCConnection::PlaySound(const QString &FileName)
{
    if (WavPlayer)
        PlaySoundSetting(ArtworkDir + FileName, *WavPlayer);
}

void TMxIRCConnection::BringRoomToFront(TfrmChat *Window)
{
    if (Host)
        Host->ActivateChildWindow(Window);
    else
        Window->raise();
}

void TMxIRCConnection::UnbindWindow(TfrmChat *Window)
{
    TframeChatFrame *frame = Window->frameChatFrame;
    frame->OnSendMessage = nullptr;
    frame->OnSendCommand = nullptr;
    frame->OnRoomClosed = nullptr;
    frame->OnOpenPrivate = nullptr;
}
