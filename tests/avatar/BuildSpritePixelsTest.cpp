// BuildSprite against the plain composition it must reproduce pixel for pixel (copy the body, draw the
// five layers through the frame table, recolour pixel by pixel), with random colours that are often key
// colours themselves: every part combination of the mini artwork (32 x 32, offsets leaving the frame),
// every variant of the generated artwork. Each sprite is freed before the next is built, so recycled
// sprite memory is built over too.
#include "ColourConversions.h"
#include "MiniLibraryTest.h"

#include <QCoreApplication>
#include <QFile>
#include <random>

namespace {

constexpr std::array<TPartKind, PartKindCount> CodeOrder = {pkBody, pkFace, pkFacialHair, pkHair, pkAccessory, pkHat};

std::unique_ptr<TMxSprite> PlainComposition(const TPersonaLib &library, const QString &appearance)
{
    const auto part = [&](int letter) -> const TMxSprite & {
        return *library.Variants[CodeOrder[letter]][appearance[letter].unicode() - u'A'];
    };
    std::array<TPixel, 7> c{};
    for (int slot = 0; slot < 7; ++slot)
        c[slot] = TPersonaLib::ParseColour(appearance, PartCodeLength + 6 * slot);
    const std::array<std::pair<TPixel, TPixel>, 13> keys = {{
        {0xFFCC99, c[0]}, {0xCC9966, Darken(c[0], 45)}, {0xFFFF00, c[1]}, {0xFF9900, Darken(c[1], 35)},
        {0x660000, c[2]}, {0xFF0000, c[3]}, {0xCC0000, Darken(c[3], 65)}, {0x99CCFF, c[4]},
        {0x9966FF, Darken(c[4], 65)}, {0x993399, c[5]}, {0x660099, Darken(c[5], 65)}, {0xFF99FF, c[6]},
        {0xFF00CC, Darken(c[6], 65)},
    }};
    std::unique_ptr<TMxSprite> sprite = TMxSprite::CreateCopy(part(0));
    for (int f = 0; f < sprite->CelCount(); ++f) {
        TMxBitmap &cel = sprite->CelBitmap(f);
        const TPartPlacement at = TPersonaLib::PlacementForCel(f);
        for (int letter = 1; letter < PartKindCount; ++letter)
            part(letter).CelBitmap(at.PartCel).DrawTo(cel, at.Dx, at.Dy);
        for (int y = 0; y < cel.Height(); ++y)
            for (int x = 0; x < cel.Width(); ++x) {
                const TPixel pixel = cel.GetPixel(x, y);
                const auto key = std::find_if(keys.begin(), keys.end(), [&](const auto &k) { return k.first == pixel; });
                if (key != keys.end())
                    cel.SetPixel(x, y, key->second);
            }
    }
    return sprite;
}

// Part letters from the digits of combination in the mixed radix of the variant counts.
QString RandomAppearance(const TPersonaLib &library, int combination, std::mt19937 &random)
{
    QString text;
    for (TPartKind kind : CodeOrder) {
        const int count = static_cast<int>(library.Variants[kind].size());
        text += QChar(u'A' + combination % count);
        combination /= count;
    }
    text += QStringLiteral("AAAAA");
    const std::array<TPixel, 4> keyColours = {0xFFCC99, 0xFF0000, 0x99CCFF, 0x660000};
    for (int slot = 0; slot < ColourSlotCount; ++slot) {
        const TPixel colour = random() % 3 == 0 ? keyColours[random() % keyColours.size()] : random() & 0xFFFFFF;
        text += TPersonaLib::ColourText(colour);
    }
    return text;
}

void ExpectPlainComposition(const TPersonaLib &library, const QString &appearance)
{
    const std::unique_ptr<TMxSprite> plain = PlainComposition(library, appearance);
    const std::unique_ptr<TMxSprite> built = library.BuildSprite(appearance);
    ASSERT_EQ(built->CelCount(), plain->CelCount());
    ASSERT_EQ(built->Width(), plain->Width());
    ASSERT_EQ(built->Height(), plain->Height());
    EXPECT_EQ(built->CurrentIndex, plain->CurrentIndex);
    EXPECT_EQ(built->DefaultDelay, plain->DefaultDelay);
    for (int f = 0; f < built->CelCount(); ++f) {
        const TMxBitmap &a = built->CelBitmap(f), &b = plain->CelBitmap(f);
        ASSERT_EQ(a.Transparent(), b.Transparent()) << appearance.toStdString() << " cel " << f;
        ASSERT_EQ(a.TransparentColor(), b.TransparentColor()) << appearance.toStdString() << " cel " << f;
        ASSERT_EQ(built->Cel(f).Delay, plain->Cel(f).Delay);
        ASSERT_EQ(built->Cel(f).Disposal, plain->Cel(f).Disposal);
        for (int y = 0; y < a.Height(); ++y)
            for (int x = 0; x < a.Width(); ++x)
                ASSERT_EQ(a.GetPixel(x, y), b.GetPixel(x, y)) << appearance.toStdString() << " cel " << f << " at " << x << "," << y;
    }
}

int CombinationCount(const TPersonaLib &library)
{
    int count = 1;
    for (const auto &variants : library.Variants)
        count *= static_cast<int>(variants.size());
    return count;
}

using BuildSpritePixelsTest = TMiniLibraryTest;

TEST_F(BuildSpritePixelsTest, every_part_combination_of_the_mini_artwork)
{
    std::mt19937 random(13);
    for (int combination = 0; combination < CombinationCount(*Library); ++combination)
        ExpectPlainComposition(*Library, RandomAppearance(*Library, combination, random));
}

// Every variant of every kind at least once (the full product is too slow for the sanitizers).
TEST(BuildSpriteArtworkPixels, every_variant_of_the_generated_artwork)
{
    const QString artwork = QCoreApplication::applicationDirPath() + QStringLiteral("/Artwork");
    ASSERT_TRUE(QFile::exists(artwork + QStringLiteral("/body1.gif"))) << "no generated artwork in " << artwork.toStdString();
    const TPersonaLib library(artwork);
    std::mt19937 random(31);
    for (int variant = 0; variant < 9; ++variant) {
        QString appearance = RandomAppearance(library, 0, random);
        for (int letter = 0; letter < PartKindCount; ++letter)
            appearance[letter] = QChar(u'A' + variant % static_cast<int>(library.Variants[CodeOrder[letter]].size()));
        ExpectPlainComposition(library, appearance);
    }
}

} // namespace
