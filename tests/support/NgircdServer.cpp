#include "NgircdServer.h"

#include <QDir>

QStringList TNgircdServer::Arguments(const QString &folder) const
{
    return {"-n", "-f", QDir(folder).filePath("ngircd.conf")};
}

bool TNgircdServer::Configure(const QString &folder, quint16 port)
{
    QString tls; // a fresh DH group is generated at each start: a second or so
    if (TlsPort() != 0)
        tls = QStringLiteral("[SSL]\n\tCertFile = %1\n\tKeyFile = %2\n\tPorts = %3\n")
                  .arg(CertFile(), KeyFile())
                  .arg(TlsPort());
    return WriteFile(QDir(folder).filePath("ngircd.conf"), QStringLiteral(R"([Global]
	Name = %1
	Info = Chattle integration test server
	AdminInfo1 = Chattle tests
	AdminInfo2 = Loopback
	AdminEMail = tests@chattle.test
	Listen = 127.0.0.1
	Ports = %2
	MotdPhrase = "Welcome to the Chattle test server"
[Limits]
	MaxConnectionsIP = 0
	MaxJoins = 0
	MaxNickLength = 20
	PingTimeout = 600
	PongTimeout = 600
[Options]
	DNS = no
	Ident = no
	PAM = no
)")
                                                                  .arg(Name)
                                                                  .arg(port) + tls);
}
