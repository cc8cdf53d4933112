#include "CertificateQuestion.h"

#include <QCursor>
#include <QDir>
#include <QGuiApplication>

#include "CertificateTrust.h"
#include "Dialogs.h"

namespace {
const QString TrustCaption = QStringLiteral("Trust this certificate");
const QString CancelCaption = QStringLiteral("Cancel");

QString ServerOf(const TPeerCertificate &Certificate)
{
    return QStringLiteral("%1 (port %2)").arg(Certificate.Host).arg(Certificate.Port);
}

// 32 hex pairs in two lines of 16, so the box stays narrow and the pairs easy to compare.
QString TwoLines(const QString &Fingerprint)
{
    constexpr qsizetype HalfLength = 16 * 3;
    if (Fingerprint.size() <= HalfLength)
        return Fingerprint;
    return Fingerprint.left(HalfLength) + u'\n' + Fingerprint.mid(HalfLength);
}

// The busy cursor of the connect would hide that the box wants an answer.
class TNormalCursorWhileAsking {
public:
    TNormalCursorWhileAsking()
    {
        while (QGuiApplication::overrideCursor()) {
            QGuiApplication::restoreOverrideCursor();
            ++FRestored;
        }
    }
    ~TNormalCursorWhileAsking()
    {
        for (int i = 0; i < FRestored; ++i)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    TNormalCursorWhileAsking(const TNormalCursorWhileAsking &) = delete;
    TNormalCursorWhileAsking &operator=(const TNormalCursorWhileAsking &) = delete;

private:
    int FRestored = 0;
};
} // namespace

QString CertificateQuestionText(const TPeerCertificate &Certificate)
{
    return QStringLiteral("The server %1 sent a certificate that could not be verified:\n%2\n\n"
                          "Issued to: %3\nExpires: %4\nSHA-256 fingerprint:\n%5\n\n"
                          "Trust it only if you know this is the server's own certificate. Your answer is "
                          "remembered, and you will not be asked again for this server.")
        .arg(ServerOf(Certificate), Certificate.Problems.join(u'\n'), Certificate.Subject,
             Certificate.Expiry.toUTC().toString(QStringLiteral("yyyy-MM-dd")), TwoLines(Certificate.Fingerprint));
}

QString CertificateChangedText(const TPeerCertificate &Certificate, const QString &TrustedFingerprint,
                               const QString &TrustFile)
{
    return QStringLiteral("The certificate of %1 is not the one you trusted, so Chattle did not connect. "
                          "Someone may be pretending to be the server.\n\n"
                          "Trusted fingerprint (SHA-256):\n%2\n\nFingerprint sent now:\n%3\n\n"
                          "If the server's operators have really replaced their certificate, remove the line "
                          "of this server from %4 and connect again.")
        .arg(ServerOf(Certificate), TwoLines(TrustedFingerprint), TwoLines(Certificate.Fingerprint),
             QDir::toNativeSeparators(TrustFile));
}

bool CheckServerCertificate(QWidget *Parent, const TCertificateTrust &Trust, const TPeerCertificate &Certificate)
{
    switch (Trust.Judge(Certificate)) {
    case TCertificateTrust::TVerdict::Accept:
        return true;
    case TCertificateTrust::TVerdict::Changed: {
        const QString trusted = Trust.Remembered(Certificate.Host, Certificate.Port);
        const TNormalCursorWhileAsking normalCursor;
        Warn(Parent, CertificateChangedText(Certificate, trusted, Trust.FilePath()));
        return false;
    }
    case TCertificateTrust::TVerdict::Ask:
        break;
    }
    const TNormalCursorWhileAsking normalCursor;
    if (AskChoice(Parent, CertificateQuestionText(Certificate), TrustCaption, CancelCaption) != TDialogButton::Yes)
        return false;
    if (!Trust.Remember(Certificate))
        Warn(Parent, QStringLiteral("The certificate is trusted for now, but it could not be remembered in %1.")
                         .arg(QDir::toNativeSeparators(Trust.FilePath())));
    return true;
}
