#pragma once
// A real ngIRCd for the integration tests: its own configuration in a temporary folder, listening
// on a free loopback port, no DNS, ident or PAM, stopped when the object goes.
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

class TNgircdServer {
public:
    static constexpr const char *Executable = "/usr/sbin/ngircd";
    static constexpr const char *Name = "irc.chattle.test";

    TNgircdServer() = default;
    ~TNgircdServer();
    TNgircdServer(const TNgircdServer &) = delete;
    TNgircdServer &operator=(const TNgircdServer &) = delete;

    // Starts the server and waits until it listens; false (with Error() telling why) on failure.
    bool Start();
    void Stop();
    quint16 Port() const { return FPort; }
    QString Error() const { return FError; }
    // What the server printed so far (it runs in the foreground, logging to its standard error).
    QString Output();

    // A loopback port nobody listens on right now.
    static quint16 FreePort();

private:
    QTemporaryDir FDir;
    QProcess FProcess;
    QString FOutput;
    QString FError;
    quint16 FPort = 0;
};
