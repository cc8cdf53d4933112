#pragma once
// A real IRC server for the integration tests: its own configuration in a temporary folder, listening
// on a free loopback port, stopped when the object goes. CHATTLE_IRC_SERVER chooses which one.
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>

class TTestIrcServer {
public:
    static constexpr const char *Name = "irc.chattle.test";

    TTestIrcServer() = default;
    virtual ~TTestIrcServer();
    TTestIrcServer(const TTestIrcServer &) = delete;
    TTestIrcServer &operator=(const TTestIrcServer &) = delete;

    // The server CHATTLE_IRC_SERVER names: "ngircd" (also when unset) or "inspircd".
    static std::unique_ptr<TTestIrcServer> FromEnvironment();
    // A loopback port nobody listens on right now.
    static quint16 FreePort();

    // Starts the server and waits until it listens; false (with Error() telling why) on failure.
    // Started again after Stop() or Kill(), it listens on the same port.
    bool Start();
    // Ends the server politely (it says goodbye to its clients), or at once with no word to anybody.
    void Stop();
    void Kill();
    bool Running() const { return FProcess.state() != QProcess::NotRunning; }
    quint16 Port() const { return FPort; }
    // Listens with TLS as well from the next Start on, on a port of its own, with the given PEM
    // certificate and key; set again before a restart to change the certificate.
    void EnableTls(const QString &CertFile, const QString &KeyFile);
    quint16 TlsPort() const { return FTlsPort; }
    QString Error() const { return FError; }
    // What the server printed so far.
    QString Output();

protected:
    virtual QString Executable() const = 0;
    virtual QStringList Arguments(const QString &folder) const = 0;
    // Writes the configuration files for the port into the folder; false if one cannot be written.
    virtual bool Configure(const QString &folder, quint16 port) = 0;
    // What the server prints once it listens.
    virtual QString ReadyText() const = 0;

    static bool WriteFile(const QString &path, const QString &text);
    // Set by EnableTls; a TlsPort of 0 means plain only.
    QString CertFile() const { return FCertFile; }
    QString KeyFile() const { return FKeyFile; }

private:
    QTemporaryDir FDir;
    QProcess FProcess;
    QString FOutput;
    QString FError;
    quint16 FPort = 0;
    quint16 FTlsPort = 0;
    QString FCertFile;
    QString FKeyFile;
};
