#pragma once
// The non-blocking TCP client socket the IRC client talks through: exactly the operations it needs.
// Notifications arrive on the user-interface thread.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>

#include "PeerCertificate.h"

// What went wrong, as reported with an error notification (the disconnect kind has ordinal 4).
// eeCertificate: the server's certificate was not accepted (the check said no); nothing more to tell.
enum TErrorEvent { eeGeneral, eeSend, eeReceive, eeConnect, eeDisconnect, eeAccept, eeLookup, eeCertificate };

using TSocketNotifyEvent = std::function<void(QObject *Sender)>;
// Setting ErrorCode to 0 marks the error as handled; a code left non-zero is raised by the socket
// as an ESocketError through the application's error hook.
using TSocketErrorEvent = std::function<void(QObject *Sender, TErrorEvent ErrorEvent, int &ErrorCode)>;
// Asked once per secure connection about the server's certificate: true goes on, false ends the
// connection with an eeCertificate error.
using TCertificateCheckEvent = std::function<bool(QObject *Sender, const TPeerCertificate &Certificate)>;

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

    // Whether the next Open talks TLS. A transport without TLS ignores it (test fakes).
    bool Secure = false;

    TSocketNotifyEvent OnConnect;
    TSocketNotifyEvent OnDisconnect;
    TSocketNotifyEvent OnRead;
    TSocketErrorEvent OnError;
    // Unset, a certificate the system does not vouch for is refused.
    TCertificateCheckEvent OnCertificateCheck;
};
