#include "TcpClientSocket.h"

#include <QDeadlineTimer>
#include <QHostInfo>
#include <QSslSocket>

#include "ChattleError.h"
#include "ErrorHook.h"

namespace {
// How long a close waits for queued bytes (a parting QUIT) to leave.
constexpr int FlushMilliseconds = 1000;
} // namespace

TTcpClientSocket::TTcpClientSocket(QObject *Owner) : TClientSocket(Owner), FSocket(new QSslSocket(this))
{
    connect(FSocket, &QSslSocket::connected, this, [this] {
        if (!Secure)
            SocketConnected();
    });
    connect(FSocket, &QSslSocket::encrypted, this, &TTcpClientSocket::SocketEncrypted);
    connect(FSocket, &QSslSocket::sslErrors, this, &TTcpClientSocket::SocketSslErrors);
    connect(FSocket, &QSslSocket::disconnected, this, &TTcpClientSocket::SocketDisconnected);
    connect(FSocket, &QSslSocket::readyRead, this, &TTcpClientSocket::SocketReadyRead);
    connect(FSocket, &QSslSocket::errorOccurred, this, &TTcpClientSocket::SocketErrorOccurred);
}

TTcpClientSocket::~TTcpClientSocket()
{
    OnConnect = nullptr;
    OnDisconnect = nullptr;
    OnRead = nullptr;
    OnError = nullptr;
    OnCertificateCheck = nullptr;
    FSocket->disconnect(this);
    FSocket->abort();
}

void TTcpClientSocket::SetHost(const QString &Host, quint16 Port)
{
    FHost = Host;
    FPort = Port;
}

void TTcpClientSocket::Open()
{
    if (FLive)
        Close();
    else if (FSocket->state() != QAbstractSocket::UnconnectedState)
        FSocket->abort(); // a look-up or connect still pending
    if (FHost.trimmed().isEmpty())
        throw ESocketError("No server address given", ErrorCodeOf(QAbstractSocket::HostNotFoundError));
    if (FPort == 0)
        throw ESocketError("No valid server port given", ErrorCodeOf(QAbstractSocket::UnsupportedSocketOperationError));
    FChecked = false;
    FRefused = false;
    if (Secure)
        FSocket->connectToHostEncrypted(FHost, FPort);
    else
        FSocket->connectToHost(FHost, FPort);
}

void TTcpClientSocket::Close()
{
    if (!FLive) {
        if (FSocket->state() != QAbstractSocket::UnconnectedState)
            FSocket->abort();
        return;
    }
    const QDeadlineTimer deadline(FlushMilliseconds);
    FFlushing = true;
    while (FSocket->bytesToWrite() > 0 && !deadline.hasExpired()
           && FSocket->waitForBytesWritten(int(deadline.remainingTime()))) {
    }
    FFlushing = false;
    if (!FLive)
        return; // the peer closed while we flushed, and that has been reported
    FLive = false;
    struct AbortAtEnd {
        QSslSocket *Socket;
        ~AbortAtEnd() { Socket->abort(); }
    } abortAtEnd{FSocket};
    if (OnDisconnect)
        OnDisconnect(this);
}

void TTcpClientSocket::SendText(const QByteArray &Bytes)
{
    if (FSocket->state() == QAbstractSocket::ConnectedState)
        FSocket->write(Bytes);
}

QByteArray TTcpClientSocket::ReceiveText() { return FSocket->readAll(); }

QString TTcpClientSocket::LocalHost() const
{
    return FSocket->state() == QAbstractSocket::UnconnectedState ? QString() : QHostInfo::localHostName();
}

QString TTcpClientSocket::Host() const { return FHost; }

int TTcpClientSocket::ErrorKindOf(QAbstractSocket::SocketError Error, bool WasLive)
{
    switch (Error) {
    case QAbstractSocket::RemoteHostClosedError:
        return -1;
    case QAbstractSocket::ConnectionRefusedError:
    case QAbstractSocket::HostNotFoundError:
    case QAbstractSocket::NetworkError:
    case QAbstractSocket::SocketTimeoutError:
    case QAbstractSocket::SslHandshakeFailedError:
        return WasLive ? eeReceive : eeConnect;
    default:
        return eeGeneral;
    }
}

void TTcpClientSocket::SocketConnected()
{
    FLive = true;
    RunGuarded([this] {
        if (OnConnect)
            OnConnect(this);
    });
}

void TTcpClientSocket::SocketEncrypted()
{
    // A certificate the system vouched for is still put to the check once: it may differ from the
    // one the user trusted for this server before.
    if (!FChecked && !CertificateAccepted({})) {
        RefuseCertificate();
        return;
    }
    SocketConnected();
}

void TTcpClientSocket::SocketSslErrors(const QList<QSslError> &Errors)
{
    QStringList problems;
    for (const QSslError &error : Errors)
        problems << error.errorString();
    if (CertificateAccepted(problems))
        FSocket->ignoreSslErrors(Errors);
    else
        FRefused = true; // the handshake now fails, and the error reports it as a refusal
}

bool TTcpClientSocket::CertificateAccepted(const QStringList &Problems)
{
    FChecked = true;
    TPeerCertificate peer = DescribeCertificate(FSocket->peerCertificate(), FHost, FPort);
    peer.Problems = Problems;
    bool accepted = false;
    RunGuarded([&] { accepted = OnCertificateCheck && OnCertificateCheck(this, peer); });
    return accepted;
}

void TTcpClientSocket::RefuseCertificate()
{
    FSocket->abort();
    ReportRefusal();
}

void TTcpClientSocket::ReportRefusal()
{
    // Quiet: whoever said no has told the user why already.
    RunGuarded([this] {
        int code = ErrorCodeOf(QAbstractSocket::SslHandshakeFailedError);
        if (OnError)
            OnError(this, eeCertificate, code);
    });
}

void TTcpClientSocket::SocketDisconnected()
{
    if (!FLive)
        return; // our own Close has already reported it
    FLive = false;
    RunGuarded([this] {
        if (OnDisconnect)
            OnDisconnect(this);
    });
}

void TTcpClientSocket::SocketReadyRead()
{
    RunGuarded([this] {
        if (OnRead)
            OnRead(this);
    });
}

void TTcpClientSocket::SocketErrorOccurred(QAbstractSocket::SocketError Error)
{
    if (FRefused) {
        // Said no to the certificate: reported once, as a refusal (the abort may echo an error).
        if (Error == QAbstractSocket::SslHandshakeFailedError) {
            FRefused = false;
            ReportRefusal();
        }
        return;
    }
    const int kind = ErrorKindOf(Error, FLive);
    // A flush that times out or fails inside our own Close is no error: the close reports the end.
    if (kind < 0 || FFlushing)
        return;
    const QString text = FSocket->errorString();
    RunGuarded([&] {
        int code = ErrorCodeOf(Error);
        if (OnError)
            OnError(this, TErrorEvent(kind), code);
        if (code != 0)
            throw ESocketError(text, code);
    });
}
