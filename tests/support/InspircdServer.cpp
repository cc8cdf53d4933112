#include "InspircdServer.h"

#include <QDir>
#include <unistd.h>

QStringList TInspircdServer::Arguments(const QString &folder) const
{
    QStringList arguments{"--config", QDir(folder).filePath("inspircd.conf"), "--nofork", "--nopid", "--nolog"};
    if (geteuid() == 0) // CI runs as root, which the server refuses unless told
        arguments << "--runasroot";
    return arguments;
}

QString TInspircdServer::TlsConfiguration() const
{
    if (TlsPort() == 0)
        return {};
    return QStringLiteral(R"(<module name="ssl_gnutls">
<sslprofile name="tests" provider="gnutls" certfile="%1" keyfile="%2" dhfile="">
<bind address="127.0.0.1" port="%3" type="clients" sslprofile="tests">
)")
        .arg(CertFile(), KeyFile())
        .arg(TlsPort());
}

bool TInspircdServer::Configure(const QString &folder, quint16 port)
{
    const QDir dir(folder);
    // Many clients come from one loopback address: the per-address limits are raised, nothing else.
    return WriteFile(dir.filePath("motd.txt"), QStringLiteral("Welcome to the Chattle test server\n")) &&
           WriteFile(dir.filePath("inspircd.conf"), QStringLiteral(R"(<server name="%1" description="Chattle integration test server" network="ChattleTest">
<admin name="Chattle tests" nick="tests" email="tests@chattle.test">
<bind address="127.0.0.1" port="%2" type="clients">
<connect name="loopback" allow="127.0.0.1" localmax="1000" globalmax="1000" resolvehostnames="no" pingfreq="600">
<files motd="%3">
<channels users="100" opers="100">
)")
                                                        .arg(Name)
                                                        .arg(port)
                                                        .arg(dir.filePath("motd.txt")) + TlsConfiguration());
}
