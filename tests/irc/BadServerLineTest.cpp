// Hostile and broken server lines: each one is dispatched or lost on its own, and the next line still
// arrives. Short lines of the commands checked in DispatcherTest are not repeated here.
#include "ClientFixture.h"
#include "ErrorHook.h"

namespace {
struct BadLineRow {
    const char *Input;
    QByteArray Bytes; // one line with its end
    bool Lost;        // the line stops with a protocol error
    QString Raised = {}; // an event the line raises, where it matters
};

const QByteArray Good = ":n!u@h PRIVMSG #room :after\r\n";

const QList<BadLineRow> &Rows()
{
    static const QList<BadLineRow> rows = {
        {"a_privmsg_longer_than_the_cap", ":n!u@h PRIVMSG #room :" + QByteArray(70000, 'y') + "\r\n", false},
        {"a_single_word_longer_than_the_cap", QByteArray(70000, 'x') + "\r\n", true},
        {"a_privmsg_without_text", ":n!u@h PRIVMSG #room\r\n", true},
        {"a_notice_without_text", ":n!u@h NOTICE me\r\n", true},
        {"an_invite_without_channel", ":n!u@h INVITE me\r\n", true},
        {"a_topic_without_text", ":n!u@h TOPIC #room\r\n", true},
        {"a_quit_without_reason", ":n!u@h QUIT\r\n", false, "OnQuit(n, )"},
        {"a_kick_without_reason", ":op!u@h KICK #room n\r\n", false, "OnKick(#room, op, n, )"},
        {"a_bare_ping", "PING\r\n", false},
        {"a_welcome_without_parameters", ":srv 001\r\n", false, "OnServerMsg(1, )"},
        {"a_topic_reply_without_topic", ":srv 332 me #room\r\n", false},
        {"a_names_reply_without_names", ":srv 353 me\r\n", false},
        {"a_names_reply_with_a_bare_channel", ":srv 353 me = #room\r\n", false},
        {"a_numeric_with_a_huge_code", ":srv 99999999999 me :x\r\n", false},
        {"a_prefix_alone", ":\r\n", true},
        {"blanks_alone", "    \r\n", false},
        {"a_nul_inside_a_message", QByteArray(":n!u@h PRIVMSG #room :a\0b\r\n", 27), false},
        {"a_nul_inside_the_command", QByteArray(":n!u@h PRIV\0MSG #room :x\r\n", 26), false},
        {"invalid_utf8_in_the_prefix_and_text", ":\xff\xfe!u@h PRIVMSG #room :\xc3\x28\xe2\x82\r\n", false},
        {"a_ctcp_request_without_its_closing_byte", ":n!u@h PRIVMSG me :\x01VERSION\r\n", false},
        {"a_ctcp_byte_alone", ":n!u@h PRIVMSG me :\x01\r\n", false},
        {"a_storm_of_formatting_codes",
         ":n!u@h PRIVMSG #room :" + QByteArray("\x03" "99,99\x02\x1f\x16\x0f\x03,").repeated(5000) + "\r\n", false},
    };
    return rows;
}

class BadServerLine : public ClientFixture, public ::testing::WithParamInterface<BadLineRow> {};
} // namespace

TEST_P(BadServerLine, is_dispatched_or_lost_alone_and_the_next_line_still_arrives)
{
    ConnectAs("me");
    Join("#room");
    QStringList errors;
    SetApplicationErrorHandler([&](const std::exception &e) { errors << QString::fromUtf8(e.what()); });
    Socket->Receive(GetParam().Bytes + Good);
    for (int tick = 0; tick < 10 && !Client.LineQueue().isEmpty(); ++tick)
        Client.PumpLines();
    SetApplicationErrorHandler(nullptr);

    EXPECT_TRUE(Client.LineQueue().isEmpty());
    EXPECT_EQ(errors.size(), GetParam().Lost ? 1 : 0) << Events.Log.join(u'\n').left(300).toStdString();
    EXPECT_EQ(Events.Log.filter("OnChannelMsg(n, #room, after)").size(), 1);
    if (!GetParam().Raised.isEmpty()) {
        EXPECT_TRUE(Events.Log.contains(GetParam().Raised)) << Events.Log.join(u'\n').toStdString();
    }
    EXPECT_TRUE(Client.PartialLine().isEmpty());
    EXPECT_NE(Client.FindChannel("#room"), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Rows, BadServerLine, ::testing::ValuesIn(Rows()),
                         [](const auto &info) { return std::string(info.param.Input); });
