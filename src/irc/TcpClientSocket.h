#pragma once
// TClientSocket on QSslSocket: plain TCP, or TLS when Secure is set. A secure connection is
// reported as connected once the handshake is done and the certificate is accepted: vouched for by
// the system's trust store and the host name, and in every case passed by OnCertificateCheck.
#include <QAbstractSocket>
#include <QList>
#include <QSslError>

#include "ClientSocket.h"

class QSslSocket;

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
    void SocketEncrypted();
    void SocketSslErrors(const QList<QSslError> &Errors);
    // OnCertificateCheck's answer about the peer's certificate; false when unset or failing.
    bool CertificateAccepted(const QStringList &Problems);
    void RefuseCertificate();
    void ReportRefusal();

    QSslSocket *FSocket;
    QString FHost;
    quint16 FPort = 0;
    bool FLive = false; // connected and not yet reported as disconnected
    bool FFlushing = false; // Close is waiting for queued bytes to leave
    bool FChecked = false;  // the certificate of this connection has been put to OnCertificateCheck
    bool FRefused = false;  // and it said no
};
