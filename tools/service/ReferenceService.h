#pragma once
// Answers "CREQUEST VERSION" with "VERSION " + the current version and appends every "CSENDINFO" line,
// with a time stamp, to a log file. Serves several clients at once; every other line is ignored.
#include <QHash>
#include <QObject>
#include <QString>

#include "LineFramer.h"

class QTcpServer;
class QTcpSocket;

class TReferenceService : public QObject {
    Q_OBJECT
public:
    static constexpr qsizetype MaxLineBytes = 4096;
    // Further connections are closed at once.
    static constexpr qsizetype MaxClients = 64;

    TReferenceService(const QString &LogPath, const QString &Version, QObject *Owner = nullptr);

    // False with the reason in ErrorText when the address cannot be bound or the log not opened.
    bool Listen(const QString &Address, quint16 Port);
    quint16 ServerPort() const;
    QString ErrorText() const { return FErrorText; }

private:
    void AcceptClients();
    void ReadClient(QTcpSocket *Client);
    void HandleLine(QTcpSocket *Client, const QByteArray &Line);
    bool AppendToLog(const QByteArray &Line);

    QTcpServer *FServer;
    QString FLogPath;
    QString FVersion;
    QString FErrorText;
    QHash<QTcpSocket *, TLineFramer> FClients;
};
