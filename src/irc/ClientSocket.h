#pragma once
// The non-blocking TCP client socket the IRC client talks through: exactly the operations it needs.
// Notifications arrive on the user-interface thread.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

// What went wrong, as reported with an error notification (the disconnect kind has ordinal 4).
enum TErrorEvent { eeGeneral, eeSend, eeReceive, eeConnect, eeDisconnect, eeAccept, eeLookup };

using TSocketNotifyEvent = std::function<void(QObject *Sender)>;
// Setting ErrorCode to 0 marks the error as handled; a code left non-zero is raised by the socket
// as an ESocketError through the application's error hook.
using TSocketErrorEvent = std::function<void(QObject *Sender, TErrorEvent ErrorEvent, int &ErrorCode)>;

class TClientSocket : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // A host name (looked up asynchronously) or a dotted address, and the port.
    virtual void SetHost(const QString &Host, quint16 Port) = 0;
    // Starts look-up and connect and returns at once; a pending attempt is aborted first.
    // Failures that are known at once are thrown as ESocketError.
    virtual void Open() = 0;
    // On a live connection: flushes for at most about a second, then runs OnDisconnect before returning.
    // Closing a closed socket does nothing.
    virtual void Close() = 0;
    virtual void SendText(const QByteArray &Bytes) = 0;
    // Every byte readable right now.
    virtual QByteArray ReceiveText() = 0;
    // The local machine's host name; empty while the socket is not open.
    virtual QString LocalHost() const = 0;
    // The host text given to SetHost.
    virtual QString Host() const = 0;

    TSocketNotifyEvent OnConnect;
    TSocketNotifyEvent OnDisconnect;
    TSocketNotifyEvent OnRead;
    TSocketErrorEvent OnError;
};
