#include "Catalogues.h"

#include "Raster.h"

namespace {

// The parts a thumbnail shows around the variant: the first variant of the variant's own group.
std::array<int, PartKinds> GroupDefaults(bool secondGroup)
{
    std::array<int, PartKinds> variant{};
    if (secondGroup)
        for (int kind = 0; kind < PartKinds; ++kind)
            variant[kind] = GroupStartOf(EPartKind(kind));
    return variant;
}

// The head layers of one direction laid over each other, then the head enlarged to fill the cel.
QImage HeadThumbnail(const TPartSet &parts, const std::array<int, PartKinds> &variant,
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
        case PartBody:
            cels.push_back(ComposeCel(parts, variant, 0));
            break;
        case PartHair:
            cels.push_back(HeadThumbnail(parts, variant, {PartFace, PartHair}, 1));
            break;
        case PartFace:
            cels.push_back(HeadThumbnail(parts, variant, {PartFace}, 0));
            break;
        case PartFacialHair:
            cels.push_back(HeadThumbnail(parts, variant, {PartFace, PartFacialHair}, 0));
            break;
        case PartAccessory:
        case PartHat:
            cels.push_back(HeadThumbnail(parts, variant, {PartFace, PartHair, kind}, 0));
            break;
        default:
            break;
        }
    }
    return cels;
}
