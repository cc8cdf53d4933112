#pragma once
// A tiny artwork set in the library's file naming, written with giflib's encoder, whose pixels say
// exactly which part cel landed where: 32 x 32 frames, every part cel k carries its layer's marker at
// (MarkerX + k, MarkerY(layer)), and every body cel a row with the thirteen key colours.
#include <QRgb>
#include <QString>
#include <array>

constexpr int MiniSide = 32;
constexpr QRgb MiniBackground = 0x01FE01;
// The thirteen key colours in the order they are painted on KeyRow, from column 0.
constexpr std::array<QRgb, 13> MiniKeys = {0xFFCC99, 0xCC9966, 0xFFFF00, 0xFF9900, 0x660000, 0xFF0000, 0xCC0000,
                                           0x99CCFF, 0x9966FF, 0x993399, 0x660099, 0xFF99FF, 0xFF00CC};
constexpr int KeyRow = 28;
constexpr int BodyRow = 30; // body colour across the row (variant 1: BodyColour, others BodyColour2)
constexpr QRgb BodyColour = 0x605040;
constexpr QRgb BodyColour2 = 0x112233;
// Layers 1-5 in drawing order: face, facial hair, hair, accessory, hat.
constexpr std::array<QRgb, 6> LayerMarker = {0, 0x102030, 0x203040, 0x304050, 0x405060, 0x506070};
constexpr int MarkerX = 12;
// Variant 2 of a part puts its marker one row lower.
constexpr int MarkerY(int layer) { return 2 * layer; }
// Every part cel also paints (OverlapX + 0..2, OverlapY): face skin / marker / marker, facial hair -/-/marker,
// hair yellow key / shirt key / -, hat marker / - / -.
constexpr int OverlapX = 24;
constexpr int OverlapY = 20;

struct TMiniArtworkShape {
    int Bodies = 2;
    int PartVariants = 2; // of each of the other kinds
    int BodyCels = 105;
    int HeadCels = 8;
};

// Writes body.gif, body1.gif, ... hat.gif, hat1.gif, ... into dir. Throws on a write failure.
void WriteMiniArtwork(const QString &dir, const TMiniArtworkShape &shape = {});
