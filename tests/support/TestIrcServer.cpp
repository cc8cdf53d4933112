#include "TestIrcServer.h"

#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTest>

#include "InspircdServer.h"
#include "NgircdServer.h"

namespace {
constexpr int StartMilliseconds = 15000;
constexpr int StopMilliseconds = 5000;
} // namespace

TTestIrcServer::~TTestIrcServer() { Kill(); }

std::unique_ptr<TTestIrcServer> TTestIrcServer::FromEnvironment()
{
    if (qEnvironmentVariable("CHATTLE_IRC_SERVER") == QLatin1String("inspircd"))
        return std::make_unique<TInspircdServer>();
    return std::make_unique<TNgircdServer>();
}

quint16 TTestIrcServer::FreePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost))
        return 0;
    return probe.serverPort();
}

bool TTestIrcServer::WriteFile(const QString &path, const QString &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0;
}

void TTestIrcServer::EnableTls(const QString &CertFile, const QString &KeyFile)
{
    FCertFile = CertFile;
    FKeyFile = KeyFile;
    if (FTlsPort == 0)
        FTlsPort = FreePort();
}

bool TTestIrcServer::Start()
{
    FError.clear();
    if (!QFileInfo(Executable()).isExecutable()) {
        FError = QStringLiteral("%1 is missing: run scripts/install-deps.sh").arg(Executable());
        return false;
    }
    if (!FDir.isValid()) {
        FError = QStringLiteral("no temporary folder for the configuration");
        return false;
    }
    if (FPort == 0)
        FPort = FreePort();
    if (!Configure(FDir.path(), FPort)) {
        FError = QStringLiteral("cannot write the configuration into %1").arg(FDir.path());
        return false;
    }

    FOutput.clear();
    FProcess.setProcessChannelMode(QProcess::MergedChannels);
    FProcess.start(Executable(), Arguments(FDir.path()));
    if (!FProcess.waitForStarted(StartMilliseconds)) {
        FError = QStringLiteral("%1 did not start: %2").arg(Executable(), FProcess.errorString());
        return false;
    }
    const bool listening =
        QTest::qWaitFor([this] { return Output().contains(ReadyText()) || !Running(); }, StartMilliseconds);
    if (!listening || !Running()) {
        FError = QStringLiteral("%1 is not listening:\n%2").arg(Executable(), Output());
        return false;
    }
    return true;
}

void TTestIrcServer::Stop()
{
    if (!Running())
        return;
    FProcess.terminate();
    if (!FProcess.waitForFinished(StopMilliseconds))
        Kill();
}

void TTestIrcServer::Kill()
{
    if (!Running())
        return;
    FProcess.kill();
    FProcess.waitForFinished(StopMilliseconds);
}

QString TTestIrcServer::Output()
{
    FOutput += QString::fromLocal8Bit(FProcess.readAll());
    return FOutput;
}
