// The journey of two new users: two complete Chattle applications, each in its own process with its
// own home, pass the splash, design a character, log in through the "Chattle Server" preset, meet in
// a room one of them creates with the beach, chat, walk and shake hands; the service hears both
// e-mail addresses. Each application is stepped through its widgets by the journey driver.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "TestIrcServer.h"
#include "printers.h"

namespace {
constexpr int StartMs = 15000;
constexpr int CommandMs = 60000;

// Waits for the first line of Output from Seen on that satisfies Wanted; Seen moves past it.
bool WaitForLine(QProcess &process, QStringList &lines, qsizetype &seen, const std::function<bool(const QString &)> &wanted,
                 int ms)
{
    QByteArray partial;
    return QTest::qWaitFor([&] {
        partial += process.readAllStandardOutput();
        for (qsizetype end; (end = partial.indexOf('\n')) >= 0; partial.remove(0, end + 1))
            lines << QString::fromUtf8(partial.left(end));
        for (; seen < lines.size(); ++seen)
            if (wanted(lines.at(seen)) || lines.at(seen).startsWith("FAIL"))
                return true;
        return process.state() == QProcess::NotRunning;
    }, ms) && seen < lines.size() && wanted(lines.at(seen++));
}

// One Chattle, with its own home, data and settings folders.
class TChattle {
public:
    TChattle(quint16 ircPort, quint16 servicePort)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char *folder : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) {
            const QString path = FHome.filePath(folder);
            QDir().mkpath(path);
            environment.insert(folder, path);
        }
        environment.insert("CHATTLE_JOURNEY_IRC_PORT", QString::number(ircPort));
        environment.insert("CHATTLE_JOURNEY_SERVICE_PORT", QString::number(servicePort));
        FProcess.setProcessEnvironment(environment);
        FProcess.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        FProcess.start(CHATTLE_JOURNEY_DRIVER, QStringList());
    }
    ~TChattle()
    {
        FProcess.kill();
        FProcess.waitForFinished(StartMs);
    }

    // Sends the command and waits for its answer (by default "DONE <command>").
    bool Do(const QString &command, const QString &answer = {})
    {
        if (!command.isEmpty())
            FProcess.write((command + '\n').toUtf8());
        const QString expected = answer.isEmpty() ? "DONE " + command : answer;
        const bool done = WaitForLine(FProcess, FLines, FSeen, [&](const QString &line) { return line == expected; },
                                      CommandMs);
        EXPECT_TRUE(done) << "waiting for " << expected.toStdString() << " after:\n"
                          << FLines.join('\n').toStdString();
        return done;
    }
    QStringList Boxes() const { return FLines.filter(QRegularExpression("^BOX ")); }

private:
    QTemporaryDir FHome;
    QProcess FProcess;
    QStringList FLines;
    qsizetype FSeen = 0;
};

class JourneyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Server->Start()) << Server->Error().toStdString();
        Service.start(CHATTLE_SERVICE_EXE, {"--port", "0", ServiceLog()});
        QStringList said;
        qsizetype seen = 0;
        ASSERT_TRUE(WaitForLine(Service, said, seen, [](const QString &line) { return line.contains("127.0.0.1:"); },
                                StartMs));
        ServicePort = QRegularExpression("127\\.0\\.0\\.1:(\\d+)").match(said.at(seen - 1)).captured(1).toUShort();
    }
    void TearDown() override
    {
        Service.kill();
        Service.waitForFinished(StartMs);
    }

    QString ServiceLog() const { return Dir.filePath("service.log"); }
    bool ServiceHeard(const QStringList &lines)
    {
        return QTest::qWaitFor([&] {
            QFile log(ServiceLog());
            const QString text = log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
            return std::all_of(lines.begin(), lines.end(), [&](const QString &line) { return text.contains(line); });
        }, CommandMs);
    }

    std::unique_ptr<TTestIrcServer> Server = TTestIrcServer::FromEnvironment();
    QTemporaryDir Dir;
    QProcess Service;
    quint16 ServicePort = 0;
};
} // namespace

TEST_F(JourneyTest, two_new_users_meet_on_the_beach_chat_walk_and_shake_hands)
{
    // Nicknames longer than IRC's old nine characters, as the editor allows.
    const QString alice = "AliceOnTheBeach", bob = "BobTheBeachcomber";
    TChattle first(Server->Port(), ServicePort), second(Server->Port(), ServicePort);
    ASSERT_TRUE(first.Do({}, "READY") && second.Do({}, "READY"));
    first.Do("shot journey-1-splash.png frmSplash");

    ASSERT_TRUE(first.Do("create " + alice + " alice@example.com 1 journey-3-editor.png"));
    ASSERT_TRUE(second.Do("create " + bob + " bob@example.com 0"));
    ASSERT_TRUE(first.Do("choose " + alice));
    first.Do("shot journey-2-login.png frmLogin");
    EXPECT_TRUE(ServiceHeard({"CSENDINFO EMAILADDRESS alice@example.com", "CSENDINFO EMAILADDRESS bob@example.com"}));

    ASSERT_TRUE(first.Do("login " + alice));
    ASSERT_TRUE(first.Do("newroom #beach"));
    ASSERT_TRUE(second.Do("login " + bob));
    ASSERT_TRUE(second.Do("listed #beach"));
    second.Do("shot journey-4-channels.png frmChannels");
    ASSERT_TRUE(second.Do("join #beach"));
    ASSERT_TRUE(first.Do("sees #beach " + bob) && second.Do("sees #beach " + alice));

    ASSERT_TRUE(first.Do("say #beach Hello from the beach"));
    EXPECT_TRUE(second.Do("heard #beach <" + alice + "> Hello from the beach"));
    ASSERT_TRUE(second.Do("walk #beach 200 300"));
    EXPECT_TRUE(first.Do("walks #beach " + bob + " 168 246"));
    ASSERT_TRUE(first.Do("handshake #beach " + bob));
    ASSERT_TRUE(second.Do("accept #beach " + alice));
    EXPECT_TRUE(first.Do("shakes #beach"));
    second.Do("shot journey-5-room.png frmChat");
    EXPECT_EQ(first.Boxes(), QStringList());
    EXPECT_EQ(second.Boxes(), QStringList());

    EXPECT_TRUE(second.Do("logout"));
    EXPECT_EQ(second.Boxes().size(), 1); // the question before leaving the server
}
