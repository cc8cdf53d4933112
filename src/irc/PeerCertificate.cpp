#include "PeerCertificate.h"

#include <QCryptographicHash>
#include <QSslCertificate>

TPeerCertificate DescribeCertificate(const QSslCertificate &Certificate, const QString &Host, quint16 Port)
{
    TPeerCertificate peer;
    peer.Host = Host;
    peer.Port = Port;
    peer.Fingerprint = QString::fromLatin1(Certificate.digest(QCryptographicHash::Sha256).toHex(':').toUpper());
    for (const auto field : {QSslCertificate::CommonName, QSslCertificate::Organization}) {
        const QStringList values = Certificate.subjectInfo(field);
        if (!values.isEmpty()) {
            peer.Subject = values.join(QStringLiteral(", "));
            break;
        }
    }
    if (peer.Subject.isEmpty())
        peer.Subject = Certificate.subjectDisplayName();
    peer.Expiry = Certificate.expiryDate();
    return peer;
}
