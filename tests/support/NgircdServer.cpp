#include "NgircdServer.h"

#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTest>

namespace {
constexpr int StartMilliseconds = 15000;
constexpr int StopMilliseconds = 5000;

QString Configuration(quint16 port)
{
    return QStringLiteral(R"([Global]
	Name = %1
	Info = Chattle integration test server
	AdminInfo1 = Chattle tests
	AdminInfo2 = Loopback
	AdminEMail = tests@chattle.test
	Listen = 127.0.0.1
	Ports = %2
	MotdPhrase = "Welcome to the Chattle test server"
[Limits]
	MaxConnectionsIP = 0
	MaxJoins = 0
	MaxNickLength = 20
	PingTimeout = 600
	PongTimeout = 600
[Options]
	DNS = no
	Ident = no
	PAM = no
)")
        .arg(TNgircdServer::Name)
        .arg(port);
}
} // namespace

TNgircdServer::~TNgircdServer() { Stop(); }

quint16 TNgircdServer::FreePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost))
        return 0;
    return probe.serverPort();
}

bool TNgircdServer::Start()
{
    if (!QFileInfo(Executable).isExecutable()) {
        FError = QStringLiteral("%1 is missing: install the ngircd package").arg(Executable);
        return false;
    }
    if (!FDir.isValid()) {
        FError = QStringLiteral("no temporary folder for the configuration");
        return false;
    }
    FPort = FreePort();
    const QString configPath = FDir.filePath("ngircd.conf");
    QFile config(configPath);
    if (!config.open(QIODevice::WriteOnly) || config.write(Configuration(FPort).toUtf8()) < 0) {
        FError = QStringLiteral("cannot write %1").arg(configPath);
        return false;
    }
    config.close();

    FProcess.setProcessChannelMode(QProcess::MergedChannels);
    FProcess.start(Executable, {"-n", "-f", configPath});
    if (!FProcess.waitForStarted(StartMilliseconds)) {
        FError = QStringLiteral("ngircd did not start: %1").arg(FProcess.errorString());
        return false;
    }
    const bool listening = QTest::qWaitFor(
        [this] { return Output().contains("Now listening on") || FProcess.state() == QProcess::NotRunning; },
        StartMilliseconds);
    if (!listening || FProcess.state() == QProcess::NotRunning) {
        FError = QStringLiteral("ngircd is not listening:\n%1").arg(Output());
        return false;
    }
    return true;
}

void TNgircdServer::Stop()
{
    if (FProcess.state() == QProcess::NotRunning)
        return;
    FProcess.terminate();
    if (!FProcess.waitForFinished(StopMilliseconds)) {
        FProcess.kill();
        FProcess.waitForFinished(StopMilliseconds);
    }
}

QString TNgircdServer::Output()
{
    FOutput += QString::fromLocal8Bit(FProcess.readAll());
    return FOutput;
}
