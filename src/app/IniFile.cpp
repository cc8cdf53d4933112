#include "IniFile.h"

#include <QFile>
#include <QSet>

#include "ChattleError.h"
#include "OwnerOnlyFile.h"
#include "TextDecoding.h"

namespace {
bool SameName(const QString &A, const QString &B) { return A.compare(B, Qt::CaseInsensitive) == 0; }

// CR LF, LF and a lone CR each end a line.
QStringList SplitLines(const QString &Text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const QChar c = Text.at(i);
        if (c != u'\n' && c != u'\r')
            continue;
        lines << Text.mid(start, i - start);
        if (c == u'\r' && i + 1 < Text.size() && Text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < Text.size())
        lines << Text.mid(start);
    return lines;
}

QString WithoutLineBreaks(QString Text)
{
    Text.replace(u'\r', u' ');
    Text.replace(u'\n', u' ');
    return Text;
}
} // namespace

TIniFile::TIniFile(const QString &FileName) : FFileName(FileName)
{
    FSections.append(TSection{});
    QFile file(FileName);
    if (file.open(QIODevice::ReadOnly))
        Parse(DecodeUtf8OrLatin1(file.readAll()));
}

void TIniFile::Parse(const QString &Text)
{
    for (const QString &raw : SplitLines(Text)) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            FSections.append(TSection{(close < 0 ? line.mid(1) : line.mid(1, close - 1)).trimmed(), {}});
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        TLine entry;
        if (equals > 0 && !line.startsWith(u';'))
            entry.Key = line.left(equals).trimmed();
        if (entry.Key.isEmpty())
            entry.Raw = raw;
        else
            entry.Value = line.mid(equals + 1).trimmed();
        FSections.last().Lines.append(entry);
    }
}

const TIniFile::TSection *TIniFile::FindSection(const QString &Name) const
{
    const QString name = Name.trimmed();
    for (qsizetype i = 1; i < FSections.size(); ++i) // the lines before the first section have no name
        if (SameName(FSections.at(i).Name, name))
            return &FSections.at(i);
    return nullptr;
}

TIniFile::TSection *TIniFile::FindSection(const QString &Name)
{
    return const_cast<TSection *>(std::as_const(*this).FindSection(Name));
}

qsizetype TIniFile::KeyIndex(const TSection &Section, const QString &Key)
{
    const QString key = Key.trimmed();
    for (qsizetype i = 0; i < Section.Lines.size(); ++i)
        if (!Section.Lines.at(i).Key.isEmpty() && SameName(Section.Lines.at(i).Key, key))
            return i;
    return -1;
}

QString TIniFile::ReadString(const QString &Section, const QString &Key, const QString &Default) const
{
    const TSection *section = FindSection(Section);
    const qsizetype index = section ? KeyIndex(*section, Key) : -1;
    return index < 0 ? Default : section->Lines.at(index).Value;
}

void TIniFile::WriteString(const QString &Section, const QString &Key, const QString &Value)
{
    TSection *section = FindSection(Section);
    if (!section) {
        FSections.append(TSection{Section.trimmed(), {}});
        section = &FSections.last();
    }
    const QString value = WithoutLineBreaks(Value).trimmed();
    if (const qsizetype index = KeyIndex(*section, Key); index >= 0)
        section->Lines[index].Value = value;
    else
        section->Lines.append(TLine{Key.trimmed(), value, {}});
}

QStringList TIniFile::ReadSection(const QString &Section) const
{
    QStringList keys;
    QSet<QString> seen;
    if (const TSection *section = FindSection(Section))
        for (const TLine &line : section->Lines)
            if (!line.Key.isEmpty() && !seen.contains(line.Key.toCaseFolded())) {
                seen.insert(line.Key.toCaseFolded());
                keys << line.Key;
            }
    return keys;
}

bool TIniFile::SectionExists(const QString &Section) const { return FindSection(Section) != nullptr; }

void TIniFile::EraseSection(const QString &Section)
{
    const QString name = Section.trimmed();
    for (qsizetype i = FSections.size() - 1; i >= 1; --i)
        if (SameName(FSections.at(i).Name, name))
            FSections.removeAt(i);
}

void TIniFile::UpdateFile() const
{
    QString text;
    for (qsizetype i = 0; i < FSections.size(); ++i) {
        const TSection &section = FSections.at(i);
        if (i > 0)
            text += u'[' + section.Name + QStringLiteral("]\n");
        for (const TLine &line : section.Lines)
            text += (line.Key.isEmpty() ? line.Raw : line.Key + u'=' + line.Value) + u'\n';
    }
    const QByteArray bytes = text.toUtf8();
    // An ini file may hold passwords (servers.ini does).
    if (!WriteOwnerOnlyFile(FFileName, bytes))
        throw EFileError(QStringLiteral("Cannot write %1").arg(FFileName));
}
