#pragma once
// InspIRCd in the foreground with no host name lookups. Its flood control stays at its defaults
// (commands past a small burst are delayed, a full receive queue ends the connection).
#include "TestIrcServer.h"

class TInspircdServer : public TTestIrcServer {
protected:
    QString Executable() const override { return QStringLiteral("/usr/sbin/inspircd"); }
    QStringList Arguments(const QString &folder) const override;
    bool Configure(const QString &folder, quint16 port) override;
    QString ReadyText() const override { return QStringLiteral("InspIRCd is now running"); }

private:
    QString TlsConfiguration() const;
};
