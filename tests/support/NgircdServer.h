#pragma once
// ngIRCd in the foreground, logging to its standard error, with no DNS, ident or PAM.
#include "TestIrcServer.h"

class TNgircdServer : public TTestIrcServer {
protected:
    QString Executable() const override { return QStringLiteral("/usr/sbin/ngircd"); }
    QStringList Arguments(const QString &folder) const override;
    bool Configure(const QString &folder, quint16 port) override;
    QString ReadyText() const override { return QStringLiteral("Now listening on"); }
};
