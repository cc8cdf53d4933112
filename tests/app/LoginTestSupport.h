#pragma once
// A main window stand-in for the login window, whose connection manager talks to a socket that only
// records where it was asked to connect.
#include <QStringList>

#include "AppShell.h"
#include "ClientSocket.h"
#include "MxIRCConnection.h"

// Never connects: each Open records "nick password host:port" as the IRC client was set up, followed
// by " TLS" for a secure connection and " password-without-TLS" when that is allowed.
class TLoginRecordingSocket : public TClientSocket {
public:
    void SetHost(const QString &Host, quint16 Port) override;
    void Open() override;
    void Close() override {}
    void SendText(const QByteArray &) override {}
    QByteArray ReceiveText() override { return {}; }
    QString LocalHost() const override { return {}; }
    QString Host() const override { return FHost; }

    QStringList Attempts;

private:
    QString FHost;
    quint16 FPort = 0;
};

class TLoginShell : public TAppShell {
public:
    TMxIRCConnection *Connection() override { return &FConnection; }
    void ReportEmailAddress(const QString &) override {}
    void ReportTellAFriend(const QString &) override {}
    void StopChannelListing() override {}

    TLoginRecordingSocket *Socket = new TLoginRecordingSocket; // owned by the IRC client

private:
    TMxIRCConnection FConnection{nullptr, Socket};
};
