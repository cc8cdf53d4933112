#include "ChattleError.h"
#include "MiniArtwork.h"
#include "PersonaLib.h"
#include "printers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The seven colours of the key test: shirt takes the skin key and pants the shirt key, so a second
// replacement would show; the hair and dress shades clamp at 0.
const QString ChainAppearance = QStringLiteral("AAAAAAAAAAA"
                                               "E0B080" "202020" "0A0B0C" "FFCC99" "FF0000" "123456" "654321"
                                               "0000D0" "FF0030");

class PersonaLibTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        WriteMiniArtwork(Dir.path());
        Library = std::make_unique<TPersonaLib>(Dir.path());
    }

    QTemporaryDir Dir;
    std::unique_ptr<TPersonaLib> Library;
};

TEST_F(PersonaLibTest, loads_every_kind_and_variant_with_the_group_starts)
{
    for (int kind = 0; kind < PartKindCount; ++kind) {
        ASSERT_TRUE(Library->Catalogue[kind]);
        EXPECT_EQ(Library->Catalogue[kind]->CelCount(), 2);
        EXPECT_EQ(Library->Catalogue[kind]->CurrentIndex, 0);
        EXPECT_EQ(Library->Variants[kind].size(), 2u);
    }
    EXPECT_EQ(Library->Variants[pkBody][0]->CelCount(), 105);
    EXPECT_EQ(Library->Variants[pkHat][1]->CelCount(), 8);
    EXPECT_EQ(Library->GroupStart, (std::array<int, 6>{1, 6, 2, 3, 1, 1}));

    Library->FreeAll();
    EXPECT_FALSE(Library->Catalogue[pkBody]);
    EXPECT_TRUE(Library->Variants[pkHat].empty());
    Library->Reload();
    EXPECT_EQ(Library->Variants[pkFace].size(), 2u);
}

TEST_F(PersonaLibTest, part_code_follows_the_catalogue_selection_in_code_order)
{
    EXPECT_EQ(Library->GetPartCode(), QStringLiteral("AAAAAAAAAAA"));
    Library->Catalogue[pkBody]->CurrentIndex = 1;
    Library->Catalogue[pkFace]->CurrentIndex = 2;
    EXPECT_EQ(Library->GetPartCode(), QStringLiteral("BCAAAAAAAAA"));
    Library->Catalogue[pkFace]->CurrentIndex = 0;
    Library->Catalogue[pkHat]->CurrentIndex = 1;
    Library->Catalogue[pkHair]->CurrentIndex = 1;
    EXPECT_EQ(Library->GetPartCode(), QStringLiteral("BAABABAAAAA"));
}

TEST_F(PersonaLibTest, every_layer_lands_on_the_right_cel_at_the_right_offset)
{
    const std::unique_ptr<TMxSprite> sprite = Library->BuildSprite(DefaultPartCode + QStringLiteral("FFCC99330000660000FF66669999FF9966CC9966000000D0FF0030"));
    ASSERT_EQ(sprite->CelCount(), 105);
    // body cels first..last, part cel, offset
    struct TRow {
        int First, Last, PartCel, Dx, Dy;
    };
    const TRow rows[] = {{0, 3, 0, 0, 0},    {4, 10, 1, 0, 0},  {11, 17, 2, 0, 0}, {18, 24, 3, 0, 0},
                         {25, 28, 4, 0, 0},  {29, 35, 5, 0, 0}, {36, 42, 6, 0, 0}, {43, 49, 7, 0, 0},
                         {50, 52, 0, 0, 0},  {53, 55, 2, 0, 0}, {56, 59, 6, 0, 0}, {60, 60, 6, 5, 0},
                         {61, 65, 6, 10, 2}, {66, 66, 6, 5, 0}, {67, 67, 6, 0, 0}, {68, 68, 1, 0, 0},
                         {69, 69, 1, -5, 0}, {70, 74, 3, -10, 2}, {75, 75, 3, -5, 0}, {76, 76, 1, 0, 0},
                         {77, 77, 7, 0, 0},  {78, 78, 7, 5, 0}, {79, 80, 7, 10, 2}, {81, 81, 7, 5, 0},
                         {82, 82, 7, 0, 0},  {83, 83, 2, 0, 0}, {84, 84, 2, -5, 0}, {85, 86, 2, -10, 2},
                         {87, 87, 2, -5, 0}, {88, 88, 2, 0, 0}, {89, 95, 7, 0, 0}, {96, 102, 1, 0, 0},
                         {103, 104, 6, 0, 0}};
    for (const TRow &row : rows)
        for (int cel = row.First; cel <= row.Last; ++cel)
            for (int layer = 1; layer <= 5; ++layer) {
                const int x = MarkerX + row.PartCel + row.Dx;
                const int y = MarkerY(layer) + row.Dy;
                EXPECT_EQ(sprite->CelBitmap(cel).GetPixel(x, y), LayerMarker[layer]) << "cel " << cel << " layer " << layer;
                // The marker of a neighbouring head pose is absent.
                EXPECT_NE(sprite->CelBitmap(cel).GetPixel(x + 1, y), LayerMarker[layer]) << "cel " << cel;
            }
    // The leaning cels spelled out: the head 10 right and 2 down in cel 62, 10 left and 2 down in cel 72.
    EXPECT_EQ(sprite->CelBitmap(62).GetPixel(12 + 6 + 10, 2 + 2), LayerMarker[1]);
    EXPECT_EQ(sprite->CelBitmap(72).GetPixel(12 + 3 - 10, 2 + 2), LayerMarker[1]);
    // The body underneath stays, and the frame keeps its own transparency key.
    EXPECT_EQ(sprite->CelBitmap(62).GetPixel(5, BodyRow), BodyColour);
    EXPECT_TRUE(sprite->CelBitmap(62).Transparent());
    EXPECT_EQ(sprite->CelBitmap(62).TransparentColor(), MiniBackground);
}

TEST_F(PersonaLibTest, letters_pick_variants_and_later_layers_cover_earlier_ones)
{
    const std::unique_ptr<TMxSprite> sprite = Library->BuildSprite(QStringLiteral("BABAABAAAAA") + ChainAppearance.mid(11));
    const TMxBitmap &cel = sprite->CelBitmap(0);
    EXPECT_EQ(cel.GetPixel(5, BodyRow), BodyColour2);                    // body 2
    EXPECT_EQ(cel.GetPixel(MarkerX, MarkerY(1)), LayerMarker[1]);         // face 1
    EXPECT_EQ(cel.GetPixel(MarkerX, MarkerY(2) + 1), LayerMarker[2]);     // facial hair 2
    EXPECT_EQ(cel.GetPixel(MarkerX, MarkerY(3)), LayerMarker[3]);         // hair 1
    EXPECT_EQ(cel.GetPixel(MarkerX, MarkerY(5) + 1), LayerMarker[5]);     // hat 2
    EXPECT_EQ(cel.GetPixel(MarkerX, MarkerY(5)), MiniBackground);
    // Face skin under hair yellow under the hat: the hat shows.
    EXPECT_EQ(cel.GetPixel(OverlapX, OverlapY), LayerMarker[5]);
    // A shirt-red pixel of the hair takes the shirt colour: the colours are replaced on the whole picture.
    EXPECT_EQ(cel.GetPixel(OverlapX + 1, OverlapY), 0xFFCC99u);
    // Facial hair covers the face.
    EXPECT_EQ(cel.GetPixel(OverlapX + 2, OverlapY), LayerMarker[2]);
}

TEST_F(PersonaLibTest, every_key_colour_is_replaced_exactly_once_with_clamped_shades)
{
    const std::unique_ptr<TMxSprite> sprite = Library->BuildSprite(ChainAppearance);
    const std::array<TPixel, 13> expected = {
        0xE0B080, // skin
        0xB38353, // skin - 45
        0x202020, // hair
        0x000000, // hair - 35, every byte stops at 0
        0x0A0B0C, // facial hair
        0xFFCC99, // shirt: the skin key, not replaced again
        0xBE8B58, // shirt - 65
        0xFF0000, // pants: the shirt key, not replaced again
        0xBE0000, // pants - 65
        0x123456, // dress
        0x000015, // dress - 65
        0x654321, // shoes
        0x240200, // shoes - 65
    };
    for (int cel : {0, 49, 62, 104})
        for (int i = 0; i < 13; ++i)
            EXPECT_EQ(sprite->CelBitmap(cel).GetPixel(i, KeyRow), expected[static_cast<std::size_t>(i)])
                << "cel " << cel << " key " << i;
    // Lower-case digits read the same.
    const std::unique_ptr<TMxSprite> lower = Library->BuildSprite(ChainAppearance.toLower().replace(0, 11, DefaultPartCode));
    EXPECT_EQ(lower->CelBitmap(0).GetPixel(0, KeyRow), 0xE0B080u);
    // The library's own images are untouched.
    EXPECT_EQ(Library->Variants[pkBody][0]->CelBitmap(0).GetPixel(0, KeyRow), MiniKeys[0]);
}

TEST_F(PersonaLibTest, bad_appearance_texts_fail_cleanly)
{
    const QString colours = ChainAppearance.mid(11);
    // A letter beyond the variants, one below "A", and one far beyond, in each of the six positions.
    for (int position = 0; position < 6; ++position)
        for (QChar letter : {QChar(u'C'), QChar(u'@'), QChar(u'z'), QChar(0x4E00)}) {
            QString code = DefaultPartCode;
            code[position] = letter;
            EXPECT_THROW(Library->BuildSprite(code + colours), EChattleError) << position;
        }
    QString badColour = ChainAppearance;
    badColour.replace(11 + 6 * 3 + 2, 1, QLatin1Char('G'));
    EXPECT_THROW(Library->BuildSprite(badColour), EConvertError);
    for (const char *bad : {" 12345", "+12345", "0x1234", "12 345"}) {
        QString text = ChainAppearance;
        text.replace(11, 6, QLatin1String(bad));
        EXPECT_THROW(Library->BuildSprite(text), EConvertError) << bad;
    }
    EXPECT_THROW(Library->BuildSprite(ChainAppearance.left(64)), EConvertError);
    EXPECT_THROW(Library->BuildSprite(QString()), EConvertError);
    // Shades and letters of the spare colours play no part.
    EXPECT_NO_THROW(Library->BuildSprite(ChainAppearance.left(53) + QStringLiteral("zzzzzzzzzzzz")));
}

TEST(PersonaLibLoad, artwork_errors_keep_the_loaded_library)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_THROW(TPersonaLib{dir.path()}, EFileError);

    WriteMiniArtwork(dir.path());
    TPersonaLib library(dir.path());
    ASSERT_TRUE(QFile::remove(QDir(dir.path()).filePath("hat2.gif")));
    EXPECT_THROW(library.Reload(), EFileError);
    ASSERT_EQ(library.Variants[pkHat].size(), 2u);
    EXPECT_EQ(library.Variants[pkHat][1]->CelCount(), 8);
    EXPECT_NO_THROW(library.BuildSprite(library.GetPartCode() + QStringLiteral("FFCC99").repeated(9)));

    // Too few cels for the frame table: a body short of 103, a part short of eight head poses.
    for (const TMiniArtworkShape shape : {TMiniArtworkShape{1, 1, 102, 8}, TMiniArtworkShape{1, 1, 103, 7}}) {
        QTemporaryDir shortDir;
        WriteMiniArtwork(shortDir.path(), shape);
        EXPECT_THROW(TPersonaLib{shortDir.path()}, EFileError);
    }
}

// The artwork the build draws into <build>/Artwork before this test is built.
TEST(PersonaLibArtwork, default_character_from_the_generated_artwork)
{
    const QString artwork = QCoreApplication::applicationDirPath() + QStringLiteral("/Artwork");
    ASSERT_TRUE(QFile::exists(artwork + QStringLiteral("/body1.gif"))) << "no generated artwork in " << artwork.toStdString();
    TPersonaLib library(artwork);
    const std::unique_ptr<TMxSprite> defaults = library.BuildSprite(DefaultPartCode + QStringLiteral("FFCC99330000660000FF66669999FF9966CC9966000000D0FF0030"));
    ASSERT_GE(defaults->CelCount(), BodyCelCount);
    EXPECT_EQ(defaults->Width(), 64);
    EXPECT_EQ(defaults->Height(), 64);

    // Colours that are no key: afterwards no key colour may be left anywhere.
    const QString fresh = DefaultPartCode + QStringLiteral("E1B38A2A1A0A3B2B1B1E6E2E2E3E6E6E2E3E4E3E2E0000D0FF0030");
    const std::unique_ptr<TMxSprite> sprite = library.BuildSprite(fresh);
    const std::array<TPixel, 13> keys = {0xFFCC99, 0xCC9966, 0xFFFF00, 0xFF9900, 0x660000, 0xFF0000, 0xCC0000,
                                         0x99CCFF, 0x9966FF, 0x993399, 0x660099, 0xFF99FF, 0xFF00CC};
    int keyPixels = 0;
    for (int f = 0; f < sprite->CelCount(); ++f)
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                keyPixels += std::count(keys.begin(), keys.end(), sprite->CelBitmap(f).GetPixel(x, y)) > 0;
    EXPECT_EQ(keyPixels, 0);

    // The top-most part pixel decides: the part cel of the frame table at its offset, hat over
    // accessory over hair over facial hair over face. Checked on the head-leaning cels and a few others.
    const std::array<TPartKind, 5> topDown = {pkHat, pkAccessory, pkHair, pkFacialHair, pkFace};
    const std::array<std::pair<TPixel, TPixel>, 5> recolour = {
        {{0xFFCC99, 0xE1B38A}, {0xFFFF00, 0x2A1A0A}, {0x660000, 0x3B2B1B}, {0xFF0000, 0x1E6E2E}, {0x99CCFF, 0x2E3E6E}}};
    struct TCheck {
        int Cel, PartCel, Dx, Dy;
    };
    int compared = 0;
    for (const TCheck check : {TCheck{62, 6, 10, 2}, TCheck{72, 3, -10, 2}, TCheck{0, 0, 0, 0}, TCheck{20, 3, 0, 0},
                               TCheck{84, 2, -5, 0}, TCheck{99, 1, 0, 0}}) {
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                const int sx = x - check.Dx, sy = y - check.Dy;
                if (sx < 0 || sy < 0 || sx >= 64 || sy >= 64)
                    continue;
                for (TPartKind kind : topDown) {
                    const TMxBitmap &part = library.Variants[kind][0]->CelBitmap(check.PartCel);
                    TPixel p = part.GetPixel(sx, sy);
                    if (p == part.TransparentColor())
                        continue;
                    for (const auto &[key, colour] : recolour)
                        if (p == key)
                            p = colour;
                    if (std::count(keys.begin(), keys.end(), p) > 0)
                        break; // a shade; its exact value is checked with the small artwork
                    EXPECT_EQ(sprite->CelBitmap(check.Cel).GetPixel(x, y), p) << "cel " << check.Cel << " at " << x << "," << y;
                    ++compared;
                    break;
                }
            }
    }
    EXPECT_GT(compared, 100);
}

} // namespace
