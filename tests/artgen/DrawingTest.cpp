// The generator's own pieces: its encoders read back by the program's decoders, its composition
// compared with the program's, and the poses it draws.
#include "ArtworkWriter.h"
#include "BodyFrames.h"
#include "ChattleError.h"
#include "FileWriters.h"
#include "ArtColours.h"
#include "PartSet.h"

#include "Bitmap.h"
#include "GifLoader.h"
#include "PersonaLib.h"
#include "printers.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QImage Layer(QRgb fill)
{
    QImage image(64, 64, QImage::Format_ARGB32);
    image.fill(0u);
    for (int y = 20; y < 40; ++y)
        for (int x = 10; x < 30; ++x)
            image.setPixel(x, y, fill | 0xFF000000u);
    return image;
}

bool HasSkinWhere(const QImage &cel, int left, int top, int right, int bottom)
{
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            const QRgb c = cel.pixel(x, y) & 0xFFFFFF;
            if (qAlpha(cel.pixel(x, y)) != 0 && (c == ArtColours::Skin || c == ArtColours::SkinShade))
                return true;
        }
    return false;
}

TEST(DrawingTest, gif_frames_come_back_with_exact_colours_and_the_background_as_key)
{
    const QRgb background = ArtColours::Background;
    const std::vector<QImage> frames{Layer(ArtColours::Shirt), Layer(ArtColours::Hair), Layer(0x123456)};
    auto sprite = LoadSpriteFromGIFData(EncodeGif(frames, background));
    ASSERT_EQ(sprite->CelCount(), 3);
    EXPECT_EQ(sprite->BackgroundColor(), background);
    for (int cel = 0; cel < 3; ++cel) {
        const TMxBitmap &bitmap = sprite->CelBitmap(cel);
        EXPECT_EQ(bitmap.GetPixel(15, 25), frames[size_t(cel)].pixel(15, 25) & 0xFFFFFF) << "cel " << cel;
        EXPECT_EQ(bitmap.GetPixel(40, 25), background) << "cel " << cel << " is not cleared between frames";
        EXPECT_EQ(bitmap.TransparentColor(), background);
    }
}

TEST(DrawingTest, a_gif_with_more_colours_than_one_table_holds_is_refused)
{
    QImage many(64, 64, QImage::Format_ARGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            many.setPixel(x, y, qRgb(x * 4, y * 4, 7));
    EXPECT_THROW(EncodeGif({many}, ArtColours::Background), EFileError);
    EXPECT_THROW(EncodeGif({}, ArtColours::Background), EFileError);
}

TEST(DrawingTest, bmp_rows_are_padded_and_read_back_exactly)
{
    QImage image(58, 7, QImage::Format_RGB32); // 174 bytes a row, padded to 176
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 4, y * 30, 255 - x));
    QTemporaryDir folder;
    const QString path = folder.filePath("picture.bmp");
    SaveFile(path, EncodeBmp(image));
    TMxBitmap bitmap(0, 0);
    bitmap.LoadFromBitmapFile(path);
    ASSERT_EQ(bitmap.Width(), 58);
    ASSERT_EQ(bitmap.Height(), 7);
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 58; ++x)
            ASSERT_EQ(bitmap.GetPixel(x, y), image.pixel(x, y) & 0xFFFFFF) << "(" << x << ", " << y << ")";
}

TEST(DrawingTest, the_generator_composes_characters_exactly_as_the_program_does)
{
    // The contact sheets and banners show composed characters; they must match what the part
    // library builds from the files, cel for cel (same frame table, layer order and recolouring).
    QTemporaryDir folder;
    WriteArtwork(folder.path());
    const TPartSet parts = DrawAllParts();
    TPersonaLib library(folder.path());
    struct TCase {
        QString Code;
        std::array<int, PartKinds> Variant; // body, hair, face, facial hair, accessory, hat
    };
    for (const TCase &look : {TCase{"AAAAAAAAAAA", {0, 0, 0, 0, 0, 0}}, TCase{"ABCDBBAAAAA", {0, 3, 1, 2, 1, 1}},
                              TCase{"CDDICCAAAAA", {2, 8, 3, 3, 2, 2}}}) {
        TLook generator;
        generator.Variant = look.Variant;
        generator.Skin = 0xE0B080;
        generator.Hair = 0x402010;
        generator.FacialHair = 0x301008;
        generator.Shirt = 0x20A040;
        generator.Pants = 0x404080;
        generator.Dress = 0xC04060;
        generator.Shoes = 0x202020;
        const QString appearance = look.Code + "E0B080402010301008" + "20A040404080C04060202020" + "000000000000";
        auto built = library.BuildSprite(appearance);
        ASSERT_EQ(built->CelCount(), BodyCels);
        for (int cel = 0; cel < BodyCels; ++cel) {
            const QImage composed = ComposeCharacter(parts, generator, cel);
            const TMxBitmap &bitmap = built->CelBitmap(cel);
            int differences = 0;
            for (int y = 0; y < 64; ++y)
                for (int x = 0; x < 64; ++x) {
                    const QRgb c = composed.pixel(x, y);
                    const TPixel expected = qAlpha(c) == 0 ? bitmap.TransparentColor() : (c & 0xFFFFFF);
                    differences += bitmap.GetPixel(x, y) != expected;
                }
            EXPECT_EQ(differences, 0) << look.Code.toStdString() << " cel " << cel;
        }
    }
}

TEST(DrawingTest, walking_moves_the_legs_and_interactions_reach_out)
{
    const std::vector<QImage> cels = DrawBodyCels(EOutfit::Suit);
    ASSERT_EQ(int(cels.size()), BodyCels);
    const int first[8] = {0, 4, 11, 18, 25, 29, 36, 43}, length[8] = {4, 7, 7, 7, 4, 7, 7, 7};
    for (int direction = 0; direction < 8; ++direction)
        for (int i = 1; i < length[direction]; ++i) {
            const QImage &standing = cels[size_t(first[direction])], &step = cels[size_t(first[direction] + i)];
            EXPECT_NE(standing.copy(0, 44, 64, 20), step.copy(0, 44, 64, 20))
                << "the legs of walk cel " << first[direction] + i << " stand still";
        }
    // The handshake: the right person's hand reaches about 18 pixels to the left, the left person's
    // as far to the right.
    for (int cel = 53; cel <= 55; ++cel)
        EXPECT_TRUE(HasSkinWhere(cels[size_t(cel)], 4, 30, 17, 45)) << "cel " << cel;
    for (int cel = 56; cel <= 58; ++cel)
        EXPECT_TRUE(HasSkinWhere(cels[size_t(cel)], 47, 30, 60, 45)) << "cel " << cel;
    // The high five is held with the hand up by the head, towards the partner.
    EXPECT_TRUE(HasSkinWhere(cels[94], 44, 8, 52, 20));
    EXPECT_TRUE(HasSkinWhere(cels[101], 12, 8, 20, 20));
    // The wave: the hand beside the head, swinging.
    EXPECT_TRUE(HasSkinWhere(cels[51], 42, 12, 50, 22));
    EXPECT_TRUE(HasSkinWhere(cels[52], 42, 12, 52, 22));
    EXPECT_NE(cels[51], cels[52]);
}

TEST(DrawingTest, heads_turned_away_show_the_leading_cheek_and_only_the_arms_of_glasses)
{
    const TPartSet parts = DrawAllParts();
    constexpr int WalkNW = 18, WalkNE = 29;
    // Every hairstyle leaves the cheek on the leading side free and covers the back of the head.
    for (int hair = 0; hair < int(parts.Variants[PartHair].size()); ++hair)
        for (int face = 0; face < int(parts.Variants[PartFace].size()); ++face) {
            std::array<int, PartKinds> variant{};
            variant[PartHair] = hair;
            variant[PartFace] = face;
            const QImage nw = ComposeCel(parts, variant, WalkNW), ne = ComposeCel(parts, variant, WalkNE);
            EXPECT_TRUE(HasSkinWhere(nw, 22, 15, 27, 21)) << "hair " << hair << " face " << face;
            EXPECT_TRUE(HasSkinWhere(ne, 37, 15, 42, 21)) << "hair " << hair << " face " << face;
            EXPECT_FALSE(HasSkinWhere(nw, 33, 8, 42, 18)) << "hair " << hair << " face " << face;
            EXPECT_FALSE(HasSkinWhere(ne, 22, 8, 31, 18)) << "hair " << hair << " face " << face;
        }
    // From behind no accessory shows a lens or lies on the back of the head: only at the ears (N)
    // or on the leading side (NW, NE).
    for (int v = 0; v < int(parts.Variants[PartAccessory].size()); ++v) {
        const TCels &cels = parts.Variants[PartAccessory][size_t(v)];
        for (int direction : {3, 4, 5})
            for (int y = 0; y < 64; ++y)
                for (int x = 0; x < 64; ++x) {
                    const QRgb c = cels[size_t(direction)].pixel(x, y);
                    if (qAlpha(c) == 0)
                        continue;
                    EXPECT_NE(c & 0xFFFFFF, ArtColours::GlassLens) << "accessory " << v << " cel " << direction;
                    const bool allowed = direction == 3 ? x <= 30 : direction == 5 ? x >= 34 : (x <= 24 || x >= 40);
                    EXPECT_TRUE(allowed) << "accessory " << v << " cel " << direction << " at " << x << "," << y;
                }
    }
}

TEST(DrawingTest, contact_sheets_cover_every_part_file)
{
    QTemporaryDir folder;
    WriteContactSheets(folder.path());
    const QStringList sheets = QDir(folder.path()).entryList({"*.png"});
    for (const char *name : {"body.png", "body1.png", "hair9.png", "face4.png", "facialhair4.png", "accessory3.png",
                                "hat3.png", "walk1.png", "interactions.png", "catalogues.png", "manor.png"})
        EXPECT_TRUE(sheets.contains(QString(name))) << name;
    QImage walk(folder.filePath("walk1.png"));
    EXPECT_FALSE(walk.isNull());
}

} // namespace
