// The main window with rooms open on a real IRC server when the server stops, dies or cuts the
// connection in the middle of a line: one disconnect message, every room closed, a reconnect on its
// way, and either a later login by hand or the reconnect itself (to the restarted server) that works.
#include <QLabel>
#include <QListWidget>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>

#include "FakeSocket.h"
#include "IRCClient.h"
#include "MainWindowTestSupport.h"
#include "MxIRCConnection.h"
#include "PersonaInst.h"
#include "Reconnector.h"
#include "RoomsTestSupport.h"
#include "TestIrcServer.h"
#include "frameChatFrame.h"
#include "frmChat.h"
#include "frmChattle.h"
#include "printers.h"

namespace {
constexpr int WaitMs = 15000;
const QString DisconnectedText =
    QStringLiteral("You have been disconnected.  Please check your connection, or try a different IRC server.");

bool WaitUntil(const std::function<bool()> &condition, const char *what)
{
    const bool met = QTest::qWaitFor(condition, WaitMs);
    if (!met)
        ADD_FAILURE() << "never came: " << what;
    return met;
}

// Passes bytes between one client and the server until Cut() sends the client half a line and
// drops both sides.
class TCuttingProxy {
public:
    explicit TCuttingProxy(quint16 serverPort)
    {
        FListener.listen(QHostAddress::LocalHost);
        QObject::connect(&FListener, &QTcpServer::newConnection, &FListener, [this, serverPort] {
            FClient = FListener.nextPendingConnection();
            FServer = new QTcpSocket(&FListener);
            QObject::connect(FServer, &QTcpSocket::readyRead, FServer, [this] { FClient->write(FServer->readAll()); });
            QObject::connect(FClient, &QTcpSocket::readyRead, FClient, [this] { FServer->write(FClient->readAll()); });
            FServer->connectToHost(QHostAddress::LocalHost, serverPort);
        });
    }
    quint16 Port() const { return FListener.serverPort(); }
    void Cut()
    {
        FServer->abort();
        FClient->write(":irc.chattle.test PRIVMSG #lobby :half a li");
        FClient->disconnectFromHost();
    }

private:
    QTcpServer FListener;
    QTcpSocket *FClient = nullptr;
    QTcpSocket *FServer = nullptr;
};

enum class TFault { Stopped, Killed, CutMidLine };
std::string FaultName(const ::testing::TestParamInfo<TFault> &info)
{
    return info.param == TFault::Stopped ? "stopped" : info.param == TFault::Killed ? "killed" : "cut_mid_line";
}

class IrcFaultsTest : public ::testing::TestWithParam<TFault> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Server->Start()) << Server->Error().toStdString();
        Window.LoginWindow = &Login;
        Window.show();
        TMxIRCConnection *connection = Window.Connection();
        connection->PersonaLib = &TestLibrary();
        connection->SelectedCharacter = Character.get();
        TIRCClient *client = connection->IRCClient();
        client->OnEndMOTD = [this, endMotd = client->OnEndMOTD] {
            ++Registrations;
            endMotd();
        };
    }

    bool LogIn(quint16 port)
    {
        const int before = Registrations;
        Window.Connection()->Connect("alice", QString(), "127.0.0.1", port);
        return WaitUntil([&] { return Registrations > before; }, "registration");
    }
    bool EnterRoom(const QString &name)
    {
        Window.Connection()->JoinRoom(name, QString());
        return WaitUntil([&] {
            TfrmChat *room = Window.Connection()->FindRoom(name);
            return room && room->frameChatFrame->lstVisualUsers->count() > 0;
        }, "the room");
    }

    std::unique_ptr<TTestIrcServer> Server = TTestIrcServer::FromEnvironment();
    TTemporarySettings Settings;
    TScriptedDialogs Boxes;
    TRecordingLogin Login;
    std::unique_ptr<TPersonaInst> Character = NewCharacter("alice");
    TfrmChattle Window{nullptr, nullptr, new TFakeSocket};
    int Registrations = 0;
};
} // namespace

TEST_P(IrcFaultsTest, a_lost_server_closes_every_room_with_one_message_and_a_later_login_works)
{
    TCuttingProxy proxy(Server->Port());
    ASSERT_TRUE(LogIn(GetParam() == TFault::CutMidLine ? proxy.Port() : Server->Port()));
    ASSERT_TRUE(EnterRoom("#lobby") && EnterRoom("#games"));
    Window.Connection()->OpenPrivateChat("bob");
    // Someone in the room, to tell when the server itself has let go of alice after a cut.
    TIRCClient carol;
    bool carolIn = false, aliceGone = false;
    carol.SetOwnNick("carol");
    carol.OnJoined = [&](QObject *, TIRCChannel *, QString) { carolIn = true; };
    carol.OnQuit = [&](QObject *, QString nick, QString) { aliceGone = aliceGone || nick == "alice"; };
    carol.OnEndMOTD = [&] { carol.SendRaw("JOIN #lobby"); };
    carol.ServerAddress = "127.0.0.1";
    carol.ServerPort = Server->Port();
    carol.Connect();
    ASSERT_TRUE(WaitUntil([&] { return carolIn; }, "carol in the room"));
    Login.Calls.clear();

    switch (GetParam()) {
    case TFault::Stopped: Server->Stop(); break;
    case TFault::Killed: Server->Kill(); break;
    case TFault::CutMidLine: proxy.Cut(); break;
    }
    ASSERT_TRUE(WaitUntil([&] { return Boxes.ShownTexts().contains(DisconnectedText); }, "the disconnect message"));
    EXPECT_EQ(Boxes.ShownTexts(), QStringList{DisconnectedText});
    EXPECT_TRUE(Window.Connection()->RoomNames().isEmpty());
    EXPECT_TRUE(WaitUntil([&] { return !Window.Connection()->FindRoom("#lobby") && !Window.Connection()->FindRoom("bob"); },
                          "every room closed"));
    EXPECT_TRUE(Window.Reconnector()->Schedule().Active()) << "reconnecting, not back at the login window";
    EXPECT_FALSE(Window.Connection()->IsConnected());

    if (Server->Running()) {
        ASSERT_TRUE(WaitUntil([&] { return aliceGone; }, "the server lets go of alice"));
    } else {
        ASSERT_TRUE(Server->Start()) << Server->Error().toStdString(); // restarted on the same port
    }
    ASSERT_TRUE(LogIn(Server->Port()));
    EXPECT_TRUE(EnterRoom("#lobby"));
    EXPECT_EQ(Boxes.ShownTexts(), QStringList{DisconnectedText});
}

TEST_P(IrcFaultsTest, the_reconnect_rejoins_the_rooms_reopens_the_private_chat_and_announces_again)
{
    TCuttingProxy proxy(Server->Port());
    const quint16 port = GetParam() == TFault::CutMidLine ? proxy.Port() : Server->Port();
    ASSERT_TRUE(LogIn(port));
    ASSERT_TRUE(EnterRoom("#lobby"));
    Window.Connection()->OpenPrivateChat("bob");
    // carol watches the companion channel for alice's character, and stays or comes back after the fault.
    TIRCClient carol;
    bool carolIn = false, aliceGone = false;
    QStringList announces;
    carol.SetOwnNick("carol");
    carol.OnJoined = [&](QObject *, TIRCChannel *, QString channel) { carolIn = carolIn || channel == "#lobby.av"; };
    carol.OnQuit = [&](QObject *, QString nick, QString) { aliceGone = aliceGone || nick == "alice"; };
    carol.OnChannelMsg = [&](QObject *, QString from, QString channel, QString text) {
        if (from == "alice" && channel == "#lobby.av" && text.startsWith("AV_IAMHERE"))
            announces << text;
    };
    carol.OnEndMOTD = [&] { carol.SendRaw("JOIN #lobby,#lobby.av"); };
    carol.ServerAddress = "127.0.0.1";
    carol.ServerPort = Server->Port();
    carol.Connect();
    ASSERT_TRUE(WaitUntil([&] { return carolIn; }, "carol in the room"));
    TReconnector *reconnector = Window.Reconnector();

    switch (GetParam()) {
    case TFault::Stopped: Server->Stop(); break;
    case TFault::Killed: Server->Kill(); break;
    case TFault::CutMidLine: proxy.Cut(); break;
    }
    ASSERT_TRUE(WaitUntil([&] { return reconnector->Schedule().Active(); }, "the reconnect scheduled"));
    EXPECT_EQ(reconnector->lblReconnect->text(), "Reconnecting in 10 s...");
    EXPECT_TRUE(Window.Connection()->RoomNames().isEmpty());
    if (Server->Running()) {
        ASSERT_TRUE(WaitUntil([&] { return aliceGone; }, "the server lets go of alice"));
    } else {
        ASSERT_TRUE(Server->Start()) << Server->Error().toStdString(); // restarted on the same port
        carolIn = false;
        carol.Connect();
        ASSERT_TRUE(WaitUntil([&] { return carolIn; }, "carol back in the room"));
    }
    announces.clear();

    // Ten ticks of the status bar's second timer, without waiting ten seconds.
    const int before = Registrations;
    for (int second = 0; second < TReconnectSchedule::DefaultFirstDelay; ++second)
        reconnector->Tick();
    ASSERT_TRUE(WaitUntil([&] { return Registrations > before; }, "the reconnect registered"));
    EXPECT_TRUE(WaitUntil([&] {
        TfrmChat *room = Window.Connection()->FindRoom("#lobby");
        return room && room->frameChatFrame->HasMember("carol") && Window.Connection()->FindRoom("bob");
    }, "the room with carol and the private chat back"));
    EXPECT_TRUE(WaitUntil([&] { return !announces.isEmpty(); }, "alice's character announced again"));
    EXPECT_FALSE(reconnector->Schedule().Active());
    EXPECT_TRUE(Window.Connection()->IsConnected());
    EXPECT_EQ(Boxes.ShownTexts(), QStringList{DisconnectedText});
}

INSTANTIATE_TEST_SUITE_P(Faults, IrcFaultsTest, ::testing::Values(TFault::Stopped, TFault::Killed, TFault::CutMidLine),
                         FaultName);
