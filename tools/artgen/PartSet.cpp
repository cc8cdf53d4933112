#include "PartSet.h"

#include "ArtColours.h"
#include "BodyFrames.h"
#include "ColourConversions.h"
#include "HeadParts.h"
#include "PersonaLib.h"
#include "Raster.h"

#include <QHash>

namespace {

TCels DrawHeadCels(QImage (*draw)(int, int), int variant)
{
    TCels cels;
    for (int direction = 0; direction < HeadCels; ++direction)
        cels.push_back(draw(variant, direction));
    return cels;
}

} // namespace

QString StemOf(EPartKind kind)
{
    return TPersonaLib::Stem(static_cast<TPartKind>(kind));
}

int GroupStartOf(EPartKind kind)
{
    static const int starts[PartKinds] = {1, 6, 2, 3, 1, 1};
    return starts[kind];
}

TPartSet DrawAllParts()
{
    TPartSet parts;
    for (EOutfit outfit : {EOutfit::Suit, EOutfit::Dress, EOutfit::BlouseSkirt})
        parts.Variants[PartBody].push_back(DrawBodyCels(outfit));
    for (int v = 0; v < HairVariants; ++v)
        parts.Variants[PartHair].push_back(DrawHeadCels(DrawHair, v));
    for (int v = 0; v < FaceVariants; ++v)
        parts.Variants[PartFace].push_back(DrawHeadCels(DrawFace, v));
    for (int v = 0; v < FacialHairVariants; ++v)
        parts.Variants[PartFacialHair].push_back(DrawHeadCels(DrawFacialHair, v));
    for (int v = 0; v < AccessoryVariants; ++v)
        parts.Variants[PartAccessory].push_back(DrawHeadCels(DrawAccessory, v));
    for (int v = 0; v < HatVariants; ++v)
        parts.Variants[PartHat].push_back(DrawHeadCels(DrawHat, v));
    return parts;
}

QImage ComposeCel(const TPartSet &parts, const std::array<int, PartKinds> &variant, int cel)
{
    QImage result = parts.Variants[PartBody][variant[PartBody]][cel];
    const TPartPlacement head = TPersonaLib::PlacementForCel(cel);
    // The order the program lays the layers: face, facial hair, hair, accessory, hat.
    for (EPartKind kind : {PartFace, PartFacialHair, PartHair, PartAccessory, PartHat})
        Raster::Over(result, parts.Variants[kind][variant[kind]][head.PartCel], head.Dx, head.Dy);
    return result;
}

QImage Recolour(const QImage &layer, const TLook &look)
{
    using namespace ArtColours;
    const QHash<QRgb, QRgb> map{{Skin, look.Skin},
                                {SkinShade, Darken(look.Skin, 45)},
                                {Hair, look.Hair},
                                {HairShade, Darken(look.Hair, 35)},
                                {FacialHair, look.FacialHair},
                                {Shirt, look.Shirt},
                                {ShirtShade, Darken(look.Shirt, 65)},
                                {Pants, look.Pants},
                                {PantsShade, Darken(look.Pants, 65)},
                                {Dress, look.Dress},
                                {DressShade, Darken(look.Dress, 65)},
                                {Shoes, look.Shoes},
                                {ShoesShade, Darken(look.Shoes, 65)}};
    QImage result = layer;
    for (int y = 0; y < result.height(); ++y)
        for (int x = 0; x < result.width(); ++x) {
            const QRgb c = result.pixel(x, y);
            if (qAlpha(c) == 0)
                continue;
            const auto found = map.find(c & 0xFFFFFF);
            if (found != map.end())
                result.setPixel(x, y, found.value() | 0xFF000000u);
        }
    return result;
}

QImage ComposeCharacter(const TPartSet &parts, const TLook &look, int cel)
{
    return Recolour(ComposeCel(parts, look.Variant, cel), look);
}
