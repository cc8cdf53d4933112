// The dispatcher's tables: one received line, the events it raises (after OnIRCData).
#include <QRandomGenerator>

#include "ClientFixture.h"

namespace {
const QString C1 = QString(QChar(1));

struct DispatchRow {
    const char *Description;
    QString Line;
    QStringList Events;
};

const QList<DispatchRow> &Rows()
{
    static const QList<DispatchRow> rows = {
        {"channel message", ":n!u@h PRIVMSG #room :hello there", {"OnChannelMsg(n, #room, hello there)"}},
        {"a framed message to a channel is an ordinary channel message",
         ":n!u@h PRIVMSG #room :" + C1 + "ACTION waves" + C1, {"OnChannelMsg(n, #room, " + C1 + "ACTION waves" + C1 + ")"}},
        {"a CTCP request keeps its framing", ":n!~u@h PRIVMSG me :" + C1 + "VERSION" + C1,
         {"OnPrivateMsg(n, " + C1 + "VERSION" + C1 + ")"}},
        {"only '#' makes a channel", ":n!u@h PRIVMSG &local :hi", {"OnPrivateMsg(n, hi)"}},
        {"a DCC chat offer in any letter case", ":n!u@h PRIVMSG me :" + C1 + "dcc chat chat 1234 5678" + C1,
         {"OnDCCChatRequest(n!u@h)"}},
        {"a CTCP reply loses its framing and keeps the whole prefix", ":n!u@h NOTICE me :" + C1 + "PING 12345" + C1,
         {"OnCTCPReply(n!u@h, PING 12345)"}},
        {"a CTCP reply without a closing mark", ":n!u@h NOTICE me :" + C1 + "VERSION x", {"OnCTCPReply(n!u@h, VERSION x)"}},
        {"notice", ":n!u@h NOTICE me :mind the step", {"OnNotice(n!u@h, mind the step)"}},
        {"a notice without prefix has AUTH as its command", "NOTICE AUTH :*** Looking up your hostname",
         {"OnOther(NOTICE AUTH :*** Looking up your hostname)"}},
        {"invite", ":n!u@h INVITE me :#den", {"OnInvited(#den, n!u@h)"}},
        {"topic", ":n!u@h TOPIC #room :new topic", {"OnTopicChange(#room, n!u@h, new topic)"}},
        {"mode with targets", ":op!u@h MODE #room +ov bob ann", {"OnModeChange(#room, op!u@h, +ov, bob ann)"}},
        {"mode without targets", ":op!u@h MODE #room +m", {"OnModeChange(#room, op!u@h, +m, )"}},
        {"commands are matched in upper case", ":n!u@h privmsg #room :hey", {"OnChannelMsg(n, #room, hey)"}},
        {"an unknown command", ":n!u@h WALLOPS :x", {"OnOther(n!u@h WALLOPS :x)"}},
        {"an error line", "ERROR :Closing link", {"OnOther(ERROR :Closing link)"}},
        {"welcome: report from the fourth parameter on, each with a blank",
         ":srv 001 me :Welcome to the net", {"OnServerMsg(1, Welcome to the net )"}},
        {"a numeric with few parameters reports empty text", ":srv 004 me", {"OnServerMsg(4, )"}},
        {"nick in use", ":srv 433 * bob :Nickname already in use", {"OnServerMsg(433, bob Nickname already in use )"}},
        {"end of MOTD", ":srv 376 me :End of MOTD", {"OnEndMOTD()", "OnServerMsg(376, End of MOTD )"}},
        {"no MOTD", ":srv 422 me :MOTD File is missing", {"OnEndMOTD()", "OnServerMsg(422, MOTD File is missing )"}},
        {"LIST entry", ":srv 322 me #room 12 :the topic",
         {"OnNewChannelMsg(#room, 12, the topic)", "OnServerMsg(322, #room 12 the topic )"}},
        {"LIST entry with an empty topic", ":srv 322 me #room 3 :",
         {"OnNewChannelMsg(#room, 3, :)", "OnServerMsg(322, #room 3  )"}},
        {"LIST entry without a topic: the blank put in as its description is reported too", ":srv 322 me #room 3", {"OnNewChannelMsg(#room, 3,  )", "OnServerMsg(322, #room 3   )"}},
        {"a hidden channel is not listed", ":srv 322 me * 5 :", {"OnServerMsg(322, * 5  )"}},
        {"names for a channel not joined change nothing", ":srv 353 me = #else :a b",
         {"OnServerMsg(353, #else :a b )"}},
        {"a secret names reply is only reported", ":srv 353 me @ #secret :a b", {"OnServerMsg(353, @ #secret a b )"}},
    };
    return rows;
}
} // namespace

using Dispatcher = ClientFixture;

TEST_F(Dispatcher, each_row_raises_its_events)
{
    ConnectAs("me");
    for (const DispatchRow &row : Rows()) {
        Feed(row.Line);
        QStringList events = Events.Take();
        const QString text = row.Line.startsWith(':') ? row.Line.mid(1) : row.Line;
        ASSERT_FALSE(events.isEmpty()) << row.Description;
        EXPECT_EQ(events.takeFirst(), "OnIRCData(" + text + ")") << row.Description;
        EXPECT_EQ(events, row.Events) << row.Description;
    }
    EXPECT_TRUE(Socket->TakeLines().isEmpty());
}

TEST_F(Dispatcher, a_dcc_offer_without_its_handler_is_a_private_message)
{
    ConnectAs("me");
    Feed(":n!u@h PRIVMSG me :" + C1 + "DCC CHAT chat 1 2" + C1);
    EXPECT_TRUE(Events.DCCAccept);
    Client.OnDCCChatRequest = nullptr;
    Events.Take();
    Feed(":n!u@h PRIVMSG me :" + C1 + "DCC CHAT chat 1 2" + C1);
    EXPECT_EQ(Events.Take().last(), "OnPrivateMsg(n, " + C1 + "DCC CHAT chat 1 2" + C1 + ")");
}

TEST_F(Dispatcher, a_long_report_parameter_keeps_999_characters)
{
    ConnectAs("me");
    Feed(":srv 372 me :" + QString(1200, 'm'));
    EXPECT_EQ(Events.Take().last(), "OnServerMsg(372, " + QString(999, 'm') + " )");
}

TEST_F(Dispatcher, short_lines_stop_with_a_protocol_error_after_what_was_raised)
{
    ConnectAs("me");
    const QStringList shortLines = {":n!u@h PRIVMSG", ":n!u@h JOIN", ":n!u@h PART", ":op!u@h KICK #a",
                                    ":n!u@h NICK", ":op!u@h MODE #a", ":n!u@h TOPIC", ":srv 322 me #a",
                                    ":srv 322 me #a lots :x", ":srv 352 me", ":srv 366 me"};
    for (const QString &line : shortLines) {
        Socket->Receive(line.toUtf8() + "\r\n");
        EXPECT_THROW(Client.ProcessNextLine(), EProtocolError) << line.toStdString();
        EXPECT_EQ(Events.Take(), QStringList({"OnIRCData(" + line.mid(1) + ")"})) << line.toStdString();
    }
}

TEST_F(Dispatcher, unset_events_skip_quietly_and_state_still_changes)
{
    TFakeSocket *socket = new TFakeSocket;
    TIRCClient client(nullptr, socket);
    client.LineTimer()->stop();
    client.SetOwnNick("me");
    client.Connect();
    socket->AcceptConnection();
    const QStringList transcript = {
        ":srv 001 me :Welcome", ":srv 376 me :End", ":me!u@h JOIN :#room", ":srv 353 me = #room :me @op",
        ":srv 366 me #room :End", ":srv 352 me #room u h srv op H :0 Op", ":ann!a@h JOIN #room",
        ":srv 322 me #room 2 :t", ":op!u@h PRIVMSG #room :hi", ":op!u@h PRIVMSG me :" + C1 + "DCC CHAT CHAT 1 2" + C1,
        ":op!u@h NOTICE me :" + C1 + "PING 1" + C1, ":op!u@h MODE #room +o ann", ":op!u@h TOPIC #room :t",
        ":op!u@h INVITE me :#x", ":ann!a@h NICK :anna", ":me!u@h NICK :me2", "PING :srv", "ERROR :x"};
    for (const QString &line : transcript)
        socket->Receive(line.toUtf8() + "\r\n");
    while (!client.LineQueue().isEmpty())
        client.ProcessNextLine();
    EXPECT_EQ(client.OwnNick(), "me2");
    ASSERT_EQ(client.Channels().size(), 1);
    EXPECT_EQ(client.Channels().at(0)->ShortList(), QStringList({"@op", "anna", "me2"}));
    EXPECT_EQ(client.Channels().at(0)->LongList(), QStringList({"op!u@h", "anna!a@h", "me2!u@h"}));
    EXPECT_TRUE(socket->TakeLines().contains("PONG :srv"));
}

TEST_F(Dispatcher, random_lines_fail_only_with_protocol_errors)
{
    ConnectAs("me");
    Join("#room");
    const QStringList words = {":",      "=",      "@",     "#room", "me",    ":me!u@h", ":n!u@h", "PRIVMSG", "JOIN",
                               "PART",   "QUIT",   "KICK",  "NICK",  "MODE",  "TOPIC",   "NOTICE", "INVITE",  "322",
                               "352",    "353",    "366",   "376",   "001",   ":x y",    "\x01",   "~",       "",
                               "PING",   "-5",     "99999999999", QString::fromUtf8("ü")};
    QRandomGenerator random(20261208);
    int protocolErrors = 0;
    for (int i = 0; i < 3000; ++i) {
        QStringList line;
        const int length = int(random.bounded(1, 9));
        for (int w = 0; w < length; ++w)
            line << words.at(int(random.bounded(qsizetype(words.size()))));
        Socket->Receive(line.join(random.bounded(4) == 0 ? "  " : " ").toUtf8() + "\r\n");
        try {
            Client.ProcessNextLine();
        } catch (const EProtocolError &) {
            ++protocolErrors;
        }
        if (Client.Channels().isEmpty())
            Join("#room");
    }
    EXPECT_GT(protocolErrors, 0);
    EXPECT_TRUE(Client.LineQueue().isEmpty());
}
