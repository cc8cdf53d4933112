#pragma once
// What every chat window shares beyond the protocol: the conversation options, the log writer and the
// way the user is told of news. The main window owns one and hands it to each window it hosts; a window
// without one shows no timestamps, keeps no log and raises no notification.
#include <QString>
#include <functional>

class QMdiSubWindow;
class TChatLogWriter;
class TSoundPlayer;

// Shows a desktop notification; the real one talks to the desktop's notification service, tests record.
class TNotifier {
public:
    virtual ~TNotifier() = default;
    // Title and Text are plain text.
    virtual void Notify(const QString &Title, const QString &Text) = 0;
};

struct TChatComforts {
    bool Timestamps = false;       // "[HH:MM] " before every conversation line
    bool KeepLogs = false;         // write the conversations to LogsDir
    QString LogsDir;
    QString Network;               // the server the user connected to: the logs' first folder
    TChatLogWriter *LogWriter = nullptr;
    TNotifier *Notifier = nullptr;
    TSoundPlayer *Player = nullptr;
    QString MessageFromSound;      // the sound setting played with a notification
    // Whether window is the one the user works in; by default the active one of its area.
    std::function<bool(const QMdiSubWindow *Window)> IsActiveWindow;
    // Whether Chattle is the active application; by default asks the application.
    std::function<bool()> ApplicationActive;
};
