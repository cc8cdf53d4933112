#include "Reconnector.h"

#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include "ErrorHook.h"
#include "IRCClient.h"

namespace {
QString CountdownText(int Seconds) { return QStringLiteral("Reconnecting in %1 s...").arg(Seconds); }
} // namespace

TReconnector::TReconnector(QMainWindow *Window, TMxIRCConnection *Connection)
    : QObject(Window), FWindow(Window), FConnection(Connection), FTimer(new QTimer(this))
{
    QStatusBar *bar = Window->statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    lblReconnect = new QLabel(bar);
    lblReconnect->setObjectName(QStringLiteral("lblReconnect"));
    lblReconnect->setContentsMargins(6, 0, 6, 0);
    btnCancelReconnect = new QPushButton(QStringLiteral("Cancel"), bar);
    btnCancelReconnect->setObjectName(QStringLiteral("btnCancelReconnect"));
    bar->addWidget(lblReconnect);
    bar->addWidget(btnCancelReconnect);
    bar->hide();
    connect(btnCancelReconnect, &QPushButton::clicked, this, [this] { RunGuarded([this] { btnCancelReconnectClick(); }); });

    FTimer->setInterval(1000);
    connect(FTimer, &QTimer::timeout, this, [this] { RunGuarded([this] { Tick(); }); });

    FConnection->OnUserChoice = [this](QObject *) { Stop(); };
    FConnection->OnReconnected = [this](QObject *, QString) { Succeeded(); };
}

void TReconnector::ConnectionLost(const TOpenWindows &Windows)
{
    if (FSchedule.Active())
        return;
    FWindows = Windows;
    FSchedule.ConnectionLost();
    ConsoleLine(CountdownText(FSchedule.SecondsLeft()));
    ShowState();
}

bool TReconnector::AttemptError(int Code)
{
    if (FSchedule.State() != TReconnectSchedule::TState::Attempting)
        return false;
    // A ban, a refused password or a refused certificate would only be refused again.
    if (Code == ConnectionFailure::Banned || Code == ConnectionFailure::LoginRefused ||
        Code == ConnectionFailure::CertificateRefused) {
        Stop();
        return false;
    }
    // A refused nick leaves the socket open: the attempt is ended here either way.
    FConnection->AbandonReconnect();
    FSchedule.AttemptFailed();
    ConsoleLine(QStringLiteral("The server could not be reached.  ") + CountdownText(FSchedule.SecondsLeft()));
    ShowState();
    return true;
}

void TReconnector::Tick()
{
    if (!FSchedule.Tick()) {
        ShowState();
        return;
    }
    ConsoleLine(QStringLiteral("Reconnecting..."));
    ShowState();
    FConnection->Reconnect(FWindows);
}

void TReconnector::btnCancelReconnectClick()
{
    if (!FSchedule.Active())
        return;
    const bool attempting = FSchedule.State() == TReconnectSchedule::TState::Attempting;
    Stop();
    if (attempting)
        FConnection->AbandonReconnect();
    ConsoleLine(QStringLiteral("Reconnecting cancelled."));
    if (OnCancelled)
        OnCancelled();
}

void TReconnector::Stop()
{
    FSchedule.Cancel();
    ShowState();
}

void TReconnector::Succeeded()
{
    if (!FSchedule.Active())
        return;
    FSchedule.Succeeded();
    ConsoleLine(QStringLiteral("Reconnected to ") + FConnection->IRCClient()->ServerAddress + QLatin1Char('.'));
    ShowState();
}

void TReconnector::ShowState()
{
    switch (FSchedule.State()) {
    case TReconnectSchedule::TState::Idle:
        FTimer->stop();
        FWindow->statusBar()->hide();
        return;
    case TReconnectSchedule::TState::Waiting:
        lblReconnect->setText(CountdownText(FSchedule.SecondsLeft()));
        if (!FTimer->isActive())
            FTimer->start();
        break;
    case TReconnectSchedule::TState::Attempting:
        lblReconnect->setText(QStringLiteral("Reconnecting..."));
        FTimer->stop();
        break;
    }
    FWindow->statusBar()->show();
}

void TReconnector::ConsoleLine(const QString &Text)
{
    if (OnConsoleLine)
        OnConsoleLine(Text);
}
