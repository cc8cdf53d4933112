// chattle-service as a person runs it: a real process on a loopback port it picks itself.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "printers.h"

namespace {
constexpr int WaitMs = 5000;

class ReferenceServiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        Service.start(CHATTLE_SERVICE_EXE, {"--port", "0", LogPath()});
        QByteArray said;
        ASSERT_TRUE(QTest::qWaitFor([&] { said += Service.readAllStandardOutput(); return said.contains('\n'); }, WaitMs));
        const auto match = QRegularExpression("listening on 127\\.0\\.0\\.1:(\\d+)").match(QString::fromUtf8(said));
        ASSERT_TRUE(match.hasMatch()) << said.toStdString();
        Port = quint16(match.captured(1).toUInt());
    }
    void TearDown() override
    {
        Service.kill();
        Service.waitForFinished(WaitMs);
    }
    QString LogPath() const { return Dir.filePath("service.log"); }
    QStringList LogLines() const
    {
        QFile log(LogPath());
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts)
                                             : QStringList();
    }
    bool Connect(QTcpSocket &client)
    {
        client.connectToHost("127.0.0.1", Port);
        return client.waitForConnected(WaitMs);
    }
    static QByteArray Reply(QTcpSocket &client)
    {
        QByteArray received;
        EXPECT_TRUE(QTest::qWaitFor([&] { received += client.readAll(); return received.endsWith("\r\n"); }, WaitMs));
        return received;
    }

    QTemporaryDir Dir;
    QProcess Service;
    quint16 Port = 0;
};

TEST_F(ReferenceServiceTest, AnswersTheVersionRequestAndLogsInformationLinesOfSeveralClients)
{
    QTcpSocket first, second;
    ASSERT_TRUE(Connect(first));
    ASSERT_TRUE(Connect(second));
    first.write("CLOGIN CHATTLE\r\nCREQUEST VERSION\r\n");
    EXPECT_EQ(Reply(first), "VERSION B1.4\r\n");
    second.write("CSENDINFO EMAILADDRESS bob@example.com\r\n");
    first.write("CSENDINFO TELLAFRIEND Ann\nsplit` `1`a@b.c`\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return LogLines().size() == 2; }, WaitMs));
    const QRegularExpression stamped("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}Z (CSENDINFO .*)$");
    QStringList logged;
    for (const QString &line : LogLines())
        logged << stamped.match(line).captured(1);
    logged.sort();
    EXPECT_EQ(logged, QStringList({"CSENDINFO EMAILADDRESS bob@example.com", "CSENDINFO TELLAFRIEND Ann split` `1`a@b.c`"}));
}

TEST_F(ReferenceServiceTest, BadInputNeverStopsIt)
{
    QTcpSocket noisy;
    ASSERT_TRUE(Connect(noisy));
    QByteArray noise(200000, 'x');
    for (int i = 0; i < noise.size(); i += 7)
        noise[i] = char(i % 256);
    noisy.write(noise);
    noisy.write("\r\nCREQUEST VERSION\r\n");
    EXPECT_EQ(Reply(noisy), "VERSION B1.4\r\n");
    noisy.abort();

    QTcpSocket later;
    ASSERT_TRUE(Connect(later));
    later.write("CREQUEST VERSION\n");
    EXPECT_EQ(Reply(later), "VERSION B1.4\r\n");
    EXPECT_EQ(Service.state(), QProcess::Running);
}
} // namespace
