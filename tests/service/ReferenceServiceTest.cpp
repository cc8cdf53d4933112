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

QByteArray Reply(QTcpSocket &client)
{
    QByteArray received;
    EXPECT_TRUE(QTest::qWaitFor([&] { received += client.readAll(); return received.endsWith("\r\n"); }, WaitMs));
    return received;
}

TEST(ReferenceServiceTest, answers_the_version_and_logs_information_lines_of_several_clients_whatever_else_arrives)
{
    QTemporaryDir dir;
    const QString logPath = dir.filePath("service.log");
    QProcess service;
    service.start(CHATTLE_SERVICE_EXE, {"--port", "0", logPath});
    QByteArray said;
    ASSERT_TRUE(QTest::qWaitFor([&] { said += service.readAllStandardOutput(); return said.contains('\n'); }, WaitMs));
    const quint16 port = QRegularExpression("127\\.0\\.0\\.1:(\\d+)").match(QString::fromUtf8(said)).captured(1).toUShort();
    QTcpSocket noisy, plain;
    for (QTcpSocket *client : {&noisy, &plain}) {
        client->connectToHost("127.0.0.1", port);
        ASSERT_TRUE(client->waitForConnected(WaitMs));
    }

    QByteArray noise(200000, 'x'); // one overlong line with every byte value in it
    for (int i = 0; i < noise.size(); i += 7)
        noise[i] = char(i % 256);
    noisy.write(noise + "\r\nCREQUEST VERSION\r\n");
    EXPECT_EQ(Reply(noisy), "VERSION B1.4\r\n");
    plain.write("CLOGIN CHATTLE\r\nCREQUEST VERSION\r\nCSENDINFO EMAILADDRESS bob@example.com\r\n");
    EXPECT_EQ(Reply(plain), "VERSION B1.4\r\n");
    noisy.write("CSENDINFO TELLAFRIEND Ann\nsplit` `1`a@b.c`\r\n"); // the LF ends the information line

    QStringList logged;
    const QRegularExpression stamped("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}Z (CSENDINFO .*)$");
    ASSERT_TRUE(QTest::qWaitFor([&] {
        QFile log(logPath);
        logged.clear();
        if (log.open(QIODevice::ReadOnly)) {
            for (const QString &line : QString::fromUtf8(log.readAll()).split('\n', Qt::SkipEmptyParts))
                logged << stamped.match(line).captured(1);
        }
        return logged.size() == 2;
    }, WaitMs));
    logged.sort();
    EXPECT_EQ(logged, QStringList({"CSENDINFO EMAILADDRESS bob@example.com", "CSENDINFO TELLAFRIEND Ann"}));
    service.kill();
    service.waitForFinished(WaitMs);
}
} // namespace
