#pragma once
// A socket for unit tests: records every write and lets the test play the network's part.
#include <QByteArrayList>

#include "ChattleError.h"
#include "ClientSocket.h"

class TFakeSocket : public TClientSocket {
public:
    QByteArrayList Written;
    QByteArray Pending;
    QString LocalName = QStringLiteral("pc1");
    QString OpenFailure; // when set, Open throws it as a socket error
    quint16 Port = 0;
    int OpenCount = 0;
    bool IsOpen = false;
    bool Live = false;

    void SetHost(const QString &Host, quint16 NewPort) override
    {
        FHost = Host;
        Port = NewPort;
    }
    void Open() override
    {
        ++OpenCount;
        if (!OpenFailure.isEmpty())
            throw ESocketError(OpenFailure, 1);
        IsOpen = true;
    }
    void Close() override
    {
        const bool wasLive = Live;
        Live = false;
        IsOpen = false;
        if (wasLive && OnDisconnect)
            OnDisconnect(this);
    }
    void SendText(const QByteArray &Bytes) override { Written << Bytes; }
    QByteArray ReceiveText() override { return std::exchange(Pending, {}); }
    QString LocalHost() const override { return IsOpen ? LocalName : QString(); }
    QString Host() const override { return FHost; }

    // The network's side.
    void AcceptConnection()
    {
        Live = true;
        OnConnect(this);
    }
    void Receive(const QByteArray &Bytes)
    {
        Pending += Bytes;
        OnRead(this);
    }
    void PeerCloses()
    {
        Live = false;
        IsOpen = false;
        OnDisconnect(this);
    }
    // Reports an error; returns the code as the handler left it.
    int Fail(TErrorEvent Kind, int Code)
    {
        OnError(this, Kind, Code);
        return Code;
    }
    // The written lines without their CR LF (every write must end in one).
    QStringList TakeLines()
    {
        QStringList lines;
        for (const QByteArray &bytes : std::exchange(Written, {}))
            lines << (bytes.endsWith("\r\n") ? QString::fromUtf8(bytes.chopped(2)) : "UNTERMINATED:" + QString::fromUtf8(bytes));
        return lines;
    }

private:
    QString FHost;
};
