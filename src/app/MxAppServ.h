#pragma once
// The client of the maker's service: keeps a line connection to it open (retrying once a second for
// as long as it exists), says who we are and asks for the current version on every connect, carries
// the one-way "CSENDINFO" lines, and hands received lines to its owner one per timer tick.
#include <functional>

#include <QObject>
#include <QStringList>

#include "LineFramer.h"

class QTimer;
class TClientSocket;

using TLineReceivedEvent = std::function<void(QObject *Sender, const QString &Line)>;

class TMxAppServ : public QObject {
    Q_OBJECT
public:
    static inline const QString ServiceHost = QStringLiteral("localhost");
    static constexpr quint16 ServicePort = 8009;
    static constexpr int TickMilliseconds = 1000;
    // A longer received line keeps its first MaxLineBytes bytes.
    static constexpr qsizetype MaxLineBytes = 4096;
    // Lines beyond this many waiting for delivery are dropped.
    static constexpr qsizetype MaxQueuedLines = 1000;

    // Starts the timer; does not connect. Socket may be null (a TCP socket is made).
    explicit TMxAppServ(QObject *Owner = nullptr, TClientSocket *Socket = nullptr);
    ~TMxAppServ() override;

    // Closes a standing connection, forgets the unfinished line and connects to Host:Port again.
    void OpenConnection();
    // Sends Text (up to its first line break) and CR LF while connected; drops it otherwise.
    void SendLine(const QString &Text);
    // One tick of the timer: starts a pending reconnect, or delivers at most one received line.
    void TimerTick();

    QString AppID = QStringLiteral("none");
    QString Host = ServiceHost;
    quint16 Port = ServicePort;
    // Raised from the timer, one line per tick.
    TLineReceivedEvent OnLineReceived;

    bool Connected() const { return FConnected; }
    bool ReconnectPending() const { return FReconnectPending; }
    // Set while OnLineReceived runs; the next tick only clears it.
    bool Busy() const { return FBusy; }
    const QStringList &LineQueue() const { return FLineQueue; }
    const QByteArray &ReceiveBuffer() const { return FFramer.Partial(); }
    QTimer *Timer() const { return FTimer; }

private:
    void SocketConnect();
    void SocketLost();
    void SocketRead();
    void DeliverNextLine();

    TClientSocket *FSocket;
    QTimer *FTimer;
    TLineFramer FFramer{MaxLineBytes};
    QStringList FLineQueue;
    bool FConnected = false;
    bool FReconnectPending = false;
    bool FBusy = false;
};
