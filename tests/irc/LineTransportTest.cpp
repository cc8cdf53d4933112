// Line splitting, the pump, registration, sending and the ways back to idle.
#include <QElapsedTimer>
#include <QTest>

#include "ClientFixture.h"
#include "ErrorHook.h"

using LineSplitting = ClientFixture;

TEST_F(LineSplitting, reads_are_joined_and_cut_at_line_ends_without_empty_lines)
{
    ConnectAs("me");
    Socket->Receive("PRIV");
    EXPECT_TRUE(Client.LineQueue().isEmpty());
    Socket->Receive("MSG #a :hi\r");
    Socket->Receive("\n\r\n\nNEXT\n");
    Socket->Receive("\r\nabc\ndef\r\ng\nh\r"); // an LF before a later CR ends its own line
    EXPECT_EQ(Client.LineQueue(), QStringList({"PRIVMSG #a :hi", "NEXT", "abc", "def", "g", "h"}));
    EXPECT_TRUE(Client.PartialLine().isEmpty());

    Socket->Receive("one\ntwo\n");
    EXPECT_EQ(Client.LineQueue().mid(6), QStringList({"one", "two"}));
}

TEST_F(LineSplitting, a_large_read_of_many_short_lines_keeps_every_line_in_order)
{
    ConnectAs("me");
    QByteArray read;
    for (int i = 0; i < 20000; ++i)
        read += QByteArray::number(i) + (i % 2 ? "\r\n" : "\n");
    Socket->Receive(read + "tail");
    const QStringList lines = Client.LineQueue();
    ASSERT_EQ(lines.size(), 20000);
    EXPECT_EQ(lines.first(), "0");
    EXPECT_EQ(lines.at(12345), "12345");
    EXPECT_EQ(lines.last(), "19999");
    EXPECT_EQ(Client.PartialLine(), "tail");
}

TEST_F(LineSplitting, each_line_decodes_on_its_own)
{
    ConnectAs("me");
    Socket->Receive("caf\xc3\xa9\r\ncaf\xe9\r\n");
    EXPECT_EQ(Client.LineQueue(), QStringList({QString::fromUtf8("café"), QString::fromUtf8("café")}));
}

TEST_F(LineSplitting, an_endless_line_is_kept_to_the_cap_and_its_excess_dropped)
{
    ConnectAs("me");
    const QByteArray chunk(16 * 1024, 'x');
    for (int i = 0; i < 6; ++i)
        Socket->Receive(chunk);
    EXPECT_EQ(Client.PartialLine().size(), TIRCClient::MaxPartialLine);
    Socket->Receive(chunk);
    EXPECT_EQ(Client.PartialLine().size(), TIRCClient::MaxPartialLine);
    Socket->Receive("yyy\nzzz\r\nNEXT\r\n"); // the LF ends the overlong line
    ASSERT_EQ(Client.LineQueue().size(), 3);
    EXPECT_EQ(Client.LineQueue().at(0), QString(TIRCClient::MaxPartialLine, 'x'));
    EXPECT_EQ(Client.LineQueue().mid(1), QStringList({"zzz", "NEXT"}));
    EXPECT_TRUE(Client.PartialLine().isEmpty());
}

TEST_F(LineSplitting, connect_forgets_the_partial_line_but_keeps_the_queue)
{
    ConnectAs("me");
    Socket->Receive("KEPT\r\nhalf");
    Client.Connect();
    EXPECT_TRUE(Client.PartialLine().isEmpty());
    EXPECT_EQ(Client.LineQueue(), QStringList({"KEPT"}));
}

using LinePump = ClientFixture;

TEST_F(LinePump, dispatches_one_line_per_tick)
{
    Client.OnIRCData = [this](QObject *, QString line) { Events.Log << line; };
    Client.OnOther = nullptr;
    Socket->Receive(":a X 1\r\n:b X 2\r\n:c X 3\r\n");
    Client.ProcessNextLine();
    EXPECT_EQ(Events.Take(), QStringList({"a X 1"}));
    Client.ProcessNextLine();
    Client.ProcessNextLine();
    EXPECT_EQ(Events.Take(), QStringList({"b X 2", "c X 3"}));
    Client.ProcessNextLine(); // an empty queue does nothing
    EXPECT_TRUE(Events.Log.isEmpty());
}

TEST_F(LinePump, a_handler_running_inside_a_tick_never_gets_a_second_line)
{
    int depth = 0;
    int deepest = 0;
    Client.OnOther = [&](QObject *, QString) {
        ++depth;
        deepest = std::max(deepest, depth);
        Client.ProcessNextLine(); // as a modal loop would tick the timer
        --depth;
    };
    Socket->Receive(":a X\r\n:b X\r\n");
    Client.ProcessNextLine();
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(Client.LineQueue().size(), 1);
}

TEST_F(LinePump, answers_ping_itself)
{
    ConnectAs("me");
    Feed("PING :srv1");
    Feed("ping :x");
    EXPECT_EQ(Socket->TakeLines(), QStringList({"PONG :srv1", "pOng :x"}));
    EXPECT_EQ(Events.Take(), QStringList({"OnServerMsg(999, Ping, Pong!)", "OnServerMsg(999, -)",
                                          "OnServerMsg(999, Ping, Pong!)", "OnServerMsg(999, -)"}));

    Client.PongServer = false;
    Feed("PING :srv1");
    EXPECT_TRUE(Socket->TakeLines().isEmpty());
    EXPECT_EQ(Events.Take(), QStringList({"OnIRCData(PING :srv1)", "OnOther(PING :srv1)"}));

    Client.PongServer = true;
    Socket->Receive("PIN\r\n"); // not longer than 3 characters: no ping, and too short to dispatch
    EXPECT_THROW(Client.ProcessNextLine(), EProtocolError);
    EXPECT_TRUE(Socket->TakeLines().isEmpty());
}

TEST_F(LinePump, ignoring_list_replies_drops_only_queued_322_lines)
{
    Socket->Receive(":srv 322 me #a 3 :x\r\n:srv 323 me :End of /LIST\r\n:srv 322 me #b 1 :y\r\nWORD\r\n");
    Client.IgnoreListReplies = true;
    Client.ProcessNextLine();
    EXPECT_EQ(Client.LineQueue(), QStringList({"WORD"}));
    EXPECT_EQ(Events.Take(), QStringList({"OnIRCData(srv 323 me :End of /LIST)", "OnServerMsg(323, End of /LIST )"}));

    Socket->Receive(":srv 322 me #c 1 :z\r\n");
    EXPECT_THROW(Client.ProcessNextLine(), EProtocolError); // WORD is a single word
    EXPECT_TRUE(Client.LineQueue().isEmpty());
}

TEST_F(LinePump, a_malformed_line_is_lost_alone_and_the_timer_reports_it_to_the_hook)
{
    QStringList errors;
    SetApplicationErrorHandler([&](const std::exception &e) { errors << QString::fromUtf8(e.what()); });
    Socket->Receive(":srv 322 me #a many :x\r\n:srv KICK #a\r\n:n!u@h PRIVMSG #a :fine\r\n");
    Client.LineTimer()->start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return Client.LineQueue().isEmpty(); }, 5000));
    SetApplicationErrorHandler(nullptr);

    EXPECT_EQ(errors.size(), 2);
    EXPECT_TRUE(Events.Log.contains("OnChannelMsg(n, #a, fine)"));
    EXPECT_FALSE(Events.Log.contains("OnServerMsg(322, #a many x )")); // the failed line stops early
    Events.Take();
    Socket->Receive("LONE\r\n");
    EXPECT_THROW(Client.ProcessNextLine(), EProtocolError);
    EXPECT_TRUE(Events.Log.isEmpty()); // a single word raises nothing, not even OnIRCData
}

TEST_F(LinePump, a_tick_dispatches_the_queue_in_order_and_loses_a_bad_line_alone)
{
    ConnectAs("me");
    QStringList errors;
    SetApplicationErrorHandler([&](const std::exception &e) { errors << QString::fromUtf8(e.what()); });
    Client.OnServerMsg = nullptr;
    Socket->Receive(":a X 1\r\nPING :srv1\r\n:srv 322 me #a many :x\r\n:b X 2\r\n");
    Client.PumpLines();
    SetApplicationErrorHandler(nullptr);
    EXPECT_TRUE(Client.LineQueue().isEmpty());
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(Socket->TakeLines(), QStringList({"PONG :srv1"}));
    EXPECT_EQ(Events.Take(), QStringList({"OnIRCData(a X 1)", "OnOther(a X 1)", "OnIRCData(srv 322 me #a many :x)",
                                          "OnIRCData(b X 2)", "OnOther(b X 2)"}));
}

TEST_F(LinePump, a_tick_that_has_used_its_time_leaves_the_rest_to_the_next)
{
    int nested = 0;
    Client.OnOther = [&](QObject *, QString) {
        QElapsedTimer clock;
        clock.start();
        while (!clock.hasExpired(TIRCClient::TickBudgetMs)) {
        }
        nested += Client.LineQueue().size();
        Client.PumpLines(); // as a modal loop would tick the timer: nothing more is dispatched
        nested -= Client.LineQueue().size();
    };
    Socket->Receive(":a X\r\n:b X\r\n:c X\r\n");
    Client.PumpLines();
    EXPECT_EQ(Client.LineQueue().size(), 2);
    Client.PumpLines();
    EXPECT_EQ(Client.LineQueue().size(), 1);
    EXPECT_EQ(nested, 0);
}

using Registration = ClientFixture;

TEST_F(Registration, sends_nick_and_user_then_raises_on_connect)
{
    Client.SetOwnNick("bob");
    Client.RealName = "R";
    Client.ServerAddress = "srv1";
    Client.ServerPort = 6668;
    Client.Connect();
    EXPECT_EQ(Socket->Host(), "srv1");
    EXPECT_EQ(Socket->Port, 6668);
    EXPECT_FALSE(Client.Connected());
    EXPECT_TRUE(Events.Log.isEmpty());

    Socket->AcceptConnection();
    EXPECT_TRUE(Client.Connected());
    EXPECT_EQ(Socket->TakeLines(), QStringList({"CAP LS 302", "NICK bob", "USER bob pc1 srv1  :R"}));
    EXPECT_EQ(Events.Take(), QStringList({"OnConnect(srv1)"}));
}

TEST_F(Registration, a_password_goes_first)
{
    Client.SetOwnNick("bob");
    Client.Password = "sesame";
    Client.ServerAddress = "srv1";
    Client.Connect();
    Socket->AcceptConnection();
    const QStringList lines = Socket->TakeLines();
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines.at(1), "PASS sesame"); // before NICK, right after the capability request
    EXPECT_EQ(lines.at(2), "NICK bob");
}

TEST_F(Registration, an_open_that_fails_at_once_reports_and_never_throws)
{
    Socket->OpenFailure = "No server address given";
    EXPECT_NO_THROW(Client.Connect());
    EXPECT_FALSE(Client.Connected());
    EXPECT_EQ(Events.Take(), QStringList({"OnDisconnect(No server address given)"}));

    Socket->OpenFailure.clear();
    Client.ServerPort = 70000; // never wraps around to another port
    Client.Connect();
    EXPECT_EQ(Socket->Port, 0);
}

TEST_F(Registration, defaults_and_the_nick_setter)
{
    EXPECT_EQ(Client.OwnNick(), "IRCNick");
    EXPECT_EQ(Client.ServerPort, 6667);
    EXPECT_EQ(Client.Ident, "rIRC");
    EXPECT_TRUE(Client.RealName.contains("1.4"));
    EXPECT_TRUE(Client.PongServer && Client.EchoOn && Client.RetrieveLongNames);
    EXPECT_EQ(Client.DccTimeOut, 60);
    EXPECT_TRUE(Client.OwnLongNick().isEmpty());
    EXPECT_TRUE(Client.LineTimer()->interval() == 50);

    ConnectAs("old");
    Client.SetOwnNick("new");
    EXPECT_EQ(Socket->TakeLines(), QStringList({"NICK new"}));
    EXPECT_EQ(Client.OwnNick(), "old");
    Feed(":old!u@h NICK :new");
    EXPECT_EQ(Client.OwnNick(), "new");
}

using Sending = ClientFixture;

TEST_F(Sending, nothing_leaves_or_echoes_while_not_connected)
{
    Client.SendRaw("JOIN #a");
    Client.SendPrivMsg("#a", "hi");
    EXPECT_TRUE(Socket->Written.isEmpty());
    EXPECT_TRUE(Events.Log.isEmpty());
}

TEST_F(Sending, raw_lines_are_cut_at_breaks_and_to_510_bytes_on_character_boundaries)
{
    ConnectAs("me");
    Client.SendRaw("JOIN #a");
    Client.SendRaw("PRIVMSG #a :hi\r\nQUIT :smuggled");
    Client.SendRaw(QString("NICK x") + QChar(0) + "y");
    EXPECT_EQ(Socket->TakeLines(), QStringList({"JOIN #a", "PRIVMSG #a :hi", "NICK x"}));

    Client.SendRaw("a" + QString(400, QChar(0xE9)));
    ASSERT_EQ(Socket->Written.size(), 1);
    const QByteArray written = Socket->Written.at(0);
    EXPECT_EQ(written.size(), 509 + 2);
    EXPECT_EQ(QString::fromUtf8(written.chopped(2)), "a" + QString(254, QChar(0xE9)));
}

TEST_F(Sending, a_private_message_is_sent_and_echoed_as_a_channel_message)
{
    ConnectAs("me");
    Client.SendPrivMsg("#room", "hi");
    Client.SendPrivMsg("bob", "psst");
    EXPECT_EQ(Socket->TakeLines(), QStringList({"PRIVMSG #room :hi", "PRIVMSG bob :psst"}));
    EXPECT_EQ(Events.Take(), QStringList({"OnChannelMsg(me, #room, hi)", "OnChannelMsg(me, bob, psst)"}));

    Client.EchoOn = false;
    Client.SendPrivMsg("#room", "quiet\r\nQUIT");
    EXPECT_EQ(Socket->TakeLines(), QStringList({"PRIVMSG #room :quiet"}));
    EXPECT_TRUE(Events.Log.isEmpty());
}

TEST_F(Sending, a_long_message_is_split_on_characters_so_the_relayed_lines_fit)
{
    ConnectAs("me");
    QString text;
    for (int i = 0; i < 300; ++i)
        text += QString::fromUtf8(i % 3 == 0 ? "€" : i % 3 == 1 ? "😀" : "x");
    Client.SendPrivMsg("#room", text);

    QString rejoined;
    QStringList echoed;
    for (const QString &event : Events.Take())
        echoed << event.mid(QString("OnChannelMsg(me, #room, ").size()).chopped(1);
    const QByteArrayList written = std::exchange(Socket->Written, {});
    ASSERT_GT(written.size(), 1);
    ASSERT_EQ(echoed.size(), written.size());
    for (int i = 0; i < written.size(); ++i) {
        EXPECT_LE(written.at(i).size() + TIRCClient::RelayPrefixReserve, 512);
        const QString line = QString::fromUtf8(written.at(i).chopped(2));
        EXPECT_EQ(written.at(i), line.toUtf8() + "\r\n") << "a cut inside a character";
        ASSERT_TRUE(line.startsWith("PRIVMSG #room :"));
        EXPECT_EQ(line.mid(15), echoed.at(i));
        rejoined += echoed.at(i);
    }
    EXPECT_EQ(rejoined, text);
}

TEST_F(Sending, a_long_message_breaks_between_words_when_it_can)
{
    ConnectAs("me");
    QStringList words;
    for (int i = 0; i < 150; ++i)
        words << QString("word%1").arg(i);
    Client.SendPrivMsg("#room", words.join(' '));
    QStringList pieces;
    for (const QString &line : Socket->TakeLines()) {
        ASSERT_TRUE(line.startsWith("PRIVMSG #room :"));
        pieces << line.mid(15);
    }
    ASSERT_GT(pieces.size(), 1);
    EXPECT_EQ(pieces.join(' '), words.join(' '));
    for (const QString &piece : pieces)
        EXPECT_FALSE(piece.startsWith(' ') || piece.endsWith(' ')) << piece.toStdString();
}

TEST_F(Sending, a_ctcp_message_is_never_split_and_keeps_its_closing_mark)
{
    ConnectAs("me");
    const QString ctcp = QChar(1) + QString("AVP_LONG ") + QString(600, 'z') + QChar(1);
    Client.SendPrivMsg("bob", ctcp);
    ASSERT_EQ(Socket->Written.size(), 1);
    const QString line = QString::fromUtf8(Socket->Written.at(0).chopped(2));
    EXPECT_LE(Socket->Written.at(0).size() + TIRCClient::RelayPrefixReserve, 512);
    EXPECT_TRUE(line.startsWith(QString("PRIVMSG bob :") + QChar(1) + "AVP_LONG zzz"));
    EXPECT_TRUE(line.endsWith(QString("zz") + QChar(1)));
    EXPECT_EQ(Events.Take(), QStringList({"OnChannelMsg(me, bob, " + line.mid(13) + ")"}));
}

using Disconnecting = ClientFixture;

TEST_F(Disconnecting, the_user_disconnect_reports_the_close_then_disconnected)
{
    ConnectAs("me");
    Join("#room");
    Client.Disconnect();
    EXPECT_FALSE(Client.Connected());
    EXPECT_TRUE(Client.Channels().isEmpty());
    EXPECT_EQ(Events.Take(),
              QStringList({"OnDisconnect[socket](Disconnected by peer)", "OnDisconnect(Disconnected)"}));
    Client.Disconnect(); // nothing live any more
    EXPECT_EQ(Events.Take(), QStringList({"OnDisconnect(Disconnected)"}));
}

TEST_F(Disconnecting, the_server_closing_is_a_disconnect_error_with_code_0)
{
    ConnectAs("me");
    Join("#room");
    Socket->PeerCloses();
    EXPECT_FALSE(Client.Connected());
    EXPECT_TRUE(Client.Channels().isEmpty());
    EXPECT_EQ(Events.Take(), QStringList({"OnDisconnect[socket](Disconnected by peer)", "OnCommError(4, 0)"}));
}

TEST_F(Disconnecting, a_connect_failure_reports_the_kind_and_code_and_marks_it_handled)
{
    Client.ServerAddress = "srv1";
    Client.Connect();
    EXPECT_EQ(Socket->Fail(eeConnect, 10061), 0);
    EXPECT_EQ(Events.Take(), QStringList({"OnDisconnect[socket](Connection error)", "OnCommError(3, 10061)"}));

    Client.OnCommError = nullptr; // unhandled: the code stays for the socket layer to raise
    EXPECT_EQ(Socket->Fail(eeConnect, 10061), 10061);
}

TEST_F(Disconnecting, an_error_on_a_live_connection_first_reports_the_close)
{
    ConnectAs("me");
    Join("#room");
    EXPECT_EQ(Socket->Fail(eeReceive, 7), 0);
    EXPECT_TRUE(Client.Channels().isEmpty());
    EXPECT_EQ(Events.Take(), QStringList({"OnDisconnect[socket](Disconnected by peer)", "OnCommError(4, 0)",
                                          "OnDisconnect[socket](Connection error)", "OnCommError(2, 7)"}));
}

TEST_F(Disconnecting, no_event_is_raised_once_destruction_has_begun)
{
    auto *socket = new TFakeSocket;
    auto client = std::make_unique<TIRCClient>(nullptr, socket);
    QStringList log;
    client->OnDisconnect = [&](QObject *, QString msg) { log << msg; };
    client->Connect();
    socket->AcceptConnection();
    client->SendRaw("QUIT :Bye Bye");
    client.reset();
    EXPECT_TRUE(log.isEmpty());
}
