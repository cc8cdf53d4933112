#include "ServerList.h"

#include "ChattleError.h"
#include "IniFile.h"
#include "StrictNumber.h"
#include "Tokenizer.h"

namespace {
const QString Section = QStringLiteral("servers");
const QString PasswordWithoutTlsSection = QStringLiteral("password without tls");
const QChar Separator = u':';
const QChar SecureMark = u'+';

QString Key(int Index) { return QStringLiteral("serv%1").arg(Index); }

QString WithoutSeparators(QString Text) { return Text.replace(Separator, u';'); }
} // namespace

namespace ServerList {
QStringList Load(const QString &IniPath)
{
    const TIniFile ini(IniPath);
    QStringList entries;
    for (int i = 0; i < MaxEntries; ++i) {
        const QString entry = ini.ReadString(Section, Key(i));
        if (entry.isEmpty())
            break;
        entries << entry;
    }
    return entries;
}

QList<bool> LoadPasswordWithoutTls(const QString &IniPath, qsizetype Count)
{
    const TIniFile ini(IniPath);
    QList<bool> flags;
    for (int i = 0; i < std::min<qsizetype>(Count, MaxEntries); ++i)
        flags << (ini.ReadString(PasswordWithoutTlsSection, Key(i)) == u"1");
    return flags;
}

void Save(const QString &IniPath, const QStringList &Entries, const QList<bool> &PasswordWithoutTls)
{
    TIniFile ini(IniPath);
    ini.EraseSection(Section);
    ini.EraseSection(PasswordWithoutTlsSection);
    for (int i = 0; i < std::min<int>(int(Entries.size()), MaxEntries); ++i) {
        ini.WriteString(Section, Key(i), Entries.at(i));
        if (PasswordWithoutTls.value(i))
            ini.WriteString(PasswordWithoutTlsSection, Key(i), QStringLiteral("1"));
    }
    ini.UpdateFile();
}

QString MakeEntry(const QString &Description, const QString &Address, const QString &PortText, bool Secure)
{
    const int port = ParsePort(PortText).value_or(Secure ? DefaultSecurePort : DefaultPort);
    return WithoutSeparators(Description.trimmed()) + Separator + WithoutSeparators(Address.trimmed()) + Separator
           + (Secure ? QString(SecureMark) : QString()) + QString::number(port);
}

QString EntryName(const QString &Entry) { return Entry.section(Separator, 0, 0); }

TServerFields SplitEntry(const QString &Entry)
{
    TTokenizer tokens(Entry, QString(Separator));
    TServerFields fields;
    fields.Description = tokens.NextToken();
    fields.Address = tokens.NextToken();
    fields.Port = tokens.NextToken();
    if (fields.Port.startsWith(SecureMark)) {
        fields.Secure = true;
        fields.Port.remove(0, 1);
    }
    return fields;
}

std::optional<int> ParsePort(const QString &Text)
{
    try {
        const int port = StrictToInt(Text);
        if (port >= 1 && port <= 65535)
            return port;
    } catch (const EConvertError &) {
    }
    return std::nullopt;
}
} // namespace ServerList
