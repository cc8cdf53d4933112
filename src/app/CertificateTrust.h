#pragma once
// The servers' certificates the user chose to trust, one per host and port, kept in a file of the
// user's own ("host port fingerprint" lines, readable by the owner only). Decides, without asking
// anybody, what a secure connection does with the certificate its server presents.
#include <QString>

#include "PeerCertificate.h"

class TCertificateTrust {
public:
    enum class TVerdict {
        Accept,  // the system vouches for it, or it is the one trusted for this host and port
        Ask,     // unknown and not vouched for: the user decides
        Changed, // another certificate than the one trusted for this host and port: refused
    };

    explicit TCertificateTrust(const QString &FilePath) : FFilePath(FilePath) {}

    const QString &FilePath() const { return FFilePath; }
    TVerdict Judge(const TPeerCertificate &Certificate) const;
    // The fingerprint trusted for the host (letter case ignored) and port; empty when none.
    QString Remembered(const QString &Host, quint16 Port) const;
    // Trusts the certificate for its host and port from now on; false when the file cannot be written.
    bool Remember(const TPeerCertificate &Certificate) const;

private:
    QString FFilePath;
};
