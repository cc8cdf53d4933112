// The service client against a service that is away, refuses, goes away, never answers or never
// ends its line: it retries without a word, its memory stays bounded and the event loop keeps turning.
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "MxAppServ.h"
#include "ScriptedDialogs.h"
#include "TestIrcServer.h"
#include "printers.h"

namespace {
constexpr int WaitMs = 10000;

class ServiceFaultsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Client.Host = QStringLiteral("127.0.0.1");
        Client.OnLineReceived = [this](QObject *, const QString &line) { Received << line; };
    }
    // The next connection the stand-in service accepts, once the client has said who it is.
    QTcpSocket *Accepted()
    {
        if (!QTest::qWaitFor([this] { return Service.hasPendingConnections(); }, WaitMs))
            return nullptr;
        QTcpSocket *socket = Service.nextPendingConnection();
        const bool greeted = QTest::qWaitFor([socket] { return socket->canReadLine(); }, WaitMs);
        return greeted && socket->readLine().startsWith("CLOGIN") ? socket : nullptr;
    }
    // The stand-in listens, the client connects to it.
    QTcpSocket *Connected()
    {
        if (!Service.listen(QHostAddress::LocalHost))
            return nullptr;
        Client.Port = Service.serverPort();
        Client.OpenConnection();
        return Accepted();
    }
    // Waits Ms while a fast timer runs, and gives the longest gap between its ticks.
    static qint64 LongestStall(int ms)
    {
        QElapsedTimer clock, sinceTick;
        QTimer ticker;
        qint64 longest = 0;
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            longest = std::max(longest, sinceTick.restart());
        });
        ticker.start(20);
        clock.start();
        sinceTick.start();
        return QTest::qWaitFor([&] { return clock.elapsed() >= ms; }, ms + 1000) ? longest : ms;
    }

    TScriptedDialogs Boxes;
    TMxAppServ Client;
    QTcpServer Service;
    QStringList Received;
};
} // namespace

TEST_F(ServiceFaultsTest, a_refusing_service_is_tried_again_silently_until_it_listens)
{
    Client.Port = TTestIrcServer::FreePort();
    Client.OpenConnection();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Client.ReconnectPending(); }, WaitMs)) << "the refusal";
    ASSERT_TRUE(Service.listen(QHostAddress::LocalHost, Client.Port));
    EXPECT_NE(Accepted(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Client.Connected(); }, WaitMs));
    EXPECT_TRUE(Boxes.Shown().isEmpty());
}

TEST_F(ServiceFaultsTest, a_service_that_goes_away_is_reconnected_silently)
{
    QTcpSocket *first = Connected();
    ASSERT_NE(first, nullptr);
    first->abort();
    EXPECT_NE(Accepted(), nullptr) << "a second connection";
    EXPECT_TRUE(Boxes.Shown().isEmpty());
}

TEST_F(ServiceFaultsTest, a_service_that_never_answers_blocks_nothing)
{
    ASSERT_NE(Connected(), nullptr);
    EXPECT_LT(LongestStall(2500), 500) << "the event loop kept turning";
    EXPECT_TRUE(Client.Connected());
    EXPECT_TRUE(Received.isEmpty());
    EXPECT_TRUE(Boxes.Shown().isEmpty());
}

TEST_F(ServiceFaultsTest, an_endless_line_keeps_its_first_bytes_and_the_next_line_still_arrives)
{
    QTcpSocket *service = Connected();
    ASSERT_NE(service, nullptr);

    const QByteArray chunk(64 * 1024, 'x');
    qsizetype largestBuffer = 0;
    for (int i = 0; i < 64; ++i) { // 4 MiB without a line break
        service->write(chunk);
        ASSERT_TRUE(QTest::qWaitFor([&] { return service->bytesToWrite() == 0; }, WaitMs));
        largestBuffer = std::max(largestBuffer, Client.ReceiveBuffer().size());
    }
    service->write("\r\nSVERSION 9.9\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Received.size() == 2; }, WaitMs)) << Received.size();
    EXPECT_LE(largestBuffer, TMxAppServ::MaxLineBytes);
    EXPECT_EQ(Received.at(0), QString(TMxAppServ::MaxLineBytes, 'x'));
    EXPECT_EQ(Received.at(1), "SVERSION 9.9");
    EXPECT_TRUE(Client.Connected());
}
