#pragma once
// A client on a fake socket with every event recorded; the line timer is stopped so that tests
// tick the pump by hand.
#include <QTimer>
#include <gtest/gtest.h>

#include "EventRecorder.h"
#include "FakeSocket.h"
#include "IRCChannel.h"
#include "IRCClient.h"
#include "printers.h"

class ClientFixture : public ::testing::Test {
protected:
    TFakeSocket *Socket = new TFakeSocket;
    TIRCClient Client{nullptr, Socket};
    TEventRecorder Events{Client};

    ClientFixture() { Client.LineTimer()->stop(); }

    // Registered as Nick on server srv1, with what registration wrote and raised forgotten.
    void ConnectAs(const QString &Nick)
    {
        Client.SetOwnNick(Nick);
        Client.ServerAddress = QStringLiteral("srv1");
        Client.Connect();
        Socket->AcceptConnection();
        Socket->TakeLines();
        Events.Take();
    }
    // Delivers one line and dispatches everything queued.
    void Feed(const QString &Line)
    {
        Socket->Receive(Line.toUtf8() + "\r\n");
        PumpAll();
    }
    void PumpAll()
    {
        while (!Client.LineQueue().isEmpty())
            Client.ProcessNextLine();
    }
    // Joined as the own nick, with the WHO request and the join's events forgotten.
    TIRCChannel *Join(const QString &Channel)
    {
        Feed(":" + Client.OwnNick() + "!u@h JOIN :" + Channel);
        Socket->TakeLines();
        Events.Take();
        return Client.FindChannel(Channel);
    }
};
