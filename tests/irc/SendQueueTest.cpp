// The send queue on a registered client: pacing, priorities, merging and the lines that never wait.
#include "ClientFixture.h"

namespace {
// A registered client on a clock of the test's own; the welcome gave the full burst back.
class TQueueRig : public ClientFixture {
public:
    qint64 Now = 10 * TSendQueue::RefillMs; // "at 0"

    TQueueRig()
    {
        Client.SendQueue()->SetClock([this] { return Now; });
        ConnectAs("me");
        Feed(":srv 001 me :Welcome");
        Socket->TakeLines();
    }

    // Runs one step of a script and returns what it wrote ("@ms" first for a tick at that time):
    //   say T X    a PRIVMSG to T       move T X   a low PRIVMSG to T, merged by T
    //   raw L      SendRaw              recv L     a server line
    //   at MS      the queue's tick at MS after the start
    //   drop       the server closes the connection
    // A written PRIVMSG shows without its command.
    QStringList Step(const QString &step)
    {
        const QString verb = step.section(' ', 0, 0), target = step.section(' ', 1, 1), rest = step.section(' ', 2);
        const QString args = step.section(' ', 1);
        QStringList trace;
        if (verb == "say")
            Client.SendPrivMsg(target, rest);
        else if (verb == "move")
            Client.SendPrivMsg(target, rest, TSendPriority::Low, target);
        else if (verb == "raw")
            Client.SendRaw(args);
        else if (verb == "recv")
            Feed(args);
        else if (verb == "drop")
            Socket->PeerCloses();
        else if (verb == "at") {
            Now = 10 * TSendQueue::RefillMs + args.toLongLong();
            Client.SendQueue()->Tick();
            trace << "@" + args;
        } else
            ADD_FAILURE() << "unknown step " << step.toStdString();
        for (const QString &line : Socket->TakeLines())
            trace << (line.startsWith("PRIVMSG ") ? line.mid(8) : line);
        return trace;
    }

private:
    void TestBody() override {}
};

QStringList Repeat(const QString &step, int count)
{
    QStringList steps;
    for (int i = 1; i <= count; ++i)
        steps << step.arg(i);
    return steps;
}
} // namespace

TEST(SendQueueTest, lines_are_paced_ordered_and_merged)
{
    const struct {
        const char *Case;
        QStringList Script;
        QStringList Written;
    } rows[] = {
        {"five at once, then one every two seconds",
         Repeat("say #a %1", 8) + QStringList{"at 1999", "at 2000", "at 3999", "at 4000", "at 6000"},
         {"#a :1", "#a :2", "#a :3", "#a :4", "#a :5", "@1999", "@2000", "#a :6", "@3999", "@4000", "#a :7",
          "@6000", "#a :8"}},
        {"an idle spell refills the burst, never beyond five",
         Repeat("say #a %1", 5) + QStringList{"at 60000"} + Repeat("say #a x%1", 6),
         {"#a :1", "#a :2", "#a :3", "#a :4", "#a :5", "@60000", "#a :x1", "#a :x2", "#a :x3", "#a :x4", "#a :x5"}},
        {"moves leave the last credit to conversation, which overtakes waiting moves",
         Repeat("move #a.av m%1", 6) + QStringList{"say #a hi", "say #a there", "at 2000", "at 4000", "at 6000"},
         {"#a.av :m1", "#a.av :m2", "#a.av :m3", "#a.av :m4", "#a :hi", "@2000", "#a :there", "@4000", "@6000",
          "#a.av :m6"}},
        {"many moves to one target leave one, in the first one's place",
         Repeat("say #a %1", 5) + QStringList{"move #a.av m1", "say #a 6", "move bob p1"} +
             Repeat("move #a.av n%1", 30) + QStringList{"at 2000", "at 4000", "at 6000", "at 8000"},
         {"#a :1", "#a :2", "#a :3", "#a :4", "#a :5", "@2000", "#a :6", "@4000", "@6000", "#a.av :n30", "@8000",
          "bob :p1"}},
        {"PONG and QUIT never wait",
         Repeat("say #a %1", 6) + QStringList{"recv PING :srv", "raw QUIT :Bye"},
         {"#a :1", "#a :2", "#a :3", "#a :4", "#a :5", "PONG :srv", "QUIT :Bye"}},
        {"a dropped connection empties the queue", Repeat("say #a %1", 7) + QStringList{"drop", "at 4000"},
         {"#a :1", "#a :2", "#a :3", "#a :4", "#a :5", "@4000"}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.Case);
        TQueueRig fresh;
        QStringList written;
        for (const QString &step : row.Script)
            written << fresh.Step(step);
        EXPECT_EQ(written, row.Written);
    }
}
