// The INI file: how values are read from hand-edited files, and that writing replaces the file whole.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "ChattleError.h"
#include "IniFile.h"
#include "printers.h"

namespace {
class IniFileTest : public ::testing::Test {
protected:
    QString Path() const { return Folder.filePath("test.ini"); }
    void Write(const QByteArray &bytes)
    {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray Read() const
    {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QTemporaryDir Folder;
};
} // namespace

TEST_F(IniFileTest, values_are_raw_text_found_by_names_that_ignore_case_and_stray_blanks)
{
    Write("top=before any section\r\n"
          "  [ Servers ]  \r\n"
          "  serv0  =  Net, with \"quotes\" ; and more  \r\n"
          "SERV1=first\rserv1=second\n"
          "; serv2=a comment\n"
          "no equals sign\n"
          "=no key\n"
          "empty=\n"
          "[servers]\nserv3=in a second section of the same name\n"
          "[other\nkey=unclosed section name\n");
    const TIniFile ini(Path());
    const struct {
        const char *Section, *Key, *Expected;
    } cases[] = {
        {"servers", "serv0", "Net, with \"quotes\" ; and more"},
        {"SERVERS", " Serv1 ", "first"},
        {"servers", "serv2", "(default)"},
        {"servers", "; serv2", "(default)"},
        {"servers", "empty", ""},
        {"servers", "serv3", "(default)"},
        {"other", "key", "unclosed section name"},
        {"missing", "serv0", "(default)"},
        {"", "top", "(default)"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ini.ReadString(c.Section, c.Key, "(default)"), c.Expected) << c.Section << "/" << c.Key;
    EXPECT_EQ(ini.ReadSection("servers"), QStringList({"serv0", "SERV1", "empty"}));
}

TEST_F(IniFileTest, writing_keeps_what_it_does_not_change_and_replaces_the_file_whole)
{
    Write("; a note\n[a]\nx=1\n[servers]\nserv0=old\n[b]\ny=2\n");
    TIniFile ini(Path());
    ini.EraseSection("Servers");
    ini.WriteString("servers", "serv0", " two\r\nlines ");
    ini.WriteString("a", "X", "changed");
    ini.UpdateFile();
    EXPECT_EQ(Read(), "; a note\n[a]\nx=changed\n[b]\ny=2\n[servers]\nserv0=two  lines\n");
    EXPECT_EQ(QDir(Folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"test.ini"}));

    TIniFile nowhere(Folder.filePath("missing/test.ini"));
    nowhere.WriteString("a", "x", "lost");
    EXPECT_THROW(nowhere.UpdateFile(), EFileError);
}
