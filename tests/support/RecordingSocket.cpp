#include "RecordingSocket.h"

#include "TcpClientSocket.h"

TRecordingSocket::TRecordingSocket(QObject *owner) : TClientSocket(owner), FInner(new TTcpClientSocket(this))
{
    FInner->OnConnect = [this](QObject *) {
        if (OnConnect)
            OnConnect(this);
    };
    FInner->OnDisconnect = [this](QObject *) {
        if (OnDisconnect)
            OnDisconnect(this);
    };
    FInner->OnRead = [this](QObject *) {
        if (OnRead)
            OnRead(this);
    };
    FInner->OnError = [this](QObject *, TErrorEvent kind, int &code) {
        if (OnError)
            OnError(this, kind, code);
    };
}

void TRecordingSocket::SetHost(const QString &host, quint16 port) { FInner->SetHost(host, port); }
void TRecordingSocket::Open() { FInner->Open(); }
void TRecordingSocket::Close() { FInner->Close(); }

void TRecordingSocket::SendText(const QByteArray &bytes)
{
    Written += bytes;
    FInner->SendText(bytes);
}

QByteArray TRecordingSocket::ReceiveText() { return FInner->ReceiveText(); }
QString TRecordingSocket::LocalHost() const { return FInner->LocalHost(); }
QString TRecordingSocket::Host() const { return FInner->Host(); }

QStringList TRecordingSocket::Lines() const
{
    QStringList lines;
    for (const QByteArray &line : Written.split('\n'))
        if (!line.isEmpty())
            lines << QString::fromUtf8(line.endsWith('\r') ? line.chopped(1) : line);
    return lines;
}
