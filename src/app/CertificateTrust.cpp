#include "CertificateTrust.h"

#include <QFile>

#include "OwnerOnlyFile.h"

namespace {
// The key of a line: the host (lower case) and the port.
QString KeyOf(const QString &Host, quint16 Port) { return Host.toLower() + u' ' + QString::number(Port); }

// Every line of the file (a missing file has none).
QStringList ReadLines(const QString &Path)
{
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}
} // namespace

TCertificateTrust::TVerdict TCertificateTrust::Judge(const TPeerCertificate &Certificate) const
{
    const QString trusted = Remembered(Certificate.Host, Certificate.Port);
    if (!trusted.isEmpty())
        return trusted == Certificate.Fingerprint ? TVerdict::Accept : TVerdict::Changed;
    return Certificate.Problems.isEmpty() ? TVerdict::Accept : TVerdict::Ask;
}

QString TCertificateTrust::Remembered(const QString &Host, quint16 Port) const
{
    const QString key = KeyOf(Host, Port) + u' ';
    for (const QString &line : ReadLines(FFilePath))
        if (line.startsWith(key, Qt::CaseInsensitive))
            return line.mid(key.size()).trimmed();
    return {};
}

bool TCertificateTrust::Remember(const TPeerCertificate &Certificate) const
{
    const QString key = KeyOf(Certificate.Host, Certificate.Port);
    QStringList lines;
    for (const QString &line : ReadLines(FFilePath))
        if (!line.startsWith(key + u' ', Qt::CaseInsensitive))
            lines << line;
    lines << key + u' ' + Certificate.Fingerprint;
    return WriteOwnerOnlyFile(FFilePath, (lines.join(u'\n') + u'\n').toUtf8());
}
