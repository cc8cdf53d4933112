// The warning limiter, and what the engine logs: raw traffic, and each dropped line once.
#include "ClientFixture.h"
#include "ErrorHook.h"
#include "LogCapture.h"
#include "WarningLimiter.h"

TEST(WarningLimiter, lets_five_a_second_through_and_counts_the_rest_for_the_next)
{
    qint64 now = 0;
    TWarningLimiter limiter([&] { return now; });
    const struct {
        qint64 At;
        QString Logged; // empty: suppressed
    } rows[] = {{0, "w"}, {0, "w"}, {0, "w"}, {0, "w"}, {10, "w"}, {10, ""}, {999, ""},
                {1000, "w (suppressed 2 earlier warnings)"}, {1001, "w"}, {5000, "w"}};
    for (const auto &row : rows) {
        now = row.At;
        EXPECT_EQ(limiter.Admit("w").value_or(QString()), row.Logged) << row.At;
    }
}

using EngineLog = ClientFixture;

TEST_F(EngineLog, shows_the_traffic_without_the_password_and_each_dropped_line_once)
{
    TLogCapture log("chattle.*=true");
    Client.Password = "secret";
    ConnectAs("me");
    Socket->Receive(":srv 322 me #a many :x\r\n:srv 001 me :hi\r\n");
    while (!Client.LineQueue().isEmpty())
        RunGuarded([this] { Client.ProcessNextLine(); }); // no handler: the hook drops the error

    EXPECT_EQ(log.Lines.filter("PASS"), QStringList{"chattle.irc.raw: >> PASS ****"});
    EXPECT_TRUE(log.Lines.contains("chattle.irc.raw: >> NICK me"));
    EXPECT_TRUE(log.Lines.contains("chattle.irc.raw: << :srv 001 me :hi"));
    EXPECT_EQ(log.Lines.filter("many :x\":"),
              QStringList{"chattle.irc: Dropped server line \":srv 322 me #a many :x\": "
                          "A LIST reply's user count is not a number: many"});
    EXPECT_TRUE(log.Lines.filter("chattle.common").isEmpty());

    Socket->Receive(QByteArray(70000, 'x') + "\r\n"); // an overlong line is logged cut short
    RunGuarded([this] { Client.ProcessNextLine(); });
    const QStringList dropped = log.Lines.filter("Dropped server line \"xxx");
    ASSERT_EQ(dropped.size(), 1);
    EXPECT_LT(dropped.at(0).size(), 1000);
}

TEST(ErrorHookLog, logs_what_it_drops_that_no_layer_logged)
{
    TLogCapture log;
    RunGuarded([] { throw EFileError("lost"); });
    RunGuarded([] { throw std::runtime_error("gone"); });
    EXPECT_EQ(log.Lines, QStringList({"chattle.common: Dropped an error: lost", "chattle.common: Dropped an error: gone"}));
}
