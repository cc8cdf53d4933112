// Two real clients against a real IRC server: registration, rosters, messages, CTCP framing, nick,
// topic, mode, kick, part and quit; refused connections and nicks in use. Prefixes are what the
// server itself showed, since servers differ in how they write user names.
#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

#include "EventRecorder.h"
#include "IRCChannel.h"
#include "IRCClient.h"
#include "TestIrcServer.h"
#include "printers.h"

namespace {
constexpr int WaitMs = 15000;
const QString C1 = QString(QChar(1));

// One client with every event recorded; nothing is ever taken out of the log, so waits look at
// everything seen so far.
class TChatter {
public:
    TIRCClient Client;
    TEventRecorder Events{Client};

    TChatter() { Events.WatchRosters(); }

    bool Saw(const QString &event) const { return Events.Log.contains(event); }
    bool WaitFor(const QString &event)
    {
        const bool seen = QTest::qWaitFor([&] { return Saw(event); }, WaitMs);
        if (!seen)
            ADD_FAILURE() << Client.OwnNick().toStdString() << " never saw " << event.toStdString() << "\nlog:\n"
                          << Events.Log.join('\n').toStdString();
        return seen;
    }
    bool WaitUntil(const std::function<bool()> &condition, const char *what)
    {
        const bool met = QTest::qWaitFor(condition, WaitMs);
        if (!met)
            ADD_FAILURE() << Client.OwnNick().toStdString() << ": " << what << " never came\nlog:\n"
                          << Events.Log.join('\n').toStdString();
        return met;
    }
    bool Register(const QString &nick, quint16 port)
    {
        Client.SetOwnNick(nick);
        Client.ServerAddress = "127.0.0.1";
        Client.ServerPort = port;
        Client.Connect();
        return WaitFor("OnEndMOTD()");
    }
    TIRCChannel *Roster(const QString &channel) const { return Client.FindChannel(channel); }
    // The prefix the server put on the own JOIN of channel ("nick!user@host").
    QString OwnPrefix(const QString &channel) const
    {
        const QRegularExpression join("^:?(" + QRegularExpression::escape(Client.OwnNick()) + "![^ ]+) JOIN :?" +
                                      QRegularExpression::escape(channel) + "$");
        for (const QString &event : Events.Log.filter(QRegularExpression("^OnIRCData\\(")))
            if (const auto match = join.match(event.mid(10).chopped(1)); match.hasMatch())
                return match.captured(1);
        ADD_FAILURE() << "no own JOIN of " << channel.toStdString();
        return {};
    }
};

// A prefix as the engine keeps it from a WHO reply: the user name without the "~" some servers add.
QString WhoForm(QString prefix) { return prefix.replace("!~", "!"); }

class IrcServerTest : public ::testing::Test {
protected:
    static inline std::unique_ptr<TTestIrcServer> Server;

    static void SetUpTestSuite()
    {
        Server = TTestIrcServer::FromEnvironment();
        if (!Server->Start())
            qWarning("%s", qPrintable(Server->Error()));
    }
    static void TearDownTestSuite() { Server.reset(); }
    void SetUp() override { ASSERT_TRUE(Server->Port() != 0 && Server->Error().isEmpty()) << Server->Error().toStdString(); }
};
} // namespace

TEST_F(IrcServerTest, two_clients_meet_talk_and_part_in_a_channel)
{
    TChatter alice, bob;
    ASSERT_TRUE(alice.Register("alice", Server->Port()));
    ASSERT_TRUE(bob.Register("bob", Server->Port()));
    EXPECT_TRUE(alice.Saw("OnConnect(127.0.0.1)"));
    EXPECT_FALSE(alice.Events.Log.filter(QRegularExpression("^OnServerMsg\\(1, .*alice")).isEmpty());

    // Joins, names and WHO replies into both rosters.
    alice.Client.SendRaw("JOIN #chattle");
    ASSERT_TRUE(alice.WaitFor("OnShortListChanged(#chattle, @alice)"));
    bob.Client.SendRaw("JOIN #chattle");
    ASSERT_TRUE(bob.WaitFor("OnJoined(#chattle, #chattle)"));
    ASSERT_TRUE(alice.WaitFor("OnJoin(bob, #chattle)"));
    const QString alicePrefix = alice.OwnPrefix("#chattle"), bobPrefix = bob.OwnPrefix("#chattle");
    EXPECT_TRUE(alicePrefix.endsWith("@127.0.0.1")) << alicePrefix.toStdString();
    ASSERT_TRUE(bob.WaitUntil([&] { return bob.Roster("#chattle") && bob.Roster("#chattle")->LongList().size() == 2; },
                              "bob's WHO replies"));
    EXPECT_TRUE(bob.Saw("OnUserInChannelMsg(#chattle, @alice)"));
    TIRCChannel *bobsRoom = bob.Roster("#chattle");
    EXPECT_EQ(QSet<QString>(bobsRoom->ShortList().begin(), bobsRoom->ShortList().end()), QSet<QString>({"bob", "@alice"}));
    EXPECT_TRUE(bobsRoom->LongList().contains(WhoForm(alicePrefix)));
    TIRCChannel *alicesRoom = alice.Roster("#chattle");
    ASSERT_NE(alicesRoom, nullptr);
    EXPECT_EQ(alicesRoom->ShortList(), QStringList({"@alice", "bob"}));
    EXPECT_TRUE(alicesRoom->LongList().contains(bobPrefix) || alicesRoom->LongList().contains(WhoForm(bobPrefix)));

    // Channel and private messages, CTCP framing both ways.
    alice.Client.SendPrivMsg("#chattle", QString::fromUtf8("hello there, café ☕"));
    EXPECT_TRUE(alice.Saw(QString::fromUtf8("OnChannelMsg(alice, #chattle, hello there, café ☕)")));
    EXPECT_TRUE(bob.WaitFor(QString::fromUtf8("OnChannelMsg(alice, #chattle, hello there, café ☕)")));
    bob.Client.SendPrivMsg("alice", C1 + "AVP_HELLO 1" + C1);
    EXPECT_TRUE(alice.WaitFor("OnPrivateMsg(bob, " + C1 + "AVP_HELLO 1" + C1 + ")"));
    alice.Client.SendRaw("NOTICE bob :" + C1 + "VERSION Chattle 1.4" + C1);
    EXPECT_TRUE(bob.WaitFor("OnCTCPReply(" + alicePrefix + ", VERSION Chattle 1.4)"));

    // A text far longer than one line arrives whole, in pieces, and nobody is thrown off.
    QStringList words;
    for (int i = 0; i < 120; ++i)
        words << QString::fromUtf8("wörd%1").arg(i);
    alice.Client.SendPrivMsg("#chattle", words.join(' '));
    EXPECT_TRUE(bob.WaitUntil(
        [&] {
            QStringList pieces;
            for (const QString &event : bob.Events.Log.filter("OnChannelMsg(alice, #chattle, "))
                pieces << event.mid(QString("OnChannelMsg(alice, #chattle, ").size()).chopped(1);
            return pieces.size() > 2 && pieces.mid(1).join(' ') == words.join(' ');
        },
        "the long text, broken between words"));
    EXPECT_TRUE(alice.Client.Connected());

    // Topic and mode.
    alice.Client.SendRaw("TOPIC #chattle :Avatars welcome");
    EXPECT_TRUE(bob.WaitFor("OnTopicChange(#chattle, " + alicePrefix + ", Avatars welcome)"));
    alice.Client.SendRaw("MODE #chattle +v bob");
    EXPECT_TRUE(bob.WaitFor("OnModeChange(#chattle, " + alicePrefix + ", +v, bob)"));

    // Nick change, confirmed by the server.
    bob.Client.SetOwnNick("bobby");
    EXPECT_EQ(bob.Client.OwnNick(), "bob");
    EXPECT_TRUE(alice.WaitFor("OnNickChange(bob, bobby)"));
    EXPECT_TRUE(bob.WaitUntil([&] { return bob.Client.OwnNick() == "bobby"; }, "the own nick change"));
    EXPECT_EQ(alicesRoom->ShortList(), QStringList({"@alice", "bobby"}));
    const QString renamed = "bobby" + bobPrefix.mid(bobPrefix.indexOf('!'));
    EXPECT_TRUE(alicesRoom->LongList().contains(renamed) || alicesRoom->LongList().contains(WhoForm(renamed)));

    // Kick: the victim loses the roster, the kicker's roster loses the victim.
    alice.Client.SendRaw("KICK #chattle bobby :behave");
    EXPECT_TRUE(bob.WaitFor("OnKicked(#chattle, alice, behave)"));
    EXPECT_EQ(bob.Roster("#chattle"), nullptr);
    EXPECT_TRUE(alice.WaitFor("OnKick(#chattle, alice, bobby, behave)"));
    EXPECT_EQ(alicesRoom->ShortList(), QStringList({"@alice"}));
    EXPECT_EQ(alicesRoom->LongList().filter("bobby").size(), 0);

    // Part, with and without a reason.
    bob.Client.SendRaw("JOIN #chattle");
    ASSERT_TRUE(alice.WaitUntil([&] { return alicesRoom->ShortList().contains("bobby"); }, "bobby's return"));
    bob.Client.SendRaw("PART #chattle :later");
    EXPECT_TRUE(bob.WaitFor("OnParted(#chattle)"));
    EXPECT_TRUE(alice.WaitUntil([&] { return !alicesRoom->ShortList().contains("bobby"); }, "bobby's part"));
    EXPECT_TRUE(alice.Saw("OnPart(bobby, #chattle)"));

    // Quit: the others see it, the quitter sees the server close.
    bob.Client.SendRaw("JOIN #chattle");
    ASSERT_TRUE(alice.WaitUntil([&] { return alicesRoom->ShortList().contains("bobby"); }, "bobby's second return"));
    bob.Client.SendRaw("QUIT :Bye Bye");
    EXPECT_TRUE(bob.WaitFor("OnCommError(4, 0)"));
    EXPECT_TRUE(bob.Saw("OnDisconnect[socket](Disconnected by peer)"));
    EXPECT_FALSE(bob.Client.Connected());
    EXPECT_TRUE(alice.WaitUntil([&] { return !alice.Events.Log.filter(QRegularExpression("^OnQuit\\(bobby, .*Bye Bye.*\\)$")).isEmpty(); },
                                "bobby's quit"));
    EXPECT_EQ(alicesRoom->ShortList(), QStringList({"@alice"}));

    // The user's own disconnect: the close is reported first, then "Disconnected", and no error.
    alice.Client.Disconnect();
    EXPECT_EQ(alice.Events.Log.mid(alice.Events.Log.size() - 2),
              QStringList({"OnDisconnect[socket](Disconnected by peer)", "OnDisconnect(Disconnected)"}));
    EXPECT_TRUE(alice.Client.Channels().isEmpty());
    EXPECT_EQ(alice.Events.Log.filter("OnCommError").size(), 0);
}

TEST_F(IrcServerTest, a_refused_connection_reports_disconnect_then_the_connect_kind)
{
    TChatter nobody;
    nobody.Client.SetOwnNick("nobody");
    nobody.Client.ServerAddress = "127.0.0.1";
    nobody.Client.ServerPort = TTestIrcServer::FreePort();
    nobody.Client.Connect();
    ASSERT_TRUE(nobody.WaitUntil([&] { return !nobody.Events.Log.filter("OnCommError").isEmpty(); }, "the error"));
    ASSERT_EQ(nobody.Events.Log.size(), 2) << nobody.Events.Log.join('\n').toStdString();
    EXPECT_EQ(nobody.Events.Log.at(0), "OnDisconnect[socket](Connection error)");
    EXPECT_TRUE(nobody.Events.Log.at(1).startsWith(QString("OnCommError(%1, ").arg(int(eeConnect))));
    EXPECT_FALSE(nobody.Client.Connected());
}

TEST_F(IrcServerTest, a_nick_in_use_comes_back_as_numeric_433)
{
    TChatter first, second;
    ASSERT_TRUE(first.Register("carol", Server->Port()));
    second.Client.SetOwnNick("carol");
    second.Client.ServerAddress = "127.0.0.1";
    second.Client.ServerPort = Server->Port();
    second.Client.Connect();
    EXPECT_TRUE(second.WaitUntil([&] { return !second.Events.Log.filter("OnServerMsg(433, carol ").isEmpty(); },
                                 "numeric 433"));
    second.Client.SetOwnNick("carol2");
    EXPECT_TRUE(second.WaitFor("OnEndMOTD()"));
    second.Client.Disconnect();
    first.Client.Disconnect();
}
