#include "ReferenceService.h"

#include <QDateTime>
#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

TReferenceService::TReferenceService(const QString &LogPath, const QString &Version, QObject *Owner)
    : QObject(Owner), FServer(new QTcpServer(this)), FLogPath(LogPath), FVersion(Version)
{
    connect(FServer, &QTcpServer::newConnection, this, &TReferenceService::AcceptClients);
}

bool TReferenceService::Listen(const QString &Address, quint16 Port)
{
    QFile log(FLogPath);
    if (!log.open(QIODevice::Append)) {
        FErrorText = QStringLiteral("Cannot write the log file %1: %2").arg(FLogPath, log.errorString());
        return false;
    }
    const QHostAddress address(Address);
    if (address.isNull()) {
        FErrorText = QStringLiteral("Not an address to listen on: %1").arg(Address);
        return false;
    }
    if (!FServer->listen(address, Port)) {
        FErrorText = QStringLiteral("Cannot listen on %1:%2: %3").arg(Address).arg(Port).arg(FServer->errorString());
        return false;
    }
    return true;
}

quint16 TReferenceService::ServerPort() const { return FServer->serverPort(); }

void TReferenceService::AcceptClients()
{
    while (QTcpSocket *client = FServer->nextPendingConnection()) {
        client->setParent(this);
        if (FClients.size() >= MaxClients) {
            client->abort();
            client->deleteLater();
            continue;
        }
        FClients.insert(client, TLineFramer(MaxLineBytes));
        connect(client, &QTcpSocket::readyRead, this, [this, client] { ReadClient(client); });
        connect(client, &QTcpSocket::disconnected, this, [this, client] {
            FClients.remove(client);
            client->deleteLater();
        });
    }
}

void TReferenceService::ReadClient(QTcpSocket *Client)
{
    const auto framer = FClients.find(Client);
    if (framer == FClients.end())
        return;
    for (const QByteArray &line : framer->Feed(Client->readAll()))
        HandleLine(Client, line);
}

void TReferenceService::HandleLine(QTcpSocket *Client, const QByteArray &Line)
{
    if (Line == "CREQUEST VERSION")
        Client->write("VERSION " + FVersion.toUtf8() + "\r\n");
    else if (Line.startsWith("CSENDINFO") && !AppendToLog(Line))
        qWarning("Cannot write the log file %s", qPrintable(FLogPath));
}

bool TReferenceService::AppendToLog(const QByteArray &Line)
{
    QByteArray entry = Line;
    for (char &c : entry) {
        if (uchar(c) < 0x20)
            c = ' '; // one entry stays one line of the log
    }
    const QByteArray stamp = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs).toUtf8();
    QFile log(FLogPath);
    return log.open(QIODevice::Append) && log.write(stamp + ' ' + entry + '\n') > 0;
}
