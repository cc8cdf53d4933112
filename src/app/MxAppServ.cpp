#include "MxAppServ.h"

#include <QPointer>
#include <QTimer>

#include "ErrorHook.h"
#include "IRCText.h"
#include "TcpClientSocket.h"

TMxAppServ::TMxAppServ(QObject *Owner, TClientSocket *Socket)
    : QObject(Owner), FSocket(Socket ? Socket : new TTcpClientSocket), FTimer(new QTimer(this))
{
    FSocket->setParent(this);
    FSocket->OnConnect = [this](QObject *) { SocketConnect(); };
    FSocket->OnDisconnect = [this](QObject *) { SocketLost(); };
    FSocket->OnRead = [this](QObject *) { SocketRead(); };
    FSocket->OnError = [this](QObject *, TErrorEvent, int &ErrorCode) {
        ErrorCode = 0; // nothing reaches the user: the next tick simply tries again
        SocketLost();
    };
    FTimer->setInterval(TickMilliseconds);
    connect(FTimer, &QTimer::timeout, this, [this] { RunGuarded([this] { TimerTick(); }); });
    FTimer->start();
}

TMxAppServ::~TMxAppServ()
{
    FSocket->OnConnect = nullptr;
    FSocket->OnDisconnect = nullptr;
    FSocket->OnRead = nullptr;
    FSocket->OnError = nullptr;
    FTimer->stop();
}

void TMxAppServ::OpenConnection()
{
    FConnected = false;
    FSocket->Close();
    FSocket->SetHost(Host, Port);
    FFramer.Clear();
    // This is the new attempt: a disconnect reported by the close above must not start another one.
    FReconnectPending = false;
    try {
        FSocket->Open();
    } catch (const std::exception &) {
        FSocket->Close();
        FReconnectPending = true;
    }
}

void TMxAppServ::SendLine(const QString &Text)
{
    if (FConnected)
        FSocket->SendText(CutAtLineBreak(Text).toUtf8() + "\r\n");
}

void TMxAppServ::TimerTick()
{
    if (FReconnectPending) {
        FReconnectPending = false;
        OpenConnection();
        return;
    }
    if (FBusy) {
        // A tick that arrives while a handler keeps a modal box open only clears the mark, so the
        // tick after it may deliver the next line.
        FBusy = false;
        return;
    }
    DeliverNextLine();
}

void TMxAppServ::DeliverNextLine()
{
    if (FLineQueue.isEmpty())
        return;
    struct ClearBusyAtEnd {
        QPointer<TMxAppServ> Self;
        ~ClearBusyAtEnd()
        {
            if (Self)
                Self->FBusy = false;
        }
    } clearBusyAtEnd{this};
    FBusy = true;
    const QString line = FLineQueue.takeFirst();
    if (OnLineReceived)
        OnLineReceived(this, line);
}

void TMxAppServ::SocketConnect()
{
    FConnected = true;
    SendLine("CLOGIN " + AppID);
    SendLine(QStringLiteral("CREQUEST VERSION"));
}

void TMxAppServ::SocketLost()
{
    FConnected = false;
    FSocket->Close();
    FReconnectPending = true;
}

void TMxAppServ::SocketRead()
{
    for (const QByteArray &line : FFramer.Feed(FSocket->ReceiveText())) {
        if (FLineQueue.size() < MaxQueuedLines)
            FLineQueue << DecodeIRCLine(line);
    }
}
