// The service client against a real TCP server on loopback; the test ticks the client's timer itself.
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "Dialogs.h"
#include "MxAppServ.h"
#include "printers.h"

namespace {
constexpr int WaitMs = 5000;

class MxAppServTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Server.listen(QHostAddress::LocalHost));
        Client.Timer()->stop();
        Client.AppID = "CHATTLE";
        Client.Host = "127.0.0.1";
        Client.Port = Server.serverPort();
        Client.OnLineReceived = [this](QObject *, const QString &line) { Delivered << line; };
    }
    bool WaitFor(const std::function<bool()> &condition) { return QTest::qWaitFor(condition, WaitMs); }

    // The server's side of the client's next connection, after it said who it is and asked for the version.
    QTcpSocket *Accept()
    {
        if (!WaitFor([&] { return Server.hasPendingConnections() && Client.Connected(); }))
            return nullptr;
        QTcpSocket *peer = Server.nextPendingConnection();
        EXPECT_EQ(ReadLines(peer, 2), QStringList({"CLOGIN CHATTLE", "CREQUEST VERSION"}));
        return peer;
    }
    QStringList ReadLines(QTcpSocket *peer, int count)
    {
        QByteArray received;
        EXPECT_TRUE(WaitFor([&] { received += peer->readAll(); return received.count("\r\n") >= count; }));
        return QString::fromUtf8(received.chopped(2)).split("\r\n");
    }
    // Writes bytes and waits until the client has taken them in (a line queued or the buffer grown).
    void Send(QTcpSocket *peer, const QByteArray &bytes)
    {
        const auto before = std::make_pair(Client.LineQueue().size(), Client.ReceiveBuffer());
        peer->write(bytes);
        ASSERT_TRUE(WaitFor([&] { return std::make_pair(Client.LineQueue().size(), Client.ReceiveBuffer()) != before; }));
    }

    QTcpServer Server;
    TMxAppServ Client;
    QStringList Delivered;
};

TEST_F(MxAppServTest, LogsInAndAsksForTheVersionOnEveryConnectAndLosesLinesSentWhileDown)
{
    Client.SendLine("CSENDINFO EMAILADDRESS lost@example.com");
    Client.OpenConnection();
    QTcpSocket *peer = Accept();
    ASSERT_NE(peer, nullptr);
    Client.SendLine("CSENDINFO EMAILADDRESS bob@example.com\r\nCSMUGGLED");
    EXPECT_EQ(ReadLines(peer, 1), QStringList{"CSENDINFO EMAILADDRESS bob@example.com"});

    peer->disconnectFromHost();
    ASSERT_TRUE(WaitFor([&] { return Client.ReconnectPending(); }));
    Client.SendLine("CSENDINFO EMAILADDRESS lost@example.com");
    Client.TimerTick();
    EXPECT_NE(Accept(), nullptr); // asks again, and the line sent meanwhile is gone
}

TEST_F(MxAppServTest, FramesLinesAndDeliversOnePerTick)
{
    const struct {
        const char *What;
        QList<QByteArray> Reads;
        QStringList Lines;
    } cases[] = {
        {"two lines in one read", {"VERSION B1.4\r\nHELLO\r\n"}, {"VERSION B1.4", "HELLO"}},
        {"a line split over two reads", {"VERS", "ION B1.4\r\n"}, {"VERSION B1.4"}},
        {"a lone LF ends a line", {"VERSION B1.4\n"}, {"VERSION B1.4"}},
        {"CR LF split over two reads", {"A\r", "\nB\r\n"}, {"A", "B"}},
        {"not UTF-8 is read as Latin-1", {"VERSION \xe9t\xe9\r\n"}, {"VERSION \u00e9t\u00e9"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.What);
        Client.OpenConnection();
        QTcpSocket *peer = Accept();
        ASSERT_NE(peer, nullptr);
        for (const QByteArray &read : c.Reads)
            Send(peer, read);
        Delivered.clear();
        for (qsizetype tick = 1; tick <= c.Lines.size() + 1; ++tick) {
            Client.TimerTick();
            EXPECT_EQ(Delivered.size(), qMin(tick, c.Lines.size()));
        }
        EXPECT_EQ(Delivered, c.Lines);
        delete peer;
    }
}

TEST_F(MxAppServTest, ATickDuringAModalBoxOnlyClearsTheBusyMarkAndTheNextDelivers)
{
    Client.OpenConnection();
    QTcpSocket *peer = Accept();
    ASSERT_NE(peer, nullptr);
    Send(peer, "VERSION B1.5\r\nHELLO\r\n");
    QStringList events;
    Client.OnLineReceived = [&](QObject *, const QString &line) {
        events << "got " + line;
        if (line.startsWith("VERSION"))
            ShowMessage(nullptr, "A new version is available!");
    };
    SetDialogResponder([&](TDialogKind, const QString &) { // two ticks arrive while the box is up
        Client.TimerTick();
        events << QString("busy %1").arg(Client.Busy());
        Client.TimerTick();
        events << "box closes";
        return TDialogButton::Ok;
    });
    Client.TimerTick();
    SetDialogResponder(nullptr);
    EXPECT_EQ(events, QStringList({"got VERSION B1.5", "busy 0", "got HELLO", "box closes"}));
    EXPECT_FALSE(Client.Busy());
}

TEST_F(MxAppServTest, ALineLongerThanTheCapIsCutAndItsRestDropped)
{
    Client.OpenConnection();
    QTcpSocket *peer = Accept();
    ASSERT_NE(peer, nullptr);
    peer->write(QByteArray(6 * TMxAppServ::MaxLineBytes, 'x'));
    ASSERT_TRUE(WaitFor([&] { return Client.ReceiveBuffer().size() == TMxAppServ::MaxLineBytes; }));
    Send(peer, "yyy\r\nNEXT\r\n");
    Client.TimerTick();
    Client.TimerTick();
    EXPECT_EQ(Delivered, QStringList({QString(TMxAppServ::MaxLineBytes, 'x'), "NEXT"}));
}

TEST_F(MxAppServTest, TriesAgainOnEveryTickWhileTheServiceIsDown)
{
    const quint16 port = Server.serverPort();
    Server.close();
    Client.OpenConnection();
    ASSERT_TRUE(WaitFor([&] { return Client.ReconnectPending(); }));
    for (int tick = 0; tick < 3; ++tick) {
        Client.TimerTick(); // the next attempt, refused again
        EXPECT_FALSE(Client.ReconnectPending());
        ASSERT_TRUE(WaitFor([&] { return Client.ReconnectPending(); }));
    }
    ASSERT_TRUE(Server.listen(QHostAddress::LocalHost, port));
    Client.TimerTick();
    EXPECT_NE(Accept(), nullptr);
}
} // namespace
