// Two complete Chattle clients (connection manager, windows, characters) and one plain IRC client
// against a real IRC server: the avatar protocol end to end, byte for byte on the wire.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

#include "AvatarProtocol.h"
#include "IRCClient.h"
#include "MdiWindowHost.h"
#include "MxIRCConnection.h"
#include "PaintBox.h"
#include "PersonaInst.h"
#include "PersonaSpace.h"
#include "RecordingSocket.h"
#include "RoomsTestSupport.h"
#include "ScriptedDialogs.h"
#include "TestIrcServer.h"
#include "frameChatFrame.h"
#include "frameText.h"
#include "frmChat.h"
#include "frmRequest.h"
#include "printers.h"

namespace {
constexpr int WaitMs = 15000;
const QString C1 = QString(QChar(1));

bool WaitUntil(const std::function<bool()> &condition, const QString &what)
{
    const bool met = QTest::qWaitFor(condition, WaitMs);
    if (!met)
        ADD_FAILURE() << "never came: " << what.toStdString();
    return met;
}

// One person running Chattle: the connection manager with its windows in a document area of their own.
class TParticipant {
public:
    TParticipant(const QString &nick, const QString &appearance)
        : FNick(nick), Selected(NewCharacter(QStringLiteral("profile"), appearance))
    {
        Connection.Host = &Host;
        Connection.PersonaLib = &TestLibrary();
        Connection.ArtworkDir = TestArtworkDir();
        Connection.SelectedCharacter = Selected.get();
        Connection.OnConsoleLine = [this](QObject *, QString text) { Console << text; };
        Connection.OnError = [this](QObject *, int code) {
            Errors << code;
            if (code == 2001)
                Connection.CloseAll(); // as the main window does
        };
        Area.resize(1300, 900);
        Area.show();
    }

    bool Login(quint16 port)
    {
        Connection.Connect(FNick, QString(), QStringLiteral("127.0.0.1"), port);
        // Registered once the message of the day has ended: the manager then asks for the channel list.
        return WaitUntil([this] { return Sent("LIST "); }, FNick + " registered");
    }
    bool EnterRoom(const QString &room)
    {
        Connection.JoinRoom(room, QString());
        // In once the companion's names reply has listed the own nick (marked "@" for the first one in).
        return WaitUntil([=, this] { return Frame(room) && Frame(room)->lstVisualUsers->count() > 0; },
                         FNick + " in " + room);
    }
    QString Own() const { return Connection.OwnNick(); }
    TframeChatFrame *Frame(const QString &name) const
    {
        TfrmChat *window = Connection.FindRoom(name);
        return window ? window->frameChatFrame : nullptr;
    }
    TPersonaInst *Character(const QString &window, const QString &name) const
    {
        return Frame(window) ? Frame(window)->Space()->FindInstance(name) : nullptr;
    }
    QStringList Conversation(const QString &window) const
    {
        return Frame(window)->frameChatText->txtConversation->toPlainText().split('\n', Qt::SkipEmptyParts);
    }
    bool HasLine(const QString &window, const QString &line) const
    {
        return Frame(window) && Conversation(window).contains(line);
    }
    bool Sent(const QString &line) const { return Socket->Lines().contains(line); }
    bool WaitSent(const QString &line) { return WaitUntil([=, this] { return Sent(line); }, FNick + " sends " + line); }
    // Clicks the room surface of a window where the paint box shows (x, y).
    void ClickRoom(const QString &window, int x, int y)
    {
        TPersonaSpace *space = Frame(window)->Space();
        space->MouseMove(x, y);
        QTest::mouseClick(space->PaintBox(), Qt::LeftButton, {}, QPoint(x, y));
    }
    // Chooses an interaction, presses "Do It!" and clicks the character of name.
    void RequestFrom(const QString &window, const QString &choice, const QString &name)
    {
        TframeChatFrame *frame = Frame(window);
        frame->cboInteraction->setCurrentText(choice);
        QTest::mouseClick(frame->btnPerform, Qt::LeftButton);
        const TPersonaInst *target = Character(window, name);
        ASSERT_NE(target, nullptr) << name.toStdString();
        ClickRoom(window, target->X + 32, target->Y + 40);
    }
    void Say(const QString &window, const QString &text)
    {
        QLineEdit *say = Frame(window)->frameChatText->txtSay;
        say->setText(text);
        QTest::keyClick(say, Qt::Key_Return);
    }
    void Quit()
    {
        Connection.SendCommand(QStringLiteral("QUIT :Bye Bye"));
        Connection.Disconnect();
    }

    QString FNick;
    QMdiArea Area;
    TMdiWindowHost Host{&Area};
    std::unique_ptr<TPersonaInst> Selected;
    TRecordingSocket *Socket = new TRecordingSocket;
    TMxIRCConnection Connection{nullptr, Socket};
    QStringList Console;
    QList<int> Errors;
};

// Someone in the room with an ordinary IRC client.
class TPlainUser {
public:
    explicit TPlainUser(const QString &nick)
    {
        Client.SetOwnNick(nick);
        Client.OnEndMOTD = [this] { Registered = true; };
        Client.OnJoined = [this](QObject *, TIRCChannel *, QString channel) { Joined << channel; };
        Client.OnChannelMsg = [this](QObject *, QString from, QString channel, QString text) {
            if (from != Client.OwnNick())
                ChannelTexts << from + " " + channel + " " + text;
        };
        Client.OnPrivateMsg = [this](QObject *, QString from, QString text) { PrivateTexts << from + " " + text; };
        Client.OnKicked = [this](QObject *, QString channel, QString kicker, QString) { Kicks << channel + " " + kicker; };
    }
    bool Login(quint16 port)
    {
        Client.ServerAddress = QStringLiteral("127.0.0.1");
        Client.ServerPort = port;
        Client.Connect();
        return WaitUntil([this] { return Registered; }, "plain user registered");
    }
    bool Join(const QString &channel)
    {
        Client.SendRaw("JOIN " + channel);
        return WaitUntil([=, this] { return Joined.contains(channel); }, "plain user in " + channel);
    }

    TIRCClient Client;
    bool Registered = false;
    QStringList Joined, ChannelTexts, PrivateTexts, Kicks;
};

class RoomsIntegrationTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Server->Start()) << Server->Error().toStdString(); }

    // Every character of the default library, in another colour for bob so the two differ.
    static QString BobAppearance() { return DefaultAppearance().left(29) + "3366CC" + DefaultAppearance().mid(35); }

    TScriptedDialogs Boxes;
    std::unique_ptr<TTestIrcServer> Server = TTestIrcServer::FromEnvironment();
};
} // namespace

TEST_F(RoomsIntegrationTest, alice_and_bob_meet_and_shake_hands_in_a_room_beside_a_plain_user)
{
    const QString a = DefaultAppearance();
    const QString b = BobAppearance();
    TParticipant bob("bob", b);
    TParticipant alice("alice", a);
    TPlainUser carol("carol");
    ASSERT_TRUE(bob.Login(Server->Port()) && alice.Login(Server->Port()) && carol.Login(Server->Port()));
    ASSERT_TRUE(bob.EnterRoom("#lobby"));
    ASSERT_TRUE(carol.Join("#lobby"));

    // 1-2: alice joins; her Announce brings her to bob's room, bob's Present brings him to hers.
    ASSERT_TRUE(alice.EnterRoom("#lobby"));
    EXPECT_TRUE(alice.Sent("join #lobby"));
    EXPECT_TRUE(alice.Sent("join #lobby.av"));
    EXPECT_TRUE(alice.WaitSent("PRIVMSG #lobby.av :AV_IAMHERE" + a + "00100250S "));
    ASSERT_TRUE(WaitUntil([&] { return alice.Character("#lobby", "bob") && bob.Character("#lobby", "alice"); },
                          "both characters on both sides"));
    EXPECT_TRUE(bob.WaitSent("PRIVMSG alice :AV_IAMHERE" + b + "00100250S  #lobby"));
    EXPECT_EQ(bob.Character("#lobby", "alice")->GetAppearance(), a);
    EXPECT_EQ(alice.Character("#lobby", "bob")->GetAppearance(), b);
    EXPECT_EQ(QPoint(alice.Character("#lobby", "bob")->X, alice.Character("#lobby", "bob")->Y), QPoint(10, 250));

    // 3: alice clicks (200, 300) and walks towards (168, 246) on both screens.
    alice.ClickRoom("#lobby", 200, 300);
    EXPECT_TRUE(alice.WaitSent("PRIVMSG #lobby.av :AV_MOVE01680246S "));
    ASSERT_TRUE(WaitUntil([&] { return bob.Character("#lobby", "alice")->TargetX == 168; }, "alice's walk at bob's"));
    EXPECT_EQ(bob.Character("#lobby", "alice")->TargetY, 246);
    ASSERT_TRUE(WaitUntil([&] { return !alice.Frame("#lobby")->OwnCharacter()->Walking; }, "alice arrives"));

    // 4-5: the handshake request, accepted by bob; both screens animate.
    alice.RequestFrom("#lobby", "Handshake", "bob");
    EXPECT_TRUE(alice.WaitSent("PRIVMSG bob :AV_REQUESTHANDSHAKEbob #lobby"));
    EXPECT_EQ(alice.Frame("#lobby")->PendingRequest(), "bob");
    ASSERT_TRUE(WaitUntil([&] { return bob.Frame("#lobby")->RequestDialogOf("alice"); }, "bob's request dialog"));
    TfrmRequest *dialog = bob.Frame("#lobby")->RequestDialogOf("alice");
    EXPECT_EQ(dialog->findChild<QLabel *>("lblDescription")->text(), "alice would like to shake your hand!");
    QTest::mouseClick(dialog->findChild<QPushButton *>("BitBtn1"), Qt::LeftButton);
    EXPECT_TRUE(bob.WaitSent("PRIVMSG #lobby.av :AV_ACCEPTYESHANDSHAKEalice"));
    EXPECT_TRUE(bob.Character("#lobby", "alice")->Interacting);
    EXPECT_TRUE(bob.Frame("#lobby")->OwnCharacter()->Passive);
    ASSERT_TRUE(WaitUntil([&] { return alice.Frame("#lobby")->OwnCharacter()->Interacting; }, "alice's handshake"));
    EXPECT_EQ(alice.Frame("#lobby")->OwnCharacter()->Partner, alice.Character("#lobby", "bob"));
    EXPECT_EQ(alice.Frame("#lobby")->PendingRequest(), "");
    ASSERT_TRUE(WaitUntil([&] { return !alice.Frame("#lobby")->OwnCharacter()->Interacting &&
                                       !bob.Character("#lobby", "alice")->Interacting; },
                          "the handshake ends on both screens"));

    // Had bob rejected: a hug request refused privately.
    alice.RequestFrom("#lobby", "Hug", "bob");
    EXPECT_TRUE(alice.WaitSent("PRIVMSG bob :AV_REQUESTHUG------bob #lobby"));
    ASSERT_TRUE(WaitUntil([&] { return dialog->isVisible() && dialog->Kind() == "HUG------"; }, "bob asked again"));
    QTest::mouseClick(dialog->findChild<QPushButton *>("BitBtn2"), Qt::LeftButton);
    EXPECT_TRUE(bob.WaitSent("PRIVMSG alice :AV_ACCEPTNO-HUG------alice #lobby"));
    EXPECT_TRUE(WaitUntil([&] { return Boxes.ShownTexts().contains("Your interaction was not accepted by bob."); },
                          "alice told of the refusal"));
    EXPECT_EQ(alice.Frame("#lobby")->PendingRequest(), "");

    // The plain user's text shows in both rooms; the plain user receives only room text.
    carol.Client.SendPrivMsg("#lobby", "hello from a plain client");
    EXPECT_TRUE(WaitUntil([&] { return alice.HasLine("#lobby", "<carol> hello from a plain client") &&
                                       bob.HasLine("#lobby", "<carol> hello from a plain client"); },
                          "carol's text in both rooms"));
    alice.Say("#lobby", "hi carol");
    EXPECT_TRUE(WaitUntil([&] { return carol.ChannelTexts.contains("alice #lobby hi carol"); }, "carol reads alice"));
    EXPECT_TRUE(WaitUntil([&] { return bob.HasLine("#lobby", "<alice> hi carol"); }, "bob reads alice"));
    EXPECT_TRUE(alice.HasLine("#lobby", "<alice> hi carol")) << "through the echo";
    EXPECT_EQ(carol.ChannelTexts, QStringList{"alice #lobby hi carol"});
    EXPECT_TRUE(carol.PrivateTexts.isEmpty());
}

TEST_F(RoomsIntegrationTest, a_private_chat_opened_by_a_plain_text_exchanges_characters_moves_and_requests)
{
    const QString a = DefaultAppearance();
    const QString b = BobAppearance();
    TParticipant alice("alice", a);
    TParticipant bob("bob", b);
    ASSERT_TRUE(alice.Login(Server->Port()) && bob.Login(Server->Port()));

    bob.Connection.OpenPrivateChat("alice");
    ASSERT_NE(bob.Frame("alice"), nullptr);
    bob.Say("alice", "psst, alice");
    EXPECT_TRUE(bob.WaitSent("PRIVMSG alice :psst, alice"));
    EXPECT_TRUE(bob.HasLine("alice", "<bob> psst, alice"));
    ASSERT_TRUE(WaitUntil([&] { return alice.HasLine("bob", "<bob> psst, alice"); }, "alice's private window"));
    EXPECT_EQ(alice.Connection.FindRoom("bob")->windowTitle(), "Private Chat with bob");
    EXPECT_TRUE(alice.WaitSent("PRIVMSG bob :" + C1 + "AVP_IAMHERE " + a + "00100250S " + C1));
    EXPECT_TRUE(bob.WaitSent("PRIVMSG alice :" + C1 + "AVP_IAMHEREACK " + b + "00100250S " + C1));
    ASSERT_TRUE(WaitUntil([&] { return alice.Character("bob", "bob") && bob.Character("alice", "alice"); },
                          "characters on both sides"));

    alice.ClickRoom("bob", 300, 300);
    EXPECT_TRUE(alice.WaitSent("PRIVMSG bob :" + C1 + "AVP_MOVE 02680246S " + C1));
    EXPECT_TRUE(WaitUntil([&] { return bob.Character("alice", "alice")->TargetX == 268; }, "the private move"));

    alice.RequestFrom("bob", "Kiss", "bob");
    EXPECT_TRUE(alice.WaitSent("PRIVMSG bob :" + C1 + "AVP_REQUEST KISS-----bob bob" + C1));
    ASSERT_TRUE(WaitUntil([&] { return bob.Frame("alice")->RequestDialogOf("alice"); }, "bob's private request"));
    QTest::mouseClick(bob.Frame("alice")->RequestDialogOf("alice")->findChild<QPushButton *>("BitBtn1"), Qt::LeftButton);
    EXPECT_TRUE(bob.WaitSent("PRIVMSG alice :" + C1 + "AVP_ACCEPT YESKISS-----alice" + C1));
    EXPECT_TRUE(bob.Character("alice", "alice")->Interacting);
    EXPECT_TRUE(WaitUntil([&] { return alice.Frame("bob")->OwnCharacter()->Interacting &&
                                       alice.Frame("bob")->PendingRequest().isEmpty(); },
                          "alice's kiss"));
    EXPECT_TRUE(alice.Conversation("bob") == QStringList{"<bob> psst, alice"}) << "protocol texts never show";
}

TEST_F(RoomsIntegrationTest, kick_nick_change_and_quit_reach_every_window)
{
    TParticipant bob("bob", BobAppearance());
    TParticipant alice("alice", DefaultAppearance());
    TPlainUser carol("carol");
    ASSERT_TRUE(bob.Login(Server->Port()) && alice.Login(Server->Port()) && carol.Login(Server->Port()));
    ASSERT_TRUE(bob.EnterRoom("#lobby"));
    ASSERT_TRUE(alice.EnterRoom("#lobby"));
    ASSERT_TRUE(carol.Join("#lobby"));
    TframeChatFrame *room = alice.Frame("#lobby");
    ASSERT_TRUE(WaitUntil([&] { return room->HasMember("carol") && alice.Character("#lobby", "bob") &&
                                       bob.Character("#lobby", "alice"); },
                          "everybody in the room"));
    EXPECT_FALSE(room->lstUsers->findItems("@bob", Qt::MatchExactly).isEmpty()) << "the first to join is operator";

    // bob, the operator, kicks carol out.
    TframeChatFrame *bobsRoom = bob.Frame("#lobby");
    ASSERT_TRUE(WaitUntil([&] { return bobsRoom->HasMember("carol"); }, "carol in bob's list"));
    bobsRoom->lstUsers->setCurrentItem(bobsRoom->lstUsers->findItems("carol", Qt::MatchExactly).value(0));
    bobsRoom->Kick1->trigger();
    EXPECT_TRUE(bob.WaitSent("KICK #lobby carol"));
    EXPECT_TRUE(bob.WaitSent("KICK #lobby.av carol"));
    EXPECT_TRUE(WaitUntil([&] { return alice.HasLine("#lobby", "<System> carol was Kicked out by bob : bob"); },
                          "the kick line"));
    EXPECT_FALSE(room->HasMember("carol"));
    EXPECT_TRUE(WaitUntil([&] { return carol.Kicks.contains("#lobby bob"); }, "carol kicked"));

    // alice changes her nick: her character follows in her window and in bob's.
    alice.Connection.SendCommand("NICK alicia");
    ASSERT_TRUE(WaitUntil([&] { return alice.Own() == "alicia"; }, "the own nick change"));
    EXPECT_EQ(room->OwnName(), "alicia");
    EXPECT_TRUE(WaitUntil([&] { return bob.HasLine("#lobby", "*** alice is now know as alicia"); }, "bob sees it"));
    EXPECT_NE(bob.Character("#lobby", "alicia"), nullptr);
    EXPECT_FALSE(bobsRoom->lstVisualUsers->findItems("alicia", Qt::MatchExactly).isEmpty());
    alice.ClickRoom("#lobby", 300, 300);
    EXPECT_TRUE(WaitUntil([&] { return bob.Character("#lobby", "alicia")->TargetX == 268; }, "moves under the new nick"));

    // bob quits: he leaves both of alice's lists and the room surface.
    bob.Quit();
    EXPECT_TRUE(WaitUntil([&] { return alice.HasLine("#lobby", "*** bob has left."); }, "bob's quit"));
    EXPECT_FALSE(room->HasMember("bob"));
    EXPECT_EQ(alice.Character("#lobby", "bob"), nullptr);
    EXPECT_TRUE(bob.Errors.isEmpty()) << "a disconnect of one's own is no failure";
}

TEST_F(RoomsIntegrationTest, a_lost_connection_reports_2001_and_closes_every_window)
{
    TParticipant alice("alice", DefaultAppearance());
    ASSERT_TRUE(alice.Login(Server->Port()));
    ASSERT_TRUE(alice.EnterRoom("#lobby"));
    ASSERT_TRUE(alice.EnterRoom("#games"));
    alice.Connection.OpenPrivateChat("bob");
    EXPECT_EQ(alice.Area.subWindowList().size(), 3);

    Server->Stop();
    ASSERT_TRUE(WaitUntil([&] { return alice.Errors.contains(2001); }, "the lost connection"));
    EXPECT_EQ(alice.Errors, QList<int>{2001});
    EXPECT_TRUE(alice.Connection.RoomNames().isEmpty());
    EXPECT_TRUE(WaitUntil([&] { return alice.Area.subWindowList().isEmpty(); }, "every window closed"));
    EXPECT_FALSE(alice.Connection.IsConnected());
}

TEST_F(RoomsIntegrationTest, fifty_fast_clicks_neither_flood_the_server_nor_hold_back_a_line_typed_after_them)
{
    TParticipant alice("alice", DefaultAppearance());
    TPlainUser carol("carol");
    ASSERT_TRUE(alice.Login(Server->Port()) && carol.Login(Server->Port()));
    ASSERT_TRUE(alice.EnterRoom("#lobby"));
    ASSERT_TRUE(carol.Join("#lobby") && carol.Join("#lobby.av"));
    TSendQueue *queue = alice.Connection.IRCClient()->SendQueue();
    ASSERT_TRUE(WaitUntil([&] { return queue->Credit() == TSendQueue::Burst; }, "alice's burst back"));

    for (int click = 0; click < 50; ++click)
        alice.ClickRoom("#lobby", 100 + click * 5, 300 + click % 5 * 10);
    alice.Say("#lobby", "after the clicks");
    EXPECT_TRUE(QTest::qWaitFor([&] { return carol.ChannelTexts.contains("alice #lobby after the clicks"); }, 2000))
        << "the typed line arrives within 2 s";

    // The clicks between the first ones and the last went no further than alice's queue.
    ASSERT_TRUE(WaitUntil([&] { return queue->Waiting().isEmpty(); }, "alice's moves sent"));
    const QStringList moves = alice.Socket->Lines().filter("PRIVMSG #lobby.av :AV_MOVE");
    ASSERT_FALSE(moves.isEmpty());
    EXPECT_LT(moves.size(), 10);
    // Compared without the direction's trailing blank, which some servers strip.
    const QString lastMove = "alice #lobby.av " + moves.last().section(':', 1).trimmed();
    EXPECT_TRUE(WaitUntil([&] { return !carol.ChannelTexts.isEmpty() && carol.ChannelTexts.last().trimmed() == lastMove; },
                          "the last click's move at carol's"));
    EXPECT_TRUE(alice.Connection.IsConnected());
    EXPECT_TRUE(alice.Errors.isEmpty());
}
