// The connection manager between a fake network and real windows in a plain document area: what
// opens when, where each IRC event lands, what goes out on the wire, and the failure codes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include "AvatarProtocol.h"
#include "ChannelBrowser.h"
#include "ErrorHook.h"
#include "FakeSocket.h"
#include "IRCClient.h"
#include "LogCapture.h"
#include "MdiWindowHost.h"
#include "MxIRCConnection.h"
#include "PersonaInst.h"
#include "PersonaSpace.h"
#include "RoomsTestSupport.h"
#include "ScriptedDialogs.h"
#include "frameChatFrame.h"
#include "frameText.h"
#include "frmChat.h"
#include "frmRequest.h"
#include "printers.h"

namespace {
const QChar Ctcp(0x01);

// The channel browser's stand-in: records its rows and lets the test press its buttons.
class TFakeBrowser : public QWidget, public TChannelBrowser {
public:
    explicit TFakeBrowser(QWidget *owner) : QWidget(owner) {}
    QWidget *BrowserWindow() override { return this; }
    void ShowBrowser() override { Shown = true; }
    void AddChannel(const QString &name, int users, const QString &topic) override
    {
        Rows << QStringLiteral("%1|%2|%3").arg(name).arg(users).arg(topic);
    }
    QStringList Rows;
    bool Shown = false;
};

class ConnectionTest : public ::testing::Test {
protected:
    ConnectionTest()
    {
        Client().LineTimer()->stop();
        Connection.Host = &Host;
        Connection.PersonaLib = &TestLibrary();
        Connection.ArtworkDir = TestArtworkDir();
        Connection.WavPlayer = &Sounds;
        Connection.SelectedCharacter = Selected.get();
        Connection.OnConsoleLine = [this](QObject *, QString text) { Console << text; };
        Connection.OnError = [this](QObject *, int code) { Errors << code; };
        Connection.Connect("alice", "", "srv1", 6667);
        Socket->AcceptConnection();
        Socket->TakeLines();
        SetApplicationErrorHandler([this](const std::exception &error) { Escaped << error.what(); });
    }
    ~ConnectionTest() override { SetApplicationErrorHandler(nullptr); }

    TIRCClient &Client() { return *Connection.IRCClient(); }
    // One server line, dispatched as the line pump would.
    void Feed(const QString &line)
    {
        Socket->Receive(line.toUtf8() + "\r\n");
        while (!Client().LineQueue().isEmpty())
            RunGuarded([this] { Client().ProcessNextLine(); });
    }
    // What went out since the last call, without the WHO requests that follow every own join.
    QStringList Sent()
    {
        QStringList lines = Socket->TakeLines();
        lines.removeIf([](const QString &line) { return line.startsWith("WHO "); });
        return lines;
    }
    TfrmChat *Window(const QString &name) { return Connection.FindRoom(name); }
    TframeChatFrame *Frame(const QString &name) { return Window(name)->frameChatFrame; }
    QStringList Conversation(const QString &name)
    {
        return Frame(name)->frameChatText->txtConversation->toPlainText().split('\n', Qt::SkipEmptyParts);
    }
    static QStringList Entries(const QListWidget *list)
    {
        QStringList entries;
        for (int i = 0; i < list->count(); ++i)
            entries << list->item(i)->text();
        return entries;
    }
    // The room #lobby open and announced, with alice, @bob and +carol listed.
    void EnterLobby()
    {
        Feed(":alice!u@h JOIN :#lobby");
        Feed(":alice!u@h JOIN :#lobby.av");
        Feed(":srv 353 alice = #lobby :alice @bob +carol");
        Feed(":srv 366 alice #lobby :End of NAMES list");
        Feed(":srv 353 alice = #lobby.av :alice bob");
        Sent();
    }
    static void DeleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    QString Sound(const QString &name) { return TestArtworkDir() + "/" + name; }

    TScriptedDialogs Boxes;
    QMdiArea Area;
    TMdiWindowHost Host{&Area};
    TRecordingSoundPlayer Sounds;
    std::unique_ptr<TPersonaInst> Selected = NewCharacter("login name");
    TFakeSocket *Socket = new TFakeSocket;
    TMxIRCConnection Connection{nullptr, Socket};
    QStringList Console;
    QList<int> Errors;
    QStringList Escaped;
};
} // namespace

TEST_F(ConnectionTest, a_room_opens_on_the_join_confirmation_and_is_announced_on_the_companion)
{
    Connection.JoinRoom("#lobby", "Visit us  ^[beach.jpg]^");
    EXPECT_EQ(Sent(), QStringList({"join #lobby", "join #lobby.av"}));
    EXPECT_EQ(Window("#lobby"), nullptr);

    Feed(":alice!u@h JOIN :#lobby");
    TfrmChat *window = Window("#LOBBY");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Channel   #lobby");
    EXPECT_EQ(window->BackgroundPath, TestArtworkDir() + "/beach.jpg");
    EXPECT_TRUE(Area.subWindowList().contains(window));
    EXPECT_EQ(window->size(), QSize(619, 413));
    TPersonaInst *own = window->OwnCharacter();
    ASSERT_NE(own, nullptr);
    EXPECT_NE(own, Selected.get()) << "each window has its own copy";
    EXPECT_EQ(own->Name, "alice");
    EXPECT_EQ(QPoint(own->X, own->Y), QPoint(10, 250));
    EXPECT_TRUE(Sent().isEmpty());

    Feed(":alice!u@h JOIN :#lobby.av");
    EXPECT_EQ(Sent(), QStringList{"PRIVMSG #lobby.av :AV_IAMHERE" + TestBlock(10, 250, "S ")});

    // A companion confirmed before its room has no window to announce.
    Feed(":alice!u@h JOIN :#early.av");
    EXPECT_TRUE(Sent().isEmpty());
    EXPECT_EQ(Connection.RoomNames(), QStringList{"#lobby"});

    // Joining or creating a room that is open only brings its window forward.
    Connection.JoinRoom("#lobby", "");
    Connection.CreateRoom("#Lobby", "again", "room.jpg");
    EXPECT_TRUE(Sent().isEmpty());
    EXPECT_EQ(Connection.RememberedBackground("#lobby"), "beach.jpg");
}

TEST_F(ConnectionTest, a_second_activation_changes_nothing)
{
    Feed(":alice!u@h JOIN :#lobby");
    TfrmChat *window = Window("#lobby");
    window->OwnCharacter()->SetPosition(300, 260);
    window->FormActivate();
    EXPECT_EQ(window->OwnCharacter()->X, 300);
    EXPECT_EQ(window->windowTitle(), "Channel   #lobby");
    EXPECT_TRUE(window->Activated());
}

TEST_F(ConnectionTest, creating_a_room_sends_the_pair_lines_and_remembers_its_picture)
{
    Connection.CreateRoom("#castle", "  ", "castle.jpg");
    EXPECT_EQ(Sent(), QStringList({"join #castle", "join #castle.av", "mode #castle.av +tn",
                                   "topic #castle.av :Visit " + MakerWebAddress + " for animated IRC!  ^[manor.jpg]^"}));
    Connection.CreateRoom("#den", "Talk here", "room.jpg");
    EXPECT_EQ(Sent().mid(0, 2), QStringList({"join #den", "topic #den :Talk here"}));
    Feed(":alice!u@h JOIN :#den");
    EXPECT_EQ(Window("#den")->BackgroundPath, TestArtworkDir() + "/room.jpg");

    QTest::mouseClick(Frame("#den")->btnExit, Qt::LeftButton);
    EXPECT_EQ(Sent(), QStringList({"PART #den", "PART #den.av"}));
    EXPECT_EQ(Window("#den"), nullptr);
    EXPECT_EQ(Connection.RememberedBackground("#den"), "");
    EXPECT_EQ(Connection.RememberedBackground("#castle"), "manor.jpg");
}

TEST_F(ConnectionTest, channel_texts_open_rooms_and_own_echoes_show_only_in_rooms)
{
    Feed(":bob!u@h PRIVMSG #games :anyone here?");
    ASSERT_NE(Window("#games"), nullptr);
    EXPECT_EQ(Conversation("#games"), QStringList{"<bob> anyone here?"});

    Connection.SendMessage("#games", "me!");
    EXPECT_EQ(Conversation("#games").last(), "<alice> me!");
    Connection.SendMessage("#games.av", "AV_MOVE01000250S ");
    Connection.SendMessage("carol", "psst");
    EXPECT_EQ(Connection.RoomNames(), QStringList{"#games"}) << "echoes to a companion or an unknown nick open nothing";
    EXPECT_EQ(Sent().size(), 3);

    // Avatar traffic on the companion of a room named like "#a.avx" reaches that room, not a stray one.
    Feed(":alice!u@h JOIN :#a.avx");
    Feed(":bob!u@h PRIVMSG #a.avx.av :AV_IAMHERE" + TestBlock(100, 216, "S "));
    EXPECT_EQ(Connection.RoomNames(), QStringList({"#games", "#a.avx"}));
    EXPECT_NE(Frame("#a.avx")->Space()->FindInstance("bob"), nullptr);
    EXPECT_EQ(Sent(), QStringList{"PRIVMSG bob :" + PresentText(TestBlock(10, 250, "S "), "#a.avx")});

    // Texts whose prefix names nobody are dropped: no nameless line, no Present to an empty target.
    Feed(":!x PRIVMSG #games :who am I?");
    Feed(":!x PRIVMSG #a.avx.av :AV_IAMHERE" + TestBlock(120, 216, "S "));
    EXPECT_EQ(Conversation("#games").last(), "<alice> me!");
    EXPECT_TRUE(Sent().isEmpty());
}

TEST_F(ConnectionTest, private_room_forms_are_routed_by_the_window_they_name)
{
    EnterLobby();
    Feed(":bob!u@h PRIVMSG alice :" + PresentText(TestBlock(200, 230, "S "), "#lobby"));
    EXPECT_NE(Frame("#lobby")->Space()->FindInstance("bob"), nullptr);

    Feed(":bob!u@h PRIVMSG alice :AV_REQUESTHANDSHAKEalice");
    Feed(":bob!u@h PRIVMSG alice :AV_REQUESTHANDSHAKEalice #nowhere");
    EXPECT_EQ(Frame("#lobby")->RequestDialogOf("bob"), nullptr);
    EXPECT_EQ(Connection.RoomNames(), QStringList{"#lobby"}) << "dropped without a word";

    Feed(":bob!u@h PRIVMSG alice :AV_REQUESTHANDSHAKEalice #lobby");
    ASSERT_NE(Frame("#lobby")->RequestDialogOf("bob"), nullptr);
    EXPECT_TRUE(Sent().isEmpty());
}

TEST_F(ConnectionTest, a_private_text_from_a_new_nick_opens_a_window_and_announces_once)
{
    Feed(":bob!u@h PRIVMSG alice :hello alice");
    TfrmChat *window = Window("bob");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Private Chat with bob");
    EXPECT_EQ(Conversation("bob"), QStringList{"<bob> hello alice"});
    EXPECT_EQ(Entries(Frame("bob")->lstUsers), QStringList({"alice", "bob"}));
    EXPECT_EQ(Sent(), QStringList{"PRIVMSG bob :" + PrivateAnnounceText(TestBlock(10, 250, "S "))});

    Feed(":bob!u@h PRIVMSG alice :still there?");
    EXPECT_TRUE(Sent().isEmpty());
    Feed(":bob!u@h PRIVMSG alice :" + PrivateAcknowledgementText(TestBlock(300, 230, "SE")));
    ASSERT_NE(Frame("bob")->Space()->FindInstance("bob"), nullptr);
    EXPECT_TRUE(Sent().isEmpty()) << "an acknowledgement is not answered";

    // A private text whose prefix names nobody opens nothing and answers nobody.
    Feed(":!u@h PRIVMSG alice :who am I?");
    EXPECT_EQ(Connection.RoomNames(), QStringList{"bob"});
    EXPECT_TRUE(Sent().isEmpty());

    // Another CTCP request opens a window too, shows nothing for it and announces.
    Feed(":carol!u@h PRIVMSG alice :" + QString(Ctcp) + "VERSION" + Ctcp);
    ASSERT_NE(Window("carol"), nullptr);
    EXPECT_TRUE(Conversation("carol").isEmpty());
    EXPECT_EQ(Sent(), QStringList{"PRIVMSG carol :" + PrivateAnnounceText(TestBlock(10, 250, "S "))});

    // The private chat command opens a window without telling the other user.
    Connection.OpenPrivateChat("dave");
    EXPECT_EQ(Entries(Frame("dave")->lstUsers), QStringList({"alice", "dave"}));
    EXPECT_TRUE(Sent().isEmpty());
    Connection.OpenPrivateChat("DAVE");
    EXPECT_EQ(Connection.RoomNames(), QStringList({"bob", "carol", "dave"}));
}

TEST_F(ConnectionTest, joins_parts_and_quits_keep_the_lists_and_play_the_sounds)
{
    EnterLobby();
    EXPECT_EQ(Entries(Frame("#lobby")->lstUsers), QStringList({"+carol", "@bob", "alice"}));
    EXPECT_EQ(Entries(Frame("#lobby")->lstVisualUsers), QStringList({"alice", "bob"}));
    EXPECT_TRUE(Sounds.Played.isEmpty()) << "the own join plays nothing";
    EXPECT_TRUE(Conversation("#lobby").isEmpty()) << "no entry line for the own join";

    Feed(":dave!u@h JOIN :#lobby");
    Feed(":dave!u@h JOIN :#lobby.av");
    EXPECT_EQ(Conversation("#lobby"), QStringList{"*** dave has entered the channel."});
    Feed(":dave!u@h PART #lobby :bye");
    Feed(":bob!u@h QUIT :gone");
    Feed(":carol!u@h QUIT :gone too");
    EXPECT_EQ(Conversation("#lobby").mid(1),
              QStringList({"*** dave has left.", "*** bob has left.", "*** carol has left."}));
    EXPECT_EQ(Entries(Frame("#lobby")->lstUsers), QStringList{"alice"});
    EXPECT_EQ(Entries(Frame("#lobby")->lstVisualUsers), QStringList({"alice", "dave"}));
    EXPECT_EQ(Sounds.Played, QStringList({Sound("EnterRoom.wav"), Sound("ExitRoom.wav"), Sound("ExitRoom.wav"),
                                          Sound("ExitRoom.wav")}))
        << "none for the companion";
    Feed(":zed!u@h QUIT :never here");
    EXPECT_EQ(Sounds.Played.size(), 4);
}

TEST_F(ConnectionTest, kicks_reach_the_room_and_a_kicked_user_keeps_the_window)
{
    EnterLobby();
    Feed(":op!u@h KICK #lobby bob :behave");
    Feed(":op!u@h KICK #lobby.av bob :behave");
    EXPECT_EQ(Conversation("#lobby"), QStringList{"<System> bob was Kicked out by op : behave"});
    EXPECT_FALSE(Frame("#lobby")->HasMember("bob"));

    Feed(":op!u@h KICK #lobby alice :out");
    EXPECT_EQ(Boxes.ShownTexts(), QStringList{"You were Kicked Out by op!  Reason: out"});
    EXPECT_NE(Window("#lobby"), nullptr);
}

TEST_F(ConnectionTest, nick_changes_follow_in_every_window)
{
    EnterLobby();
    Feed(":bob!u@h PRIVMSG alice :hi");
    Feed(":alice!u@h NICK :alicia");
    EXPECT_EQ(Connection.OwnNick(), "alicia");
    EXPECT_EQ(Frame("#lobby")->OwnName(), "alicia");
    EXPECT_EQ(Frame("bob")->OwnName(), "alicia");
    EXPECT_EQ(Conversation("#lobby").last(), "*** alice is now know as alicia");

    TfrmChat *privateChat = Window("bob");
    Feed(":bob!u@h NICK :robert");
    EXPECT_EQ(Entries(Frame("#lobby")->lstUsers), QStringList({"+carol", "@robert", "alicia"}));
    // The private window follows its party: name, caption, and the conversation goes on in it.
    EXPECT_EQ(Window("robert"), privateChat);
    EXPECT_EQ(Connection.RoomNames(), QStringList({"#lobby", "robert"}));
    EXPECT_EQ(privateChat->windowTitle(), "Private Chat with robert");
    EXPECT_EQ(Entries(Frame("robert")->lstUsers), QStringList({"alicia", "robert"}));
    Sent();
    Feed(":robert!u@h PRIVMSG alicia :it is me");
    EXPECT_EQ(Conversation("robert").last(), "<robert> it is me");
    Frame("robert")->frameChatText->txtSay->setText("hello again");
    Frame("robert")->frameChatTextButton1Click();
    EXPECT_EQ(Sent(), QStringList({"PRIVMSG robert :hello again"}));

    // A party taking the nick of another open private chat leaves both windows as they are.
    Feed(":carol!u@h PRIVMSG alicia :psst");
    Feed(":carol!u@h NICK :robert");
    EXPECT_EQ(Connection.RoomNames(), QStringList({"#lobby", "robert", "carol"}));
}

TEST_F(ConnectionTest, notices_and_topics_show_where_they_belong)
{
    EnterLobby();
    Feed(":srv 332 alice #lobby :welcome \x02" "all");
    Feed(":pat!u@h TOPIC #lobby :new \x03" "04topic");
    Feed(":pat!u@h NOTICE #lobby :room \x1Dnotice");
    Feed(":pat!u@h TOPIC #lobby.av :^[beach.jpg]^");
    EXPECT_EQ(Conversation("#lobby"), QStringList({"*** The topic is: welcome all", "*** pat changes the topic to: new topic",
                                                          "-pat- room notice"}));

    Feed(":bob!u@h PRIVMSG alice :hi");
    Feed(":bob!u@h NOTICE alice :private \x0Fnotice");
    EXPECT_EQ(Conversation("bob").last(), "-bob- private notice");
    Feed(":dan!u@h NOTICE alice :no \x02window");
    Feed(":irc.example NOTICE alice :*** server says");
    EXPECT_EQ(Console.mid(Console.size() - 2), QStringList({"-dan- no window", "-irc.example- *** server says"}));
    EXPECT_EQ(Connection.RoomNames(), QStringList({"#lobby", "bob"})) << "a notice opens no window";
}

TEST_F(ConnectionTest, server_replies_reach_the_console_and_failures_become_codes)
{
    Feed(":srv 251 alice :There are 2 users");
    Feed(":srv 322 alice #lobby 3 :hidden from the console");
    Feed(":srv 376 alice :End of MOTD command");
    EXPECT_EQ(Console, QStringList({"-", "There are 2 users ", "End of MOTD command ", "-"}));
    EXPECT_EQ(Sent(), QStringList{"LIST "}) << "the end of the greeting asks for the channels";

    Feed(":srv 433 * alice :Nickname already in use");
    Feed(":srv 465 alice :You are banned");
    Feed(":srv 432 * al/ice :Erroneous nickname");
    Feed(":srv 437 * alice :Nick/channel is temporarily unavailable");
    EXPECT_EQ(Errors, QList<int>({1433, 1465, 1433, 1433}));

    // Each kind on a socket that is not connected (on a live one the engine reports the loss first).
    Errors.clear();
    Socket->Live = false;
    Socket->Fail(eeConnect, 111);
    Socket->Fail(eeReceive, 104);
    Socket->Fail(eeGeneral, 1);
    EXPECT_EQ(Errors, QList<int>({1000, 2000, 2000}));
}

TEST_F(ConnectionTest, a_lost_connection_gives_2001_and_close_all_closes_every_window_silently)
{
    EnterLobby();
    Feed(":alice!u@h JOIN :#games");
    Feed(":bob!u@h PRIVMSG alice :hi");
    Sent();
    Connection.OnError = [this](QObject *, int code) {
        Errors << code;
        if (code == 2001)
            Connection.CloseAll(); // as the main window does
    };
    Socket->PeerCloses();
    EXPECT_EQ(Errors, QList<int>{2001});
    EXPECT_TRUE(Connection.RoomNames().isEmpty());
    EXPECT_EQ(Connection.RememberedBackground("#lobby"), "");
    DeleteClosedWindows();
    EXPECT_TRUE(Area.subWindowList().isEmpty());
    EXPECT_TRUE(Socket->Written.isEmpty());
}

TEST_F(ConnectionTest, a_window_closed_while_its_refusal_box_is_up_is_left_alone)
{
    // Real boxes, each running its own event loop: the connection drops while the refusal is on the
    // screen, the main window closes every room, and each box goes with its window.
    SetDialogResponder(nullptr);
    const auto loseConnectionWhileABoxIsUp = [this] {
        QTimer::singleShot(0, [this] {
            Connection.CloseAll();
            DeleteClosedWindows(); // as the box's event loop does while the user reads it
        });
        QTimer::singleShot(0, [] {
            for (QWidget *widget : QApplication::topLevelWidgets())
                if (auto *box = qobject_cast<QMessageBox *>(widget))
                    box->done(0);
        });
    };
    Feed(":bob!u@h PRIVMSG alice :hi");
    loseConnectionWhileABoxIsUp();
    Feed(":bob!u@h PRIVMSG alice :" + QString(Ctcp) + "AVP_ACCEPT NO-HANDSHAKEalice" + Ctcp);
    EXPECT_TRUE(Connection.RoomNames().isEmpty());

    EnterLobby();
    loseConnectionWhileABoxIsUp();
    Feed(":bob!u@h PRIVMSG alice :AV_ACCEPTNO-HANDSHAKEalice #lobby");
    EXPECT_TRUE(Connection.RoomNames().isEmpty());
    DeleteClosedWindows();
    EXPECT_TRUE(Area.subWindowList().isEmpty());
}

TEST_F(ConnectionTest, the_close_box_leaves_a_room_but_only_forgets_a_private_chat)
{
    EnterLobby();
    Feed(":bob!u@h PRIVMSG alice :hi");
    Sent();
    Window("bob")->close();
    EXPECT_TRUE(Sent().isEmpty());
    Window("#lobby")->close();
    EXPECT_EQ(Sent(), QStringList({"PART #lobby", "PART #lobby.av"}));
    EXPECT_TRUE(Connection.RoomNames().isEmpty());
    DeleteClosedWindows();
    EXPECT_TRUE(Area.subWindowList().isEmpty());

    // The room opens again on the next join.
    Feed(":alice!u@h JOIN :#lobby");
    EXPECT_NE(Window("#lobby"), nullptr);
}

TEST_F(ConnectionTest, the_channel_list_goes_to_the_newest_browser_until_listing_stops)
{
    QList<QPointer<TFakeBrowser>> browsers;
    Connection.CreateChannelBrowser = [&](QWidget *owner) {
        browsers << new TFakeBrowser(owner);
        return browsers.last().data();
    };
    Connection.ShowChannels();
    ASSERT_EQ(browsers.size(), 1);
    EXPECT_TRUE(browsers[0]->Shown);
    EXPECT_EQ(Sent(), QStringList{"LIST "});
    Feed(":srv 322 alice #lobby.av 3 :Visit us  ^[beach.jpg]^");
    Feed(":srv 322 alice #quiet 1 :");
    EXPECT_EQ(browsers[0]->Rows, QStringList({"#lobby.av|3|Visit us  ^[beach.jpg]^", "#quiet|1|"}));

    Connection.ShowChannels();
    ASSERT_EQ(browsers.size(), 2);
    browsers[0]->OnClosed();
    delete browsers[0];
    Feed(":srv 322 alice #games 2 :fun");
    EXPECT_EQ(browsers[1]->Rows, QStringList{"#games|2|fun"}) << "an older browser closing forgets nothing";

    Sent();
    Connection.StopListing();
    EXPECT_EQ(Sent(), QStringList{"LIST stop"});
    Feed(":srv 322 alice #late 2 :too late");
    EXPECT_EQ(browsers[1]->Rows.size(), 1);

    browsers[1]->OnJoinChannel("#lobby", "Visit us  ^[beach.jpg]^");
    EXPECT_EQ(Sent(), QStringList({"join #lobby", "join #lobby.av"}));
    EXPECT_EQ(Connection.RememberedBackground("#lobby"), "beach.jpg");
    browsers[1]->OnNewChannel("#new", "", "room.jpg");
    EXPECT_EQ(Sent().first(), "join #new");
    delete browsers[1];
    Feed(":srv 322 alice #after 2 :nobody listens");
    EXPECT_EQ(Connection.ChannelBrowser(), nullptr);
}

TEST_F(ConnectionTest, an_abandoned_avatar_message_is_logged_once_by_the_rooms)
{
    EnterLobby();
    TLogCapture log;
    const QString cutShort = "AV_IAMHERE" + TestBlock(100, 216, "S ").chopped(8);
    Feed(":bob!u@h PRIVMSG #lobby.av :" + cutShort);
    Feed(":!x PRIVMSG alice :AV_REQUESTHANDSHAKEalice #lobby");
    Feed(":bob!u@h PRIVMSG alice :AV_REQUESTHANDSHAKEalice");
    EXPECT_EQ(Escaped.size(), 1);
    ASSERT_EQ(log.Lines.size(), 3) << log.Lines.join('\n').toStdString();
    EXPECT_TRUE(log.Lines[0].startsWith("chattle.rooms: Abandoned avatar message from bob \"" + cutShort + "\": "));
    EXPECT_EQ(log.Lines.mid(1),
              QStringList({"chattle.rooms: Abandoned a private message without a sender \"AV_REQUESTHANDSHAKEalice #lobby\"",
                           "chattle.rooms: Abandoned avatar message from bob without a room \"AV_REQUESTHANDSHAKEalice\""}));
}
