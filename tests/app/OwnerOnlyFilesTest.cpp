// Profiles and servers.ini hold passwords: each is written readable by its owner only, whether it is
// new or replaces a file others could read.
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "CertificateTrust.h"
#include "PersonaInst.h"
#include "RoomsTestSupport.h"
#include "ServerList.h"

TEST(OwnerOnlyFilesTest, profiles_and_the_server_list_are_readable_by_their_owner_only)
{
    const struct {
        const char *File;
        std::function<void(const QString &)> Save;
    } cases[] = {
        {"bob.pr1", [](const QString &path) { NewCharacter("bob")->SaveToFile(path); }},
        {"servers.ini",
         [](const QString &path) { ServerList::Save(path, {ServerList::MakeEntry("Chattle Server", "127.0.0.1", "6667")}); }},
        {"trusted-certificates",
         [](const QString &path) { TCertificateTrust(path).Remember({"irc.test", 6697, "AB:CD", "irc.test", {}, {}}); }},
    };
    for (const auto &c : cases)
        for (const bool replacing : {false, true}) {
            QTemporaryDir dir;
            const QString path = dir.filePath(c.File);
            if (replacing) {
                QFile old(path);
                ASSERT_TRUE(old.open(QIODevice::WriteOnly));
                old.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
            }
            c.Save(path);
            struct stat info {};
            ASSERT_EQ(stat(QFile::encodeName(path).constData(), &info), 0) << c.File;
            EXPECT_EQ(info.st_mode & 0777, 0600u) << c.File << (replacing ? " replacing a readable file" : " new");
        }
}
