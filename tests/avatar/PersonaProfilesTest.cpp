// The profile file (written, read back, scrambled password, name from the file name) and the login
// strip: Refresh skipping unreadable files, its events, the hover index rule, selection and painting.
#include "PaintBox.h"
#include "PersonaInst.h"
#include "PersonaLib.h"
#include "PersonaProfiles.h"
#include "MiniArtwork.h"
#include "MiniLibraryTest.h"
#include "TestJpegWriter.h"
#include "printers.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {
class ProfilesTest : public TMiniLibraryTest {
protected:
    QString PathOf(const QString &fileName) const { return QDir(Profiles.path()).filePath(fileName); }

    void SaveCharacter(const QString &fileName, TPixel shirt = 0x0000AA)
    {
        TPersonaInst character(Library.get());
        character.Colours[3] = shirt;
        character.SaveToFile(PathOf(fileName));
    }

    void WriteRaw(const QString &fileName, const QByteArray &bytes)
    {
        QFile file(PathOf(fileName));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray ReadRaw(const QString &fileName) const
    {
        QFile file(PathOf(fileName));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir Profiles;
};

const QByteArray DefaultAppearance =
    "AAAAAAAAAAAFFCC99330000660000FF66669999FF9966CC9966000000D0FF0030";
} // namespace

TEST_F(ProfilesTest, AProfileWrittenAndReadBackIsIdentical)
{
    TPersonaInst original(Library.get(), DefaultAppearance);
    original.Password = QStringLiteral("abc");
    original.StoredFlag = false;
    original.Colours[3] = 0x12AB34;
    original.Colours[8] = 0xFEDCBA;
    original.SetInfo(QStringLiteral("``one`mail@example.org```````````````N`N`N`N`N"));
    original.Note = QStringLiteral("caf\u00e9 note");
    original.SaveToFile(PathOf("Sam.pr1"));

    const QByteArray bytes = ReadRaw("Sam.pr1");
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], "bdc\r") << "abc scrambled";
    EXPECT_EQ(lines[1], "0\r");
    EXPECT_EQ(lines[2], "AAAAAAAAAAAFFCC9933000066000012AB349999FF9966CC9966000000D0FEDCBA\r");
    EXPECT_EQ(lines[3].count('`'), 22);
    EXPECT_EQ(lines[4], "caf\xc3\xa9 note\r");
    EXPECT_TRUE(lines[5].isEmpty());

    const auto copy = TPersonaInst::CreateFromFile(Library.get(), PathOf("Sam.pr1"));
    EXPECT_EQ(copy->Name, QStringLiteral("Sam"));
    EXPECT_EQ(copy->Password, QStringLiteral("abc"));
    EXPECT_FALSE(copy->StoredFlag);
    EXPECT_EQ(copy->GetAppearance(), original.GetAppearance());
    EXPECT_EQ(copy->GetInfo(), original.GetInfo());
    EXPECT_EQ(copy->Note, original.Note);
    copy->SaveToFile(PathOf("Again.pr1"));
    EXPECT_EQ(ReadRaw("Again.pr1"), bytes);

    // An empty password gives an empty first line; the name comes from the file name alone.
    TPersonaInst plain(Library.get());
    plain.Name = QStringLiteral("Someone");
    plain.SaveToFile(PathOf("Bob.pr1"));
    EXPECT_TRUE(ReadRaw("Bob.pr1").startsWith("\r\n1\r\n"));
    EXPECT_EQ(TPersonaInst::CreateFromFile(Library.get(), PathOf("Bob.pr1"))->Name, QStringLiteral("Bob"));
}

TEST_F(ProfilesTest, RefreshSkipsUnreadableFilesAndLeavesThemUntouched)
{
    SaveCharacter("Anna.pr1");
    WriteRaw("Bert.pr1", "\r\n1\r\n" + DefaultAppearance + "\r\n");       // four lines
    WriteRaw("Cleo.pr1", "\r\n1\r\nAAAAAAAAAAAFFCC99XYZ\r\n`\r\n\r\n");      // bad colour
    WriteRaw("Dora.pr1", "\r\n1\r\nZAAAAAAAAAA" + DefaultAppearance.mid(11) + "\r\n\r\n\r\n"); // no body Z
    SaveCharacter("Emil.pr1");
    SaveCharacter("notes.txt");
    const QByteArray bert = ReadRaw("Bert.pr1"), cleo = ReadRaw("Cleo.pr1"), dora = ReadRaw("Dora.pr1");

    TPersonaProfiles strip;
    strip.Library = Library.get();
    strip.ProfilesDir = Profiles.path();
    QStringList added;
    int selections = 0;
    strip.OnAddPersona = [&](QObject *sender, const QString &name) {
        EXPECT_EQ(sender, &strip);
        added << name;
    };
    strip.OnSelectPersona = [&](QObject *) { ++selections; };
    strip.Refresh();
    EXPECT_EQ(added, (QStringList{"Anna", "Emil"}));
    EXPECT_EQ(selections, 1);
    ASSERT_EQ(strip.Count(), 2);
    EXPECT_EQ(strip.Characters()[1].Name, QStringLiteral("Emil"));
    EXPECT_EQ(ReadRaw("Bert.pr1"), bert);
    EXPECT_EQ(ReadRaw("Cleo.pr1"), cleo);
    EXPECT_EQ(ReadRaw("Dora.pr1"), dora);

    // Refresh again: the list is rebuilt, not appended to, and the selection is cleared.
    strip.SetSelectedIndex(1);
    added.clear();
    strip.Refresh();
    EXPECT_EQ(strip.Count(), 2);
    EXPECT_EQ(strip.SelectedIndex(), -1);
    EXPECT_EQ(strip.Selected(), nullptr);
    EXPECT_EQ(selections, 2);

    // An empty folder: one selection notice, no additions.
    QTemporaryDir empty;
    strip.ProfilesDir = empty.path();
    added.clear();
    strip.Refresh();
    EXPECT_EQ(strip.Count(), 0);
    EXPECT_TRUE(added.isEmpty());
    EXPECT_EQ(selections, 3);
}

TEST_F(ProfilesTest, HoverFollowsTheColumnAndAClickSelectsTheHoveredCharacter)
{
    for (const char *name : {"a.pr1", "b.pr1", "c.pr1"})
        SaveCharacter(name);
    TPersonaProfiles strip;
    strip.Library = Library.get();
    strip.ProfilesDir = Profiles.path();
    strip.Refresh();
    int selections = 0;
    strip.OnSelectPersona = [&](QObject *) { ++selections; };

    strip.MouseMove(100, 55);
    EXPECT_EQ(strip.HoverIndex(), 2);
    strip.MouseMove(110, 0);
    EXPECT_EQ(strip.HoverIndex(), -1) << "110 div 36 = 3, beyond the three characters";
    strip.Click();
    EXPECT_EQ(selections, 0);
    EXPECT_EQ(strip.SelectedIndex(), -1);

    strip.MouseMove(40, 200);
    EXPECT_EQ(strip.HoverIndex(), 1);
    strip.Click();
    EXPECT_EQ(selections, 1);
    EXPECT_EQ(strip.SelectedIndex(), 1);
    EXPECT_EQ(strip.Selected(), strip.Characters()[1].Persona.get());
    strip.MouseMove(0, 0);
    EXPECT_EQ(strip.SelectedIndex(), 1) << "the selection survives mouse moves";
    strip.ClearHover();
    EXPECT_EQ(strip.HoverIndex(), -1);
}

TEST_F(ProfilesTest, PaintShowsTheCharactersOnTheHighlightWithTheHoverLabel)
{
    SaveCharacter("first.pr1", 0x0000AA);
    SaveCharacter("second.pr1", 0x00AA00);
    const QString background = PathOf("loginbg.jpg");
    {
        QFile file(background);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(WriteTestJpeg(200, 100, std::vector<std::uint32_t>(200 * 100, 0x808080), 100));
    }
    QImage highlight(40, 40, QImage::Format_RGB32);
    highlight.fill(qRgb(255, 255, 0));
    highlight.setPixel(0, 39, qRgb(0, 0, 0)); // the key
    ASSERT_TRUE(highlight.save(PathOf("hilite.bmp"), "BMP"));

    TPersonaProfiles strip;
    strip.Library = Library.get();
    strip.ProfilesDir = Profiles.path();
    strip.resize(200, 100);
    strip.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&strip));
    strip.SetBGFileName(background);
    strip.SetHiLiteName(PathOf("hilite.bmp"));
    EXPECT_EQ(strip.DisplayedBitmap(), strip.Background());
    strip.Refresh();
    strip.SetSelectedIndex(1);
    strip.MouseMove(10, 40);

    const QImage shown = strip.grab().toImage();
    auto at = [&](int x, int y) { return shown.pixel(x, y) & 0xFFFFFF; };
    // Cel 0 of each character at x = -3 + i * 36, y = 30; the highlight behind the second one.
    EXPECT_EQ(at(-3 + 5, 30 + KeyRow), 0x0000AAu);
    EXPECT_EQ(at(33 + 5, 30 + KeyRow), 0x00AA00u);
    EXPECT_EQ(at(37, 8), 0xFFFF00u) << "the highlight at (36, 6)";
    EXPECT_NE(at(190, 90) & 0xF0F0F0, 0u) << "the grey background";
    bool red = false;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 60; ++x)
            red = red || at(x, y) == 0xFF0000u;
    EXPECT_TRUE(red) << "the hover label of the first character";
}
