// The QTcpSocket transport against a loopback QTcpServer.
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>

#include "ChattleError.h"
#include "ErrorHook.h"
#include "TcpClientSocket.h"
#include "printers.h"

namespace {
constexpr int WaitMs = 5000;

struct SocketLog {
    QStringList Events;
    void Watch(TTcpClientSocket &socket, bool handleErrors = true)
    {
        socket.OnConnect = [this](QObject *) { Events << "connect"; };
        socket.OnDisconnect = [this, &socket](QObject *) {
            Events << "disconnect";
            socket.Close(); // as the IRC client does: closing again must be harmless
        };
        socket.OnRead = [this](QObject *) { Events << "read"; };
        socket.OnError = [this, handleErrors](QObject *, TErrorEvent kind, int &code) {
            Events << QString("error %1").arg(int(kind));
            if (handleErrors)
                code = 0;
        };
    }
};

quint16 ClosedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort(); // free again once probe is gone
}

// A transport aimed at a listening loopback server, with its notifications logged.
class LoopbackTest : public ::testing::Test {
protected:
    QTcpServer Server;
    TTcpClientSocket Socket;
    SocketLog Log;

    void SetUp() override
    {
        ASSERT_TRUE(Server.listen(QHostAddress::LocalHost));
        Log.Watch(Socket);
        Socket.SetHost("127.0.0.1", Server.serverPort());
    }
    // Opens and waits until both ends are up; returns the server's end.
    QTcpSocket *OpenAndAccept()
    {
        Socket.Open();
        if (!QTest::qWaitFor([&] { return Log.Events.contains("connect") && Server.hasPendingConnections(); }, WaitMs))
            return nullptr;
        return Server.nextPendingConnection();
    }
};
} // namespace

TEST_F(LoopbackTest, connects_reads_and_flushes_before_reporting_its_own_close)
{
    EXPECT_EQ(Socket.Host(), "127.0.0.1");
    EXPECT_TRUE(Socket.LocalHost().isEmpty());
    QTcpSocket *peer = OpenAndAccept();
    ASSERT_NE(peer, nullptr);
    EXPECT_FALSE(Socket.LocalHost().isEmpty());

    peer->write("hello\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Log.Events.contains("read"); }, WaitMs));
    EXPECT_EQ(Socket.ReceiveText(), "hello\r\n");

    Socket.SendText("QUIT :Bye Bye\r\n");
    Socket.Close();
    EXPECT_EQ(Log.Events.last(), "disconnect"); // before Close returned
    Socket.Close();
    EXPECT_EQ(Log.Events.count("disconnect"), 1);
    QByteArray received;
    EXPECT_TRUE(QTest::qWaitFor([&] { received += peer->readAll(); return received.endsWith("\r\n"); }, WaitMs));
    EXPECT_EQ(received, "QUIT :Bye Bye\r\n");
    QTest::qWait(0);
    EXPECT_EQ(Log.Events.count("disconnect"), 1);
}

TEST_F(LoopbackTest, a_close_that_cannot_flush_reports_one_disconnect_and_no_error)
{
    QTcpSocket *peer = OpenAndAccept(); // never reads, so the queued bytes cannot all leave
    ASSERT_NE(peer, nullptr);
    // As the IRC client does: an error closes the socket again.
    Socket.OnError = [this](QObject *, TErrorEvent kind, int &code) {
        Log.Events << QString("error %1").arg(int(kind));
        code = 0;
        Socket.Close();
    };
    Socket.SendText(QByteArray(64 * 1024 * 1024, 'x'));
    Socket.Close();
    EXPECT_EQ(Log.Events, QStringList({"connect", "disconnect"}));

    // The peer going away while the close still flushes is reported once, not twice.
    Log.Events.clear();
    peer = OpenAndAccept();
    ASSERT_NE(peer, nullptr);
    Socket.SendText(QByteArray(64 * 1024 * 1024, 'x'));
    peer->abort();
    Socket.Close();
    EXPECT_EQ(Log.Events, QStringList({"connect", "disconnect"}));
}

TEST_F(LoopbackTest, the_peer_closing_is_a_disconnect_and_no_error)
{
    QTcpSocket *peer = OpenAndAccept();
    ASSERT_NE(peer, nullptr);
    peer->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Log.Events.contains("disconnect"); }, WaitMs));
    EXPECT_EQ(Log.Events, QStringList({"connect", "disconnect"}));
}

TEST(TcpClientSocketTest, a_refused_connect_is_the_connect_kind_and_unhandled_codes_reach_the_hook)
{
    QStringList hooked;
    SetApplicationErrorHandler([&](const std::exception &e) {
        if (dynamic_cast<const ESocketError *>(&e))
            hooked << "socket error";
    });
    TTcpClientSocket socket;
    SocketLog log;
    log.Watch(socket, false);
    socket.SetHost("127.0.0.1", ClosedPort());
    socket.Open();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !log.Events.isEmpty(); }, WaitMs));
    SetApplicationErrorHandler(nullptr);
    EXPECT_EQ(log.Events, QStringList({QString("error %1").arg(int(eeConnect))}));
    EXPECT_EQ(hooked, QStringList({"socket error"}));

    EXPECT_EQ(TTcpClientSocket::ErrorKindOf(QAbstractSocket::HostNotFoundError, false), eeConnect);
    EXPECT_EQ(TTcpClientSocket::ErrorKindOf(QAbstractSocket::SocketTimeoutError, false), eeConnect);
    EXPECT_EQ(TTcpClientSocket::ErrorKindOf(QAbstractSocket::NetworkError, true), eeReceive);
    EXPECT_EQ(TTcpClientSocket::ErrorKindOf(QAbstractSocket::RemoteHostClosedError, true), -1);
    EXPECT_NE(TTcpClientSocket::ErrorCodeOf(QAbstractSocket::ConnectionRefusedError), 0);
}

TEST(TcpClientSocketTest, a_second_open_aborts_the_pending_one_and_a_missing_host_or_port_throws)
{
    QTcpServer first, second;
    ASSERT_TRUE(first.listen(QHostAddress::LocalHost));
    ASSERT_TRUE(second.listen(QHostAddress::LocalHost));
    TTcpClientSocket socket;
    SocketLog log;
    log.Watch(socket);
    socket.SetHost("localhost", first.serverPort()); // a name: look-up, then connect, still pending
    socket.Open();
    socket.SetHost("127.0.0.1", second.serverPort());
    socket.Open();
    ASSERT_TRUE(QTest::qWaitFor([&] { return log.Events.contains("connect"); }, WaitMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return second.hasPendingConnections(); }, WaitMs));
    QTcpSocket *live = second.nextPendingConnection();
    // A cached look-up may let the first attempt reach its server; it is closed again at once.
    if (first.hasPendingConnections()) {
        QTcpSocket *aborted = first.nextPendingConnection();
        EXPECT_TRUE(QTest::qWaitFor([&] { return aborted->state() == QAbstractSocket::UnconnectedState; }, WaitMs));
    }
    EXPECT_EQ(live->state(), QAbstractSocket::ConnectedState);
    EXPECT_EQ(log.Events, QStringList({"connect"}));

    socket.SetHost(" ", 6667);
    EXPECT_THROW(socket.Open(), ESocketError);
    socket.SetHost("127.0.0.1", 0);
    EXPECT_THROW(socket.Open(), ESocketError);
}
