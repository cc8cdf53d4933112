#pragma once
// TPersonaLib: every part image characters are made of, and the builder that turns an appearance text
// into the sprite of one character.
//
// Appearance text, 65 characters: six variant letters (body, face, facial hair, hair, accessory, hat;
// "A" = variant 0), five reserved "A", then nine colours of six hexadecimal digits (RRGGBB): skin, hair,
// facial hair, shirt, pants, dress, shoes, spare 1, spare 2. The first eleven characters are the part code.
#include "Sprite.h"

#include <QString>
#include <array>
#include <memory>
#include <vector>

// The part kinds in the order the library stores and loads them.
enum TPartKind { pkBody = 0, pkHair, pkFace, pkFacialHair, pkAccessory, pkHat };
constexpr int PartKindCount = 6;

constexpr int AppearanceLength = 65;
constexpr int PartCodeLength = 11;
constexpr int ColourSlotCount = 9;
// Cels a body variant carries, and the head poses every other part carries.
constexpr int BodyCelCount = 103;
constexpr int HeadPoseCount = 8;

inline const QString DefaultPartCode = QStringLiteral("AAAAAAAAAAA");
inline constexpr std::array<TPixel, ColourSlotCount> DefaultColours = {
    0xFFCC99, 0x330000, 0x660000, 0xFF6666, 0x9999FF, 0x9966CC, 0x996600, 0x0000D0, 0xFF0030};

// Which part cel is drawn on a body cel, and where.
struct TPartPlacement {
    int PartCel = 0;
    int Dx = 0;
    int Dy = 0;
};

class TPersonaLib {
public:
    // Stores the directory, loads everything (LoadAll) and sets GroupStart.
    explicit TPersonaLib(const QString &artworkDir);
    ~TPersonaLib();
    TPersonaLib(const TPersonaLib &) = delete;
    TPersonaLib &operator=(const TPersonaLib &) = delete;

    // Loads every catalogue and its variants from ArtworkDir. Throws EFileError (missing or broken file,
    // a body with fewer than BodyCelCount cels, a part with fewer than HeadPoseCount cels); the library
    // then keeps what it held before.
    void LoadAll();
    void FreeAll();
    // FreeAll and LoadAll, except that a failed load keeps the old images. GroupStart stays.
    void Reload();

    // The part code of the editor's selection: "A" + Catalogue[k]->CurrentIndex for body, face, facial
    // hair, hair, accessory, hat, then "AAAAA". A kind with no catalogue counts as index 0.
    QString GetPartCode() const;

    // A new sprite owned by the caller: the body copied, the five other parts drawn over it through the
    // frame table, the key colours replaced in one pass. Its memory returns to the library when freed. Throws EConvertError for a short text or a colour
    // that is not six hexadecimal digits, and EChattleError for a letter that selects no variant; nothing
    // is built then.
    std::unique_ptr<TMxSprite> BuildSprite(const QString &appearance) const;

    // Frame table: the part cel and offset for body cel bodyCel.
    static TPartPlacement PlacementForCel(int bodyCel);
    // The file stem of a kind: "body", "hair", "face", "facialhair", "accessory", "hat".
    static QString Stem(TPartKind kind);
    // Six hexadecimal digits (either case) at 0-based position `at` of text as 0x00RRGGBB. Throws
    // EConvertError when the text is too short or a digit is not hexadecimal.
    static TPixel ParseColour(const QString &text, int at);
    // Six upper-case hexadecimal digits.
    static QString ColourText(TPixel colour);

    // One thumbnail per variant; CelCount is the number of variants; CurrentIndex is the editor's pick.
    std::array<std::unique_ptr<TMxSprite>, PartKindCount> Catalogue;
    // Variants[kind][i] is loaded from stem + (i + 1) + ".gif".
    std::array<std::vector<std::unique_ptr<TMxSprite>>, PartKindCount> Variants;
    // The first variant of each kind's second group (bodies from GroupStart[pkBody] on wear the second
    // groups of the other kinds).
    std::array<int, PartKindCount> GroupStart = {1, 6, 2, 3, 1, 1};
    QString ArtworkDir;

private:
    // The cels of built sprites that were freed, for the next characters: about two characters' worth.
    std::shared_ptr<TMxCelPool> FCelPool = std::make_shared<TMxCelPool>(2 * BodyCelCount);
};
