// The profile file of a character: five lines ended by CR LF.
#include "ProfileFile.h"

#include "ChattleError.h"
#include "OwnerOnlyFile.h"
#include "PersonaInst.h"
#include "TextDecoding.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr int ProfileLineCount = 5;
// A profile is a few hundred bytes; anything far larger is not one.
constexpr qint64 MaxProfileBytes = 1024 * 1024;

QByteArray ShiftBytes(const QByteArray &text, int direction)
{
    QByteArray result = text;
    for (qsizetype i = 0; i < result.size(); ++i) {
        const int shift = static_cast<int>((i + 1) % 3) * direction;
        result[i] = static_cast<char>((static_cast<unsigned char>(result[i]) + shift) & 0xFF);
    }
    return result;
}

} // namespace

QByteArray ScrambleText(const QByteArray &text) { return ShiftBytes(text, 1); }

QByteArray UnscrambleText(const QByteArray &text) { return ShiftBytes(text, -1); }

void TPersonaInst::LoadFromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("Cannot open profile %1").arg(path));
    if (file.size() > MaxProfileBytes)
        throw EFileError(QStringLiteral("Profile %1 is too large").arg(path));
    const QByteArray data = file.readAll();
    QList<QByteArray> lines = data.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the break after the last line ends it, it starts no line
    if (lines.size() < ProfileLineCount)
        throw EFileError(QStringLiteral("Profile %1 has fewer than five lines").arg(path));
    for (QByteArray &line : lines)
        if (line.endsWith('\r'))
            line.chop(1);

    Password = DecodeUtf8OrLatin1(UnscrambleText(lines[0]));
    StoredFlag = lines[1] == "1";
    SetAppearance(DecodeUtf8OrLatin1(lines[2]));
    SetInfo(DecodeUtf8OrLatin1(lines[3]));
    Note = DecodeUtf8OrLatin1(lines[4]);
    const QString fileName = QFileInfo(path).fileName();
    Name = fileName.left(std::max<qsizetype>(0, fileName.size() - 4));
    if (Name.isEmpty())
        throw EFileError(QStringLiteral("Profile %1 names no character").arg(path));
}

void TPersonaInst::SaveToFile(const QString &path) const
{
    QByteArray data;
    for (const QByteArray &line : {ScrambleText(Password.toUtf8()), QByteArray(StoredFlag ? "1" : "0"),
                                   GetAppearance().toUtf8(), GetInfo().toUtf8(), Note.toUtf8()}) {
        // A line break inside a line (a scrambled tab in the password, say) would shift every later
        // line and leave a profile that no longer loads; the file on disk is kept instead.
        if (line.contains('\n'))
            throw EFileError(QStringLiteral("Cannot write profile %1: a line holds a line break").arg(path));
        data += line + "\r\n";
    }
    if (!WriteOwnerOnlyFile(path, data))
        throw EFileError(QStringLiteral("Cannot write profile %1").arg(path));
}
