#pragma once
// Subscribes to every event of a client and writes each one down as "Name(arg, arg)", with
// "[socket]" after the name when the socket component was the sender.
#include <QStringList>

#include "IRCChannel.h"
#include "IRCClient.h"

class TEventRecorder {
public:
    explicit TEventRecorder(TIRCClient &Client);

    QStringList Log;
    bool DCCAccept = true; // what the DCC request handler found in Accept
    TIRCChannel *LastJoined = nullptr;

    QStringList Take() { return std::exchange(Log, {}); }
    // Also records the roster events of every channel joined from now on.
    void WatchRosters();

private:
    QString Tag(QObject *Sender) const;
    void Add(const QString &Name, QObject *Sender, const QStringList &Args);
    TIRCClient &FClient;
};
