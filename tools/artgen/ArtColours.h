#pragma once
// The colours of the character artwork. The keys are replaced at run time by the character's own
// colours; every other colour here stays as drawn and keeps well away from all keys.
#include <QRgb>
#include <array>

namespace ArtColours {

// Recolourable keys, lit and shaded.
constexpr QRgb Skin = 0xFFCC99, SkinShade = 0xCC9966;
constexpr QRgb Hair = 0xFFFF00, HairShade = 0xFF9900;
constexpr QRgb FacialHair = 0x660000;
constexpr QRgb Shirt = 0xFF0000, ShirtShade = 0xCC0000;
constexpr QRgb Pants = 0x99CCFF, PantsShade = 0x9966FF;
constexpr QRgb Dress = 0x993399, DressShade = 0x660099;
constexpr QRgb Shoes = 0xFF99FF, ShoesShade = 0xFF00CC;

constexpr std::array<QRgb, 13> Keys = {Skin,  SkinShade,  Hair,  HairShade, FacialHair, Shirt, ShirtShade,
                                       Pants, PantsShade, Dress, DressShade, Shoes,      ShoesShade};

// The transparency key of every part file: the bottom-left pixel of every frame.
constexpr QRgb Background = 0x01FE01;

// Fixed colours, none of them near a key.
constexpr QRgb Outline = 0x2A1C1C;
constexpr QRgb Eye = 0x1C2038;
constexpr QRgb EyeWhite = 0xFFFFFF;
constexpr QRgb Mouth = 0xA4443C;
constexpr QRgb Lips = 0xD4506A;
constexpr QRgb Blush = 0xF2A48C;
constexpr QRgb Belt = 0x4A3424;
constexpr QRgb Gold = 0xE6C84A;
constexpr QRgb GlassFrame = 0x303040;
constexpr QRgb GlassLens = 0xC8E8F0;
constexpr QRgb HatFelt = 0x34343E, HatFeltShade = 0x22222A;
constexpr QRgb HatBand = 0x8A3A2A;
constexpr QRgb Bow = 0x58A8D8, BowShade = 0x3A78A8;

// The lit key of each shaded pair, and its shade.
constexpr std::array<std::array<QRgb, 2>, 6> ShadePairs = {{{Skin, SkinShade},
                                                            {Hair, HairShade},
                                                            {Shirt, ShirtShade},
                                                            {Pants, PantsShade},
                                                            {Dress, DressShade},
                                                            {Shoes, ShoesShade}}};

} // namespace ArtColours
