#pragma once
// A real TCP socket that also keeps every byte written through it, so a test can check a client's
// traffic byte for byte while the client talks to a real server.
#include <QByteArray>
#include <QStringList>

#include "ClientSocket.h"

class TTcpClientSocket;

class TRecordingSocket : public TClientSocket {
    Q_OBJECT
public:
    explicit TRecordingSocket(QObject *owner = nullptr);

    void SetHost(const QString &host, quint16 port) override;
    void Open() override;
    void Close() override;
    void SendText(const QByteArray &bytes) override;
    QByteArray ReceiveText() override;
    QString LocalHost() const override;
    QString Host() const override;

    // Everything written so far, as lines without their CR LF.
    QStringList Lines() const;
    QByteArray Written;

private:
    TTcpClientSocket *FInner;
};
