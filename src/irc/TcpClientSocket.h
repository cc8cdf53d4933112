#pragma once
// TClientSocket on QTcpSocket.
#include <QAbstractSocket>

#include "ClientSocket.h"

class QTcpSocket;

class TTcpClientSocket : public TClientSocket {
    Q_OBJECT
public:
    explicit TTcpClientSocket(QObject *Owner = nullptr);
    ~TTcpClientSocket() override;

    void SetHost(const QString &Host, quint16 Port) override;
    void Open() override;
    void Close() override;
    void SendText(const QByteArray &Bytes) override;
    QByteArray ReceiveText() override;
    QString LocalHost() const override;
    QString Host() const override;

    // The kind a Qt socket error is reported with, or -1 when it is no error at all (the remote side
    // closing, which the disconnect notification reports).
    static int ErrorKindOf(QAbstractSocket::SocketError Error, bool WasLive);
    // Never 0, so that an unhandled error stays visible.
    static int ErrorCodeOf(QAbstractSocket::SocketError Error) { return int(Error) + 1; }

private:
    void SocketConnected();
    void SocketDisconnected();
    void SocketReadyRead();
    void SocketErrorOccurred(QAbstractSocket::SocketError Error);

    QTcpSocket *FSocket;
    QString FHost;
    quint16 FPort = 0;
    bool FLive = false; // connected and not yet reported as disconnected
    bool FFlushing = false; // Close is waiting for queued bytes to leave
};
