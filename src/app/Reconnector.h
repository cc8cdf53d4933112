#pragma once
// Connects again by itself after the connection was lost: counts down in the main window's status
// bar (with a Cancel button) and in the console, asks the connection manager to reconnect and to
// reopen what was open, and waits longer after each failed attempt (TReconnectSchedule).
#include <QObject>
#include <QString>
#include <functional>

#include "MxIRCConnection.h"
#include "ReconnectSchedule.h"

class QLabel;
class QMainWindow;
class QPushButton;
class QTimer;

class TReconnector : public QObject {
    Q_OBJECT
public:
    // Puts its label and button into Window's status bar, shown only while a reconnect is pending.
    TReconnector(QMainWindow *Window, TMxIRCConnection *Connection);

    std::function<void(QString Text)> OnConsoleLine;
    // The user cancelled: the main window shows the login window.
    std::function<void()> OnCancelled;

    // The connection was lost with these windows open: the countdown starts.
    void ConnectionLost(const TOpenWindows &Windows);
    // An error code from the connection manager: true when it was the failure of an attempt, which
    // schedules the next one (a ban, a refused password or certificate is not retried: it stops
    // reconnecting and is left to the caller).
    bool AttemptError(int Code);
    // The one-second timer's tick: counts down and starts the attempt when it is due.
    void Tick();
    // The status bar's Cancel: stops reconnecting and leaves the user at the login window.
    void btnCancelReconnectClick();
    // Stops without a word (the user connected, disconnected or quit).
    void Stop();

    TReconnectSchedule &Schedule() { return FSchedule; }
    QTimer *Timer() const { return FTimer; }
    QLabel *lblReconnect;
    QPushButton *btnCancelReconnect;

private:
    void Succeeded();
    void ShowState();
    void ConsoleLine(const QString &Text);

    QMainWindow *FWindow;
    TMxIRCConnection *FConnection;
    TReconnectSchedule FSchedule;
    TOpenWindows FWindows;
    QTimer *FTimer;
};
