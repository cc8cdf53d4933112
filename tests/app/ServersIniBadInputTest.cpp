// Hand-edited and broken servers.ini files: each loads the entries it can, never more, and a save
// followed by a load gives back exactly what was loaded, with the file's other sections kept.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <tuple>

#include "IniFile.h"
#include "ServerList.h"
#include "printers.h"

TEST(ServersIniBadInput, each_file_loads_what_it_can_and_saves_back_the_same)
{
    const struct {
        const char *Name;
        QByteArray File;
        QStringList Entries;
    } cases[] = {
        {"a gap ends the list", "[servers]\nserv0=a:h:1\nserv2=b:h:2\n", {"a:h:1"}},
        {"an empty value is a gap", "[servers]\nserv0=a:h:1\nserv1=\nserv2=b:h:2\n", {"a:h:1"}},
        {"broken lines are skipped", "[servers]\nno equals sign\n=no key\nserv0=a:h:1\nserv1=b:h:2\n", {"a:h:1", "b:h:2"}},
        {"an unclosed section name still opens a section", "[servers]\nserv0=a:h:1\n[servers\nserv1=b:h:2\n", {"a:h:1"}},
        {"a second servers section is ignored, also after a save",
         "[servers]\nserv0=a:h:1\n[other]\nk=v\n[SERVERS]\nserv0=x:h:1\nserv1=y:h:2\n", {"a:h:1"}},
        {"a huge port stays text until it is used", "[servers]\nserv0=big:h:99999999999\n", {"big:h:99999999999"}},
        {"NUL and invalid UTF-8 read as Latin-1", QByteArray("[servers]\nserv0=n\0\xff:h:1\n", 24),
         {QString::fromLatin1("n\0\xff:h:1", 7)}},
        {"a secure mark stays with its entry", "[servers]\nserv0=a:h:+6697\nserv1=b:h:6667\n", {"a:h:+6697", "b:h:6667"}},
        {"a doubled or misplaced mark stays text until it is used", "[servers]\nserv0=a:h:++1\nserv1=b:h:1+\n",
         {"a:h:++1", "b:h:1+"}},
        {"no servers section", "[other]\nserv0=a:h:1\n", {}},
        {"an empty file", "", {}},
        {"binary garbage", QByteArray("\x00\x01[\x02]=\xfe\r\r\n\x00", 10), {}},
    };
    QTemporaryDir folder;
    for (const auto &c : cases) {
        const QString path = folder.filePath(QString::fromUtf8(c.Name) + ".ini");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(c.File);
        file.close();
        const QStringList entries = ServerList::Load(path);
        EXPECT_EQ(entries, c.Entries) << c.Name;
        const QStringList otherKeys = TIniFile(path).ReadSection("other");
        ServerList::Save(path, entries);
        EXPECT_EQ(ServerList::Load(path), entries) << c.Name;
        EXPECT_EQ(TIniFile(path).ReadSection("other"), otherKeys) << c.Name;
    }
    EXPECT_EQ(ServerList::ParsePort("99999999999"), std::nullopt);
    // "+" marks a secure entry and is no part of the number; a second one leaves a port nobody accepts.
    for (const auto &[entry, port, secure, valid] : {std::tuple{"a:h:+6697", "6697", true, true},
                                                     std::tuple{"a:h:++1", "+1", true, false},
                                                     std::tuple{"a:h:1+", "1+", false, false},
                                                     std::tuple{"a:h:+", "", true, false}}) {
        const ServerList::TServerFields fields = ServerList::SplitEntry(entry);
        EXPECT_EQ(fields.Port, port) << entry;
        EXPECT_EQ(fields.Secure, secure) << entry;
        EXPECT_EQ(ServerList::ParsePort(fields.Port).has_value(), valid) << entry;
    }
    EXPECT_EQ(ServerList::MakeEntry("s", "h", "", true), "s:h:+6697");
    EXPECT_EQ(ServerList::SplitEntry(ServerList::MakeEntry("big", "h", "99999999999")).Port, "6667");
}

TEST(ServersIniBadInput, password_without_tls_flags_follow_their_entries_and_ignore_the_rest)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("servers.ini");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[servers]\nserv0=a:h:1\nserv1=b:h:2\n[password without tls]\nserv1=1\nserv0=yes\nserv7=1\n");
    file.close();
    const QStringList entries = ServerList::Load(path);
    const QList<bool> flags = ServerList::LoadPasswordWithoutTls(path, entries.size());
    EXPECT_EQ(flags, QList<bool>({false, true}));
    ServerList::Save(path, entries, flags);
    EXPECT_EQ(TIniFile(path).ReadSection("password without tls"), QStringList{"serv1"});
    ServerList::Save(path, entries);
    EXPECT_FALSE(TIniFile(path).SectionExists("password without tls"));
}
