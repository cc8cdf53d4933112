// The generated artwork, read back with the loaders the program itself uses.
#include "Bitmap.h"
#include "GifLoader.h"
#include "PersonaLib.h"
#include "printers.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <cstdlib>
#include <gif_lib.h>
#include <memory>

namespace {

constexpr std::array<TPixel, 13> Keys = {0xFFCC99, 0xCC9966, 0xFFFF00, 0xFF9900, 0x660000, 0xFF0000, 0xCC0000,
                                         0x99CCFF, 0x9966FF, 0x993399, 0x660099, 0xFF99FF, 0xFF00CC};

int Distance(TPixel a, TPixel b)
{
    return std::abs(int(a >> 16 & 0xFF) - int(b >> 16 & 0xFF)) + std::abs(int(a >> 8 & 0xFF) - int(b >> 8 & 0xFF)) +
           std::abs(int(a & 0xFF) - int(b & 0xFF));
}

bool IsSkin(TPixel c) { return c == 0xFFCC99 || c == 0xCC9966; }

// True when the file has a global colour table and no image brings a table of its own.
bool HasOnlyTheGlobalColourTable(const QString &path)
{
    int error = 0;
    GifFileType *gif = DGifOpenFileName(path.toLocal8Bit().constData(), &error);
    if (!gif)
        return false;
    bool only = DGifSlurp(gif) == GIF_OK && gif->SColorMap != nullptr;
    for (int i = 0; only && i < gif->ImageCount; ++i)
        only = gif->SavedImages[i].ImageDesc.ColorMap == nullptr;
    DGifCloseFile(gif, &error);
    return only;
}

void RunGenerator(const QString &directory)
{
    QProcess generator;
    generator.start(QStringLiteral(ARTGEN_PATH), {directory});
    ASSERT_TRUE(generator.waitForFinished(300000)) << "artgen did not finish";
    ASSERT_EQ(generator.exitStatus(), QProcess::NormalExit);
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
}

class ArtworkTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Folder = new QTemporaryDir;
        RunGenerator(Folder->path());
    }
    static void TearDownTestSuite()
    {
        delete Folder;
        Folder = nullptr;
    }
    static QString PathOf(const QString &name) { return Folder->filePath(name); }
    static std::unique_ptr<TMxSprite> Load(const QString &name) { return LoadSpriteFromGIF(PathOf(name)); }
    static int VariantFiles(const QString &stem)
    {
        int count = 0;
        while (QFile::exists(PathOf(stem + QString::number(count + 1) + ".gif")))
            ++count;
        return count;
    }
    static bool Contains(const TMxBitmap &cel, TPixel colour)
    {
        for (int y = 0; y < cel.Height(); ++y)
            for (int x = 0; x < cel.Width(); ++x)
                if (cel.GetPixel(x, y) == colour)
                    return true;
        return false;
    }
    static bool IsEmpty(const TMxBitmap &cel)
    {
        for (int y = 0; y < cel.Height(); ++y)
            for (int x = 0; x < cel.Width(); ++x)
                if (cel.GetPixel(x, y) != cel.TransparentColor())
                    return false;
        return true;
    }

    static QTemporaryDir *Folder;
};

QTemporaryDir *ArtworkTest::Folder = nullptr;

const char *const Stems[] = {"body", "hair", "face", "facialhair", "accessory", "hat"};

TEST_F(ArtworkTest, every_part_file_has_its_cels_at_64_by_64_with_the_background_key_bottom_left)
{
    for (const char *stem : Stems) {
        const int variants = VariantFiles(stem);
        SCOPED_TRACE(stem);
        EXPECT_TRUE(HasOnlyTheGlobalColourTable(PathOf(QString(stem) + ".gif")));
        EXPECT_TRUE(HasOnlyTheGlobalColourTable(PathOf(QString(stem) + "1.gif")));
        auto catalogue = Load(QString(stem) + ".gif");
        EXPECT_EQ(catalogue->CelCount(), variants) << "one thumbnail per variant file";
        QList<std::shared_ptr<TMxSprite>> sprites{std::move(catalogue)};
        for (int v = 1; v <= variants; ++v) {
            auto sprite = Load(QString(stem) + QString::number(v) + ".gif");
            EXPECT_EQ(sprite->CelCount(), QString(stem) == "body" ? 103 : 8) << "variant " << v;
            sprites << std::shared_ptr<TMxSprite>(std::move(sprite));
        }
        for (const auto &sprite : sprites) {
            const bool thumbnails = sprite == sprites.front();
            EXPECT_EQ(sprite->Width(), 64);
            EXPECT_EQ(sprite->Height(), 64);
            for (int cel = 0; cel < sprite->CelCount(); ++cel) {
                const TMxBitmap &bitmap = sprite->CelBitmap(cel);
                ASSERT_TRUE(bitmap.Transparent());
                EXPECT_EQ(bitmap.TransparentColor(), sprite->BackgroundColor()) << "cel " << cel;
                // Partners stand close: the figure keeps off the top rows and the side columns (the
                // thumbnails are enlarged heads, and may fill their cels).
                bool marginsClear = true;
                for (int y = 0; y < 64; ++y)
                    for (int x = 0; x < 64; ++x)
                        marginsClear &= !(y < 2 || x < 4 || x > 60) || bitmap.GetPixel(x, y) == bitmap.TransparentColor();
                EXPECT_TRUE(marginsClear || thumbnails) << "cel " << cel << " reaches into the margin";
            }
        }
    }
}

TEST_F(ArtworkTest, each_kind_offers_both_groups_something_to_choose)
{
    // The second group of each kind starts at body 1, hair 6, face 2, facial hair 3, accessory 1, hat 1.
    EXPECT_GE(VariantFiles("body"), 3);
    EXPECT_GE(VariantFiles("hair"), 9);
    EXPECT_GE(VariantFiles("face"), 4);
    EXPECT_GE(VariantFiles("facialhair"), 4);
    EXPECT_GE(VariantFiles("accessory"), 3);
    EXPECT_GE(VariantFiles("hat"), 3);
}

TEST_F(ArtworkTest, key_colours_are_where_the_recolouring_expects_them)
{
    auto suit = Load("body1.gif");
    for (int cel = 0; cel < suit->CelCount(); ++cel) {
        EXPECT_TRUE(Contains(suit->CelBitmap(cel), 0xFF0000)) << "shirt in cel " << cel;
        EXPECT_TRUE(Contains(suit->CelBitmap(cel), 0x99CCFF)) << "trousers in cel " << cel;
        EXPECT_TRUE(Contains(suit->CelBitmap(cel), 0xFF99FF)) << "shoes in cel " << cel;
    }
    for (int v = 2; v <= VariantFiles("body"); ++v) {
        auto body = Load(QStringLiteral("body%1.gif").arg(v));
        for (int cel = 0; cel < body->CelCount(); ++cel)
            EXPECT_TRUE(Contains(body->CelBitmap(cel), 0x993399)) << "dress in body " << v << " cel " << cel;
    }
    for (int v = 1; v <= VariantFiles("face"); ++v) {
        auto face = Load(QStringLiteral("face%1.gif").arg(v));
        for (int cel = 0; cel < 8; ++cel)
            EXPECT_TRUE(Contains(face->CelBitmap(cel), 0xFFCC99)) << "skin in face " << v << " cel " << cel;
    }
    for (int v = 1; v <= VariantFiles("hair"); ++v) {
        auto hair = Load(QStringLiteral("hair%1.gif").arg(v));
        for (int cel = 0; cel < 8; ++cel)
            EXPECT_TRUE(Contains(hair->CelBitmap(cel), 0xFFFF00)) << "hair " << v << " cel " << cel;
    }
    // Facial hair: none, moustache, beard for the first group, none for the second.
    EXPECT_TRUE(IsEmpty(Load("facialhair1.gif")->CelBitmap(0)));
    EXPECT_TRUE(Contains(Load("facialhair2.gif")->CelBitmap(0), 0x660000));
    EXPECT_TRUE(Contains(Load("facialhair3.gif")->CelBitmap(0), 0x660000));
    // Variant A of accessories and hats is what every first-group character wears: nothing.
    for (const char *name : {"facialhair4.gif", "accessory1.gif", "hat1.gif"}) {
        auto empty = Load(name);
        for (int cel = 0; cel < 8; ++cel)
            EXPECT_TRUE(IsEmpty(empty->CelBitmap(cel))) << name << " cel " << cel;
    }
}

TEST_F(ArtworkTest, no_colour_lies_near_a_key_without_being_it)
{
    const QStringList names = QDir(Folder->path()).entryList({"*.gif"});
    ASSERT_FALSE(names.isEmpty());
    for (const QString &name : names) {
        auto sprite = Load(name);
        for (TPixel key : Keys)
            EXPECT_GT(Distance(sprite->BackgroundColor(), key), 24) << name.toStdString() << ": background near a key";
        for (int cel = 0; cel < sprite->CelCount(); ++cel) {
            const TMxBitmap &bitmap = sprite->CelBitmap(cel);
            for (int y = 0; y < 64; ++y)
                for (int x = 0; x < 64; ++x) {
                    const TPixel c = bitmap.GetPixel(x, y);
                    for (TPixel key : Keys)
                        ASSERT_FALSE(c != key && Distance(c, key) <= 24)
                            << name.toStdString() << " cel " << cel << " (" << x << ", " << y << ") "
                            << std::hex << c << " is close to key " << key;
                }
        }
    }
}

TEST_F(ArtworkTest, the_neck_stays_where_the_frame_table_puts_the_head)
{
    for (int v = 1; v <= VariantFiles("body"); ++v) {
        auto body = Load(QStringLiteral("body%1.gif").arg(v));
        for (int cel = 0; cel < body->CelCount(); ++cel) {
            const TPartPlacement head = TPersonaLib::PlacementForCel(cel);
            const TPixel neck = body->CelBitmap(cel).GetPixel(32 + head.Dx, 24 + head.Dy);
            EXPECT_TRUE(IsSkin(neck)) << "body " << v << " cel " << cel << " has " << std::hex << neck
                                      << " where the neck belongs";
            // ... and it is centred there: three pixels to either side there is no skin.
            EXPECT_FALSE(IsSkin(body->CelBitmap(cel).GetPixel(29 + head.Dx, 24 + head.Dy)) ||
                         IsSkin(body->CelBitmap(cel).GetPixel(35 + head.Dx, 24 + head.Dy)))
                << "body " << v << " cel " << cel << ": the neck is off centre";
            // Nothing of the body reaches above the neck (the head layers own that space), except the
            // hand raised to wave or to slap a high five.
            const bool handRaised = (cel >= 50 && cel <= 52) || cel >= 89;
            for (int y = 0; y < 20 + head.Dy && !handRaised; ++y)
                for (int x = 0; x < 64; ++x)
                    ASSERT_EQ(body->CelBitmap(cel).GetPixel(x, y), body->BackgroundColor())
                        << "body " << v << " cel " << cel << " at (" << x << ", " << y << ")";
        }
    }
}

TEST_F(ArtworkTest, the_part_library_builds_a_character_from_the_generated_files)
{
    TPersonaLib library(Folder->path());
    for (int kind = 0; kind < PartKindCount; ++kind)
        EXPECT_EQ(library.Catalogue[size_t(kind)]->CelCount(), int(library.Variants[size_t(kind)].size()));
    const QString colours = "FFCC99330000660000FF66669999FF9966CC9966000000D0FF0030";
    for (const QString &parts : {QStringLiteral("AAAAAAAAAAA"), QStringLiteral("CDDIBBAAAAA"), QStringLiteral("BCABCCAAAAA")}) {
        auto sprite = library.BuildSprite(parts + colours);
        ASSERT_EQ(sprite->CelCount(), 103);
        const TMxBitmap &portrait = sprite->CelBitmap(0);
        EXPECT_TRUE(Contains(portrait, 0xFFCC99)) << "skin";
        EXPECT_TRUE(Contains(portrait, 0x330000)) << "hair colour";
        EXPECT_TRUE(Contains(portrait, parts[0] == 'A' ? 0xFF6666 : 0x9966CC)) << "shirt or dress colour";
        EXPECT_FALSE(Contains(portrait, 0xFFFF00)) << "a hair key survived the recolouring";
    }
}

TEST_F(ArtworkTest, pictures_highlight_and_sounds_have_their_sizes_and_formats)
{
    struct TPicture {
        const char *Name;
        int Width, Height;
    };
    for (const TPicture &picture : {TPicture{"manor.jpg", 528, 356}, TPicture{"room.jpg", 528, 356},
                                    TPicture{"beach.jpg", 528, 356}, TPicture{"loginbg.jpg", 205, 94},
                                    TPicture{"editor.jpg", 375, 113}, TPicture{"banner1.jpg", 468, 60},
                                    TPicture{"banner2.jpg", 468, 60}, TPicture{"banner3.jpg", 468, 60}}) {
        TMxBitmap bitmap(0, 0);
        bitmap.LoadFromJPEGFile(PathOf(picture.Name));
        EXPECT_EQ(bitmap.Width(), picture.Width) << picture.Name;
        EXPECT_EQ(bitmap.Height(), picture.Height) << picture.Name;
    }
    TMxBitmap highlight(0, 0);
    highlight.LoadFromBitmapFile(PathOf("hilite.bmp"));
    highlight.MakeTransparent();
    EXPECT_NE(highlight.GetPixel(highlight.Width() / 2, highlight.Height() / 2), highlight.TransparentColor());
    EXPECT_EQ(highlight.GetPixel(0, 0), highlight.TransparentColor());

    QList<QByteArray> sounds;
    for (const char *name : {"BuddyOnLine.wav", "BuddyOffLine.wav", "MessageFrom.wav", "MessageTo.wav",
                             "EnterRoom.wav", "ExitRoom.wav"}) {
        QFile file(PathOf(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QByteArray wav = file.readAll();
        ASSERT_GT(wav.size(), 44) << name;
        EXPECT_EQ(wav.left(4), "RIFF");
        EXPECT_EQ(wav.mid(8, 8), "WAVEfmt ");
        EXPECT_EQ(qFromLittleEndian<quint16>(wav.constData() + 20), 1) << name << ": PCM";
        EXPECT_EQ(qFromLittleEndian<quint16>(wav.constData() + 34), 16) << name << ": 16 bits";
        const quint32 rate = qFromLittleEndian<quint32>(wav.constData() + 24);
        const quint32 dataBytes = qFromLittleEndian<quint32>(wav.constData() + 40);
        EXPECT_EQ(dataBytes + 44, quint32(wav.size())) << name;
        const double seconds = dataBytes / 2.0 / rate;
        EXPECT_GT(seconds, 0.05) << name;
        EXPECT_LT(seconds, 1.5) << name << " is not short";
        EXPECT_FALSE(sounds.contains(wav)) << name << " sounds like another one";
        sounds << wav;
    }
}

TEST_F(ArtworkTest, the_application_icon_comes_in_three_sizes_on_a_transparent_square)
{
    for (int size : {48, 128, 256}) {
        const QImage icon(PathOf(QStringLiteral("chattle%1.png").arg(size)));
        ASSERT_EQ(icon.size(), QSize(size, size)) << size;
        EXPECT_EQ(qAlpha(icon.pixel(size - 1, size - 1)), 0) << size << ": the corner beside the bubble's tail";
        EXPECT_EQ(qAlpha(icon.pixel(size / 2, size / 2)), 255) << size << ": the face";
    }
}

TEST_F(ArtworkTest, a_second_run_writes_the_same_bytes)
{
    QTemporaryDir second;
    RunGenerator(second.path());
    const QStringList names = QDir(Folder->path()).entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(QDir(second.path()).entryList(QDir::Files, QDir::Name), names);
    for (const QString &name : names) {
        QFile a(PathOf(name)), b(second.filePath(name));
        ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_TRUE(a.readAll() == b.readAll()) << name.toStdString() << " differs between runs";
    }
}

} // namespace
