#include "Catalogues.h"

#include "Raster.h"

namespace {

// The parts a thumbnail shows around the variant: the first variant of the variant's own group.
std::array<int, PartKindCount> GroupDefaults(bool secondGroup)
{
    std::array<int, PartKindCount> variant{};
    if (secondGroup)
        for (int kind = 0; kind < PartKindCount; ++kind)
            variant[kind] = GroupStartOf(EPartKind(kind));
    return variant;
}

// The head layers of one direction laid over each other, then the head enlarged to fill the cel.
QImage HeadThumbnail(const TPartSet &parts, const std::array<int, PartKindCount> &variant,
                     const std::vector<EPartKind> &kinds, int direction)
{
    QImage head = Raster::NewLayer(64, 64);
    for (EPartKind kind : kinds)
        Raster::Over(head, parts.Variants[kind][variant[kind]][direction]);
    return Raster::Zoom(head.copy(16, 2, 32, 32), 2);
}

} // namespace

TCels DrawCatalogue(const TPartSet &parts, EPartKind kind)
{
    TCels cels;
    const int count = int(parts.Variants[kind].size());
    for (int v = 0; v < count; ++v) {
        auto variant = GroupDefaults(v >= GroupStartOf(kind));
        variant[kind] = v;
        switch (kind) {
        case pkBody:
            cels.push_back(ComposeCel(parts, variant, 0));
            break;
        case pkHair:
            cels.push_back(HeadThumbnail(parts, variant, {pkFace, pkHair}, 1));
            break;
        case pkFace:
            cels.push_back(HeadThumbnail(parts, variant, {pkFace}, 0));
            break;
        case pkFacialHair:
            cels.push_back(HeadThumbnail(parts, variant, {pkFace, pkFacialHair}, 0));
            break;
        case pkAccessory:
        case pkHat:
            cels.push_back(HeadThumbnail(parts, variant, {pkFace, pkHair, kind}, 0));
            break;
        default:
            break;
        }
    }
    return cels;
}
