#include "PersonaLib.h"

#include "CharacterComposer.h"
#include "ChattleError.h"
#include "ColourConversions.h"
#include "GifLoader.h"

#include <QDir>

namespace {

// The kind each letter of the part code selects, and the order in which the layers are drawn.
constexpr std::array<TPartKind, PartKindCount> CodeOrder = {pkBody, pkFace, pkFacialHair, pkHair,
                                                            pkAccessory, pkHat};

struct TFrameRow {
    int LastBodyCel; // the row covers body cels up to this one
    TPartPlacement Placement;
};

constexpr std::array<TFrameRow, 31> FrameTable = {{
    {3, {0, 0, 0}},    {10, {1, 0, 0}},   {17, {2, 0, 0}},   {24, {3, 0, 0}},   {28, {4, 0, 0}},
    {35, {5, 0, 0}},   {42, {6, 0, 0}},   {49, {7, 0, 0}},   {52, {0, 0, 0}},   {55, {2, 0, 0}},
    {59, {6, 0, 0}},   {60, {6, 5, 0}},   {65, {6, 10, 2}},  {66, {6, 5, 0}},   {67, {6, 0, 0}},
    {68, {1, 0, 0}},   {69, {1, -5, 0}},  {74, {3, -10, 2}}, {75, {3, -5, 0}},  {76, {1, 0, 0}},
    {77, {7, 0, 0}},   {78, {7, 5, 0}},   {80, {7, 10, 2}},  {81, {7, 5, 0}},   {82, {7, 0, 0}},
    {83, {2, 0, 0}},   {84, {2, -5, 0}},  {86, {2, -10, 2}}, {87, {2, -5, 0}},  {88, {2, 0, 0}},
    {95, {7, 0, 0}},
}};
// Cels 96-102 and everything beyond 102.
constexpr TPartPlacement ShakeRowLeft = {1, 0, 0};
constexpr TPartPlacement BeyondTable = {6, 0, 0};

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

std::unique_ptr<TMxSprite> LoadChecked(const QString &path, int minimumCels)
{
    std::unique_ptr<TMxSprite> sprite = LoadSpriteFromGIF(path);
    if (sprite->CelCount() < minimumCels)
        throw EFileError(QStringLiteral("%1 holds %2 cels, %3 needed").arg(path).arg(sprite->CelCount()).arg(minimumCels));
    return sprite;
}

} // namespace

TPersonaLib::TPersonaLib(const QString &artworkDir) : ArtworkDir(artworkDir)
{
    LoadAll();
    GroupStart = {1, 6, 2, 3, 1, 1};
}

TPersonaLib::~TPersonaLib() = default;

void TPersonaLib::LoadAll()
{
    // Everything is read into fresh lists first, so a broken file leaves the library as it was.
    std::array<std::unique_ptr<TMxSprite>, PartKindCount> catalogue;
    std::array<std::vector<std::unique_ptr<TMxSprite>>, PartKindCount> variants;
    const QDir dir(ArtworkDir);
    for (int kind = 0; kind < PartKindCount; ++kind) {
        const QString stem = Stem(static_cast<TPartKind>(kind));
        catalogue[kind] = LoadSpriteFromGIF(dir.filePath(stem + QStringLiteral(".gif")));
        catalogue[kind]->CurrentIndex = 0;
        const int minimumCels = kind == pkBody ? BodyCelCount : HeadPoseCount;
        for (int i = 1; i <= catalogue[kind]->CelCount(); ++i)
            variants[kind].push_back(LoadChecked(dir.filePath(stem + QString::number(i) + QStringLiteral(".gif")), minimumCels));
    }
    Catalogue = std::move(catalogue);
    Variants = std::move(variants);
}

void TPersonaLib::FreeAll()
{
    for (int kind = 0; kind < PartKindCount; ++kind) {
        Catalogue[kind].reset();
        Variants[kind].clear();
    }
}

void TPersonaLib::Reload()
{
    LoadAll();
}

QString TPersonaLib::GetPartCode() const
{
    QString code;
    for (TPartKind kind : CodeOrder) {
        const int index = Catalogue[kind] ? Catalogue[kind]->CurrentIndex : 0;
        code += QChar(u'A' + std::max(index, 0));
    }
    return code + QStringLiteral("AAAAA");
}

TPixel TPersonaLib::ParseColour(const QString &text, int at)
{
    if (at < 0 || at + 6 > text.size())
        throw EConvertError(QStringLiteral("'%1' has no colour at position %2").arg(text).arg(at + 1));
    TPixel colour = 0;
    for (int i = at; i < at + 6; ++i) {
        const int digit = HexDigit(text[i]);
        if (digit < 0)
            throw EConvertError(QStringLiteral("'%1' is not a valid colour").arg(text.mid(at, 6)));
        colour = colour * 16 + static_cast<TPixel>(digit);
    }
    return colour;
}

QString TPersonaLib::ColourText(TPixel colour)
{
    return QStringLiteral("%1").arg(colour & 0xFFFFFF, 6, 16, QLatin1Char('0')).toUpper();
}

QString TPersonaLib::Stem(TPartKind kind)
{
    static const std::array<QString, PartKindCount> stems = {
        QStringLiteral("body"), QStringLiteral("hair"), QStringLiteral("face"),
        QStringLiteral("facialhair"), QStringLiteral("accessory"), QStringLiteral("hat")};
    return stems[kind];
}

TPartPlacement TPersonaLib::PlacementForCel(int bodyCel)
{
    for (const TFrameRow &row : FrameTable)
        if (bodyCel <= row.LastBodyCel)
            return row.Placement;
    return bodyCel <= 102 ? ShakeRowLeft : BeyondTable;
}

std::unique_ptr<TMxSprite> TPersonaLib::BuildSprite(const QString &appearance) const
{
    // Everything is read and checked before anything is built.
    if (appearance.size() < AppearanceLength)
        throw EConvertError(QStringLiteral("'%1' is not an appearance").arg(appearance));
    std::array<const TMxSprite *, PartKindCount> parts{};
    for (int letter = 0; letter < PartKindCount; ++letter) {
        const TPartKind kind = CodeOrder[letter];
        const int index = appearance[letter].unicode() - u'A';
        if (index < 0 || index >= static_cast<int>(Variants[kind].size()))
            throw EChattleError(QStringLiteral("List index out of bounds (%1)").arg(index));
        parts[letter] = Variants[kind][static_cast<std::size_t>(index)].get();
    }
    std::array<TPixel, 7> colours{};
    for (int slot = 0; slot < 7; ++slot)
        colours[slot] = ParseColour(appearance, PartCodeLength + 6 * slot);
    const auto [skin, hair, facialHair, shirt, pants, dress, shoes] = colours;
    const TKeyReplacements replacements = {skin,  Darken(skin, 45),  hair,  Darken(hair, 35),  facialHair,
                                           shirt, Darken(shirt, 65), pants, Darken(pants, 65), dress,
                                           Darken(dress, 65), shoes, Darken(shoes, 65)};
    return ComposeCharacter(parts, replacements, FCelPool);
}
