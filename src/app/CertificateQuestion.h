#pragma once
// What the user sees of a server's certificate: the question about an unknown one and the warning
// about a changed one, both through the dialogs module.
#include <QString>

#include "PeerCertificate.h"

class QWidget;
class TCertificateTrust;

// True when the connection may go on: asks about an unknown certificate (remembering "Trust this
// certificate"), and refuses a changed one with a warning that names both fingerprints.
bool CheckServerCertificate(QWidget *Parent, const TCertificateTrust &Trust, const TPeerCertificate &Certificate);

QString CertificateQuestionText(const TPeerCertificate &Certificate);
QString CertificateChangedText(const TPeerCertificate &Certificate, const QString &TrustedFingerprint,
                               const QString &TrustFile);
