// Hand-edited and broken servers.ini files: each loads the entries it can, never more, and a save
// followed by a load gives back exactly what was loaded, with the file's other sections kept.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

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
    EXPECT_EQ(ServerList::SplitEntry(ServerList::MakeEntry("big", "h", "99999999999")).Port, "6667");
}
