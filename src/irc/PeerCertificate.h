#pragma once
// What a user needs to judge a server's TLS certificate, taken from the handshake.
#include <QDateTime>
#include <QString>
#include <QStringList>

class QSslCertificate;

struct TPeerCertificate {
    QString Host;
    quint16 Port = 0;
    QString Fingerprint; // SHA-256 of the DER form, upper-case hex pairs joined by ":"
    QString Subject;     // the common name, else the organisation, else the whole subject line
    QDateTime Expiry;
    // Why the system's trust store and the host name check did not vouch for it; empty when they did.
    QStringList Problems;
};

TPeerCertificate DescribeCertificate(const QSslCertificate &Certificate, const QString &Host, quint16 Port);
