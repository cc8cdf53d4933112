#pragma once
// A client on a fake socket for the benchmarks, registered as "me", with the handlers a host would set.
#include <QTimer>

#include "FakeSocket.h"
#include "IRCClient.h"

struct BenchClient {
    static constexpr qsizetype ReadSize = 4096; // what one socket read typically hands over

    TFakeSocket *Socket = new TFakeSocket;
    TIRCClient Client{nullptr, Socket};
    qsizetype Seen = 0;

    BenchClient()
    {
        Client.LineTimer()->stop();
        Client.SetOwnNick("me");
        Client.Connect();
        Socket->AcceptConnection();
        Client.OnChannelMsg = [this](QObject *, QString, QString, QString msg) { Seen += msg.size(); };
        Client.OnPrivateMsg = [this](QObject *, QString, QString msg) { Seen += msg.size(); };
        Client.OnServerMsg = [this](QObject *, int, QString msg) { Seen += msg.size(); };
        Client.OnNewChannelMsg = [this](QObject *, QString name, int, QString) { Seen += name.size(); };
        Client.OnUserInChannelMsg = [this](QObject *, QString, QString nick) { Seen += nick.size(); };
        Client.OnJoin = [this](QObject *, QString nick, QString) { Seen += nick.size(); };
        Client.OnPart = [this](QObject *, QString nick, QString) { Seen += nick.size(); };
        Client.OnNickChange = [this](QObject *, QString, QString nick) { Seen += nick.size(); };
        Socket->Written.clear();
    }
    // Hands the bytes over in socket-sized reads and dispatches every line.
    void Feed(const QByteArray &bytes)
    {
        Receive(bytes);
        Drain();
    }
    void Receive(const QByteArray &bytes)
    {
        for (qsizetype at = 0; at < bytes.size(); at += ReadSize)
            Socket->Receive(bytes.mid(at, ReadSize));
    }
    void Drain()
    {
        while (!Client.LineQueue().isEmpty())
            Client.ProcessNextLine();
        Socket->Written.clear();
    }
};
