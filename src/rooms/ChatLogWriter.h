#pragma once
// Plain-text conversation logs, one file per window and day:
// <logs folder>/<network>/<#room or nick>/<yyyy-mm-dd>.log, UTF-8, one line per message with its time.
// Lines are written on a thread of the writer's own, so a slow disk never holds up a window.
#include <QDateTime>
#include <QObject>
#include <QString>

class QThread;

// The log file of a window on a day; network and window names are made safe as folder names
// (lower case, no separators, no leading dot).
QString ChatLogPath(const QString &logsDir, const QString &network, const QString &window, const QDate &day);
// One log line: "[HH:mm:ss] " and the text.
QString ChatLogLine(const QDateTime &when, const QString &text);

class TChatLogWriter : public QObject {
    Q_OBJECT
public:
    explicit TChatLogWriter(QObject *parent = nullptr);
    // Writes what is queued, then ends the thread.
    ~TChatLogWriter() override;

    // Queues the line for the window's file of that day; returns at once.
    void Append(const QString &logsDir, const QString &network, const QString &window, const QDateTime &when,
                const QString &text);
    // Waits until every queued line is in its file (for tests and for closing).
    void Flush();

private:
    QThread *FThread;
    QObject *FWorker;
};
