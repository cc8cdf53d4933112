#pragma once
// Every character part, drawn once: the body variants with their 103 cels and the head layers with
// their eight. Also the composition the program itself performs (head layers at the frame table's
// offsets, then the key colours replaced), for thumbnails, banners and contact sheets.
#include <QImage>
#include <QRgb>
#include <QString>
#include <array>
#include <vector>

using TCels = std::vector<QImage>;

enum EPartKind { PartBody, PartHair, PartFace, PartFacialHair, PartAccessory, PartHat, PartKinds };

struct TPartSet {
    std::array<std::vector<TCels>, PartKinds> Variants; // [kind][variant] -> cels
};

// The file stem of each kind: "body", "hair", "face", "facialhair", "accessory", "hat".
QString StemOf(EPartKind kind);
// The first variant of the second group of each kind.
int GroupStartOf(EPartKind kind);

TPartSet DrawAllParts();

// A character's choice of variants, one per kind, and its colours.
struct TLook {
    std::array<int, PartKinds> Variant{};
    QRgb Skin = 0xFFCC99, Hair = 0x663300, FacialHair = 0x552200, Shirt = 0xFF6666, Pants = 0x9999FF,
         Dress = 0x9966CC, Shoes = 0x996600;
};

// Body cel `cel` with the head layers laid over it (no recolouring).
QImage ComposeCel(const TPartSet &parts, const std::array<int, PartKinds> &variant, int cel);
// Replaces the key colours as a character's colours would, with the program's shades.
QImage Recolour(const QImage &layer, const TLook &look);
QImage ComposeCharacter(const TPartSet &parts, const TLook &look, int cel);
