#pragma once
// The user's list of IRC servers in servers.ini. An entry is "description:address:port"; a ":"
// inside the description or the address is stored as ";", so every entry has exactly two ":".
// A "+" before the port number marks a secure (TLS) server: "description:address:+6697".
// The section "servers" holds the entries as serv0, serv1, ... in list order, without gaps. The
// section "password without tls" names, by the same keys, the entries whose password may go to the
// server's login without TLS (value 1); files without it read as "none may".
#include <QString>
#include <QList>
#include <QStringList>
#include <optional>

namespace ServerList {
constexpr int MaxEntries = 255;
constexpr int DefaultPort = 6667;
constexpr int DefaultSecurePort = 6697;

// serv0 upward until the first key that is missing or empty, at most MaxEntries. A missing or
// unreadable file gives an empty list.
QStringList Load(const QString &IniPath);
// For each of the first Count entries: whether its password may go to the login without TLS.
QList<bool> LoadPasswordWithoutTls(const QString &IniPath, qsizetype Count);
// Erases both sections and writes the first MaxEntries entries with their PasswordWithoutTls flags
// (missing flags count as false); the file's other sections stay.
// Throws EFileError naming the file when it cannot be written.
void Save(const QString &IniPath, const QStringList &Entries, const QList<bool> &PasswordWithoutTls = {});

// A new entry of the trimmed description and address; a port text that is not a port number from 1
// to 65535 gives DefaultPort (DefaultSecurePort when Secure).
QString MakeEntry(const QString &Description, const QString &Address, const QString &PortText, bool Secure = false);
// The name shown for an entry: its text before the first ":".
QString EntryName(const QString &Entry);

// The three fields, cut at ":" as they were joined; the port without its secure mark.
struct TServerFields {
    QString Description;
    QString Address;
    QString Port;
    bool Secure = false;
};
TServerFields SplitEntry(const QString &Entry);

// The port number of a text of plain digits from 1 to 65535; nothing for anything else (a number too
// large for an int never wraps into a valid-looking port).
std::optional<int> ParsePort(const QString &Text);
} // namespace ServerList
