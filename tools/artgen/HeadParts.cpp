#include "HeadParts.h"

#include "BodyFrames.h"
#include "ArtColours.h"
#include "Raster.h"

#include <cmath>
#include <functional>
#include <vector>

namespace {

using namespace ArtColours;

constexpr double HeadCx = 32, HeadCy = 16, HeadRx = 7.4, HeadRy = 8.4;

bool InEllipse(int x, int y, double cx, double cy, double rx, double ry)
{
    const double u = (x - cx) / rx, v = (y - cy) / ry;
    return u * u + v * v <= 1.0;
}

// Draws with an unmirrored view (facing the viewer, the viewer's left, or away), mirrored for the
// directions that face right.
QImage ForDirection(int direction, const std::function<QImage(EView)> &draw)
{
    const QImage layer = draw(ViewOfDirection(direction));
    return IsMirroredDirection(direction) ? Raster::MirrorFrame(layer) : layer;
}

// The bare head: skull, ears and nose, as a mask in skin colour.
QImage HeadShape(EView view)
{
    QImage head = Raster::NewLayer(64, 64);
    Raster::FillEllipse(head, HeadCx, HeadCy, HeadRx, HeadRy, Skin);
    switch (view) {
    case EView::Front:
    case EView::Back:
        Raster::FillRect(head, 24, 15, 24, 18, Skin);
        Raster::FillRect(head, 40, 15, 40, 18, Skin);
        break;
    case EView::ThreeFront:
        Raster::FillRect(head, 24, 17, 24, 18, Skin);
        Raster::FillRect(head, 40, 15, 40, 18, Skin);
        break;
    case EView::Side:
        Raster::FillRect(head, 24, 16, 24, 19, Skin);
        Raster::Plot(head, 23, 18, Skin);
        break;
    case EView::ThreeBack:
        Raster::Plot(head, 24, 18, Skin); // the tip of the nose, just past the cheek
        break;
    }
    return head;
}

void DrawEye(QImage &face, int x, int variant, bool outerLeft)
{
    Raster::FillRect(face, x, 16, x, 17, Eye);
    if (variant == 1)
        Raster::FillRect(face, x - 1, 14, x + 1, 14, HairShade);
    if (variant == 2)
        Raster::Plot(face, outerLeft ? x - 1 : x + 1, 15, Eye);
    if (variant == 3) {
        Raster::Plot(face, outerLeft ? x - 1 : x + 1, 16, EyeWhite);
        Raster::Plot(face, outerLeft ? x - 1 : x + 1, 17, Eye);
    }
}

QImage FaceView(int variant, EView view)
{
    QImage face = HeadShape(view);
    Raster::ShadeRowEnds(face, Skin, SkinShade, 3);
    const bool female = variant >= 2;
    const QRgb mouth = female ? Lips : Mouth;
    switch (view) {
    case EView::Front:
        DrawEye(face, 29, variant, true);
        DrawEye(face, 35, variant, false);
        Raster::Plot(face, 32, 19, SkinShade);
        Raster::FillRect(face, 31, 21, 33, 21, mouth);
        if (variant == 1)
            Raster::FillRect(face, 31, 19, 33, 19, SkinShade);
        if (variant == 3) {
            Raster::Plot(face, 28, 19, Blush);
            Raster::Plot(face, 36, 19, Blush);
        }
        Raster::Plot(face, 40, 17, SkinShade);
        Raster::Plot(face, 24, 17, SkinShade);
        break;
    case EView::ThreeFront:
        DrawEye(face, 27, variant, true);
        DrawEye(face, 32, variant, false);
        Raster::Plot(face, 25, 19, SkinShade);
        Raster::FillRect(face, 27, 21, 29, 21, mouth);
        if (variant == 3)
            Raster::Plot(face, 33, 19, Blush);
        Raster::FillRect(face, 37, 16, 37, 18, SkinShade);
        break;
    case EView::Side:
        DrawEye(face, 27, variant, true);
        Raster::FillRect(face, 25, 21, 26, 21, mouth);
        if (variant == 1)
            Raster::Plot(face, 22, 18, Skin);
        if (variant == 3)
            Raster::Plot(face, 29, 19, Blush);
        Raster::FillRect(face, 33, 16, 34, 18, SkinShade);
        Raster::Plot(face, 34, 16, Skin);
        break;
    case EView::ThreeBack:
        // Turned away: the cheek, the ear and the tip of the nose on the leading side, an eyelash.
        Raster::FillRect(face, 28, 15, 29, 18, SkinShade);
        Raster::Plot(face, 28, 16, Skin);
        Raster::Plot(face, 25, 16, Eye);
        if (variant == 3)
            Raster::Plot(face, 27, 19, Blush);
        break;
    case EView::Back:
        break;
    }
    Raster::AddOutline(face, Outline);
    return face;
}

// Hair styles: how far the hair stands off the skull and where its edges run.
struct THairStyle {
    double Grow = 1;        // thickness over the skull
    int FringeY = 11;       // lowest row of the hair over the forehead
    int SideY = 15;         // lowest row at the temples
    int NapeY = 20;         // lowest row at the back of the head
    double TopExtra = 0;    // extra height on top
    int Spikes = 0;
    int LongY = 0;          // where long hair ends (0: short)
    bool Ponytail = false;
    bool Curly = false;
    bool FlatTop = false;
    int Swoop = 0;          // a fringe swept lower on the face side
};

THairStyle HairStyleOf(int variant)
{
    THairStyle s;
    switch (variant) {
    case 0: break;                                           // short and neat
    case 1: s.FringeY = 11; s.Swoop = 2; s.TopExtra = 1; break; // swept fringe
    case 2: s.Spikes = 6; s.FringeY = 10; break;             // spiky
    case 3: s.Grow = 2.6; s.TopExtra = 2; s.Curly = true; s.SideY = 16; break; // curls
    case 4: s.Grow = 0.5; s.FringeY = 10; s.SideY = 14; s.NapeY = 19; break; // cropped
    case 5: s.FlatTop = true; s.TopExtra = 1; break;          // flat top
    case 6: s.FringeY = 12; s.LongY = 33; s.Grow = 1.2; break; // long and straight
    case 7: s.FringeY = 11; s.Ponytail = true; break;        // ponytail
    case 8: s.Grow = 1.6; s.FringeY = 13; s.LongY = 23; s.SideY = 23; break; // bob with bangs
    }
    return s;
}

int HairlineOf(const THairStyle &s, EView view, int u)
{
    switch (view) {
    case EView::Front:
        if (std::abs(u) <= 4)
            return s.FringeY + (u <= -1 ? s.Swoop : 0);
        return s.SideY;
    case EView::ThreeFront:
        if (u <= 1)
            return s.FringeY + (u <= -2 ? s.Swoop : 0);
        return u <= 5 ? s.SideY : s.NapeY;
    case EView::Side:
        if (u <= 0)
            return s.FringeY + (u <= -3 ? s.Swoop / 2 : 0);
        return u <= 2 ? s.SideY : s.NapeY;
    case EView::ThreeBack:
        // The temple in front of the ear, the ear, then the back of the head.
        if (u <= -5)
            return std::min(s.SideY, s.FringeY + 2);
        return u <= -2 ? s.SideY - 1 : s.NapeY;
    case EView::Back:
        return s.NapeY;
    }
    return s.NapeY;
}

bool InLongHair(const THairStyle &s, EView view, int u, int y)
{
    if (s.LongY == 0 || y > s.LongY || y < HeadCy)
        return false;
    // Long hair falls a little wider than the head, narrows towards its ends and ends in locks.
    double reach = HeadRx + s.Grow + (y > 22 ? 0.6 : 0) - std::max(0, y - (s.LongY - 5)) * 0.45;
    if (y == s.LongY && (u + 32) % 3 == 0)
        return false;
    switch (view) {
    case EView::Front: return std::abs(u) >= 5 && std::abs(u) <= reach;
    case EView::ThreeFront: return u >= 2 && u <= reach;
    case EView::Side: return u >= 0 && u <= reach;
    case EView::ThreeBack: return u >= -1 && u <= reach; // behind the ear
    default: return std::abs(u) <= reach;
    }
}

void DrawPonytail(QImage &hair, EView view)
{
    switch (view) {
    case EView::Side:
        Raster::Capsule(hair, {40, 16}, {42, 29}, 1.7, Hair);
        Raster::FillRect(hair, 40, 21, 42, 21, Bow);
        break;
    case EView::ThreeFront:
        Raster::Capsule(hair, {39, 17}, {41, 28}, 1.6, Hair);
        break;
    case EView::ThreeBack:
        Raster::Capsule(hair, {34, 18}, {35, 31}, 1.7, Hair);
        Raster::FillRect(hair, 33, 21, 35, 21, Bow); // the tie round the tail, just below the nape
        break;
    case EView::Back:
        Raster::Capsule(hair, {32, 18}, {32, 32}, 1.7, Hair);
        Raster::FillRect(hair, 31, 21, 33, 21, Bow);
        break;
    case EView::Front:
        break;
    }
}

QImage HairView(int variant, EView view)
{
    const THairStyle s = HairStyleOf(variant);
    QImage hair = Raster::NewLayer(64, 64);
    const double cy = HeadCy - s.TopExtra / 2, rx = HeadRx + s.Grow, ry = HeadRy + s.Grow + s.TopExtra / 2;
    for (int y = 2; y < 40; ++y)
        for (int x = 4; x < 60; ++x) {
            const int u = x - 32;
            bool inside = InEllipse(x, y, HeadCx, cy, rx, ry) && y <= HairlineOf(s, view, u);
            if (s.FlatTop && y >= int(cy - ry) + 1 && y <= 12 && std::abs(u) <= 7)
                inside = true;
            if (InLongHair(s, view, u, y))
                inside = true;
            if (s.Curly && inside && !InEllipse(x, y, HeadCx, cy, rx - 1, ry - 1) && (x + 2 * y) % 4 == 0)
                inside = false;
            if (inside)
                Raster::Plot(hair, x, y, Hair);
        }
    const int top = int(std::ceil(cy - ry));
    for (int k = 0; k < s.Spikes; ++k) {
        const double x = 25.5 + 2.6 * k + (view == EView::Side ? 1 : 0);
        const double tilt = view == EView::Side ? 2 : (k - 2.5) * 0.8;
        const double rise = (k == 0 || k == s.Spikes - 1) ? 0 : 1;
        Raster::FillPolygon(hair,
                            QPolygonF({QPointF(x - 1.6, top + 3 + (1 - rise) * 2), QPointF(x + 1.6, top + 3 + (1 - rise) * 2),
                                       QPointF(x + tilt, top - rise - 0.5)}),
                            Hair);
    }
    if (s.Ponytail)
        DrawPonytail(hair, view);
    Raster::ShadeRowEnds(hair, Hair, HairShade, 3);
    if (s.Curly)
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                if (Raster::IsSet(hair, x, y) && (x * 3 + y * 5) % 7 == 0)
                    Raster::Plot(hair, x, y, HairShade);
    if (variant == 6 && (view == EView::Front || view == EView::Back))
        Raster::FillRect(hair, 32, top + 1, 32, view == EView::Front ? 11 : 15, HairShade);
    if (s.LongY > 24) {
        // Strands down the back of long hair.
        const bool back = view == EView::Back || view == EView::ThreeBack;
        for (int strand : back ? std::vector<int>{27, 31, 35} : std::vector<int>{36})
            for (int y = back ? 18 : 20; y < s.LongY - 1; ++y)
                if (Raster::IsSet(hair, strand, y))
                    Raster::Plot(hair, strand + (y / 6) % 2, y, HairShade);
    }
    Raster::AddOutline(hair, Outline);
    return hair;
}

QImage FacialHairView(int variant, EView view)
{
    QImage beard = Raster::NewLayer(64, 64);
    if (variant != 1 && variant != 2)
        return beard; // no facial hair
    const QImage face = HeadShape(view);
    if (variant == 2) {
        for (int y = 14; y <= 26; ++y)
            for (int x = 16; x < 48; ++x) {
                const int u = x - 32;
                const bool chin = InEllipse(x, y, HeadCx, HeadCy + 1, HeadRx - 0.5, HeadRy);
                bool inside = false;
                switch (view) {
                case EView::Front:
                    inside = (y >= 19 || (std::abs(u) >= 6 && y >= 15)) && !(y >= 20 && y <= 21 && std::abs(u) <= 2);
                    break;
                case EView::ThreeFront:
                    inside = ((u <= 5 && y >= 19) || (u >= 3 && u <= 4 && y >= 15)) &&
                             !(y >= 20 && y <= 21 && u >= -6 && u <= -2);
                    break;
                case EView::Side:
                    inside = ((u <= 1 && y >= 19) || (u >= 0 && u <= 1 && y >= 15)) &&
                             !(y >= 20 && y <= 21 && u <= -6);
                    break;
                case EView::ThreeBack:
                    inside = (u <= -3 && y >= 19) || (u >= -6 && u <= -5 && y >= 15);
                    break;
                case EView::Back:
                    break;
                }
                if (inside && chin)
                    Raster::Plot(beard, x, y, FacialHair);
            }
    }
    // The moustache, over the mouth.
    switch (view) {
    case EView::Front:
        Raster::FillRect(beard, 29, 19, 35, 19, FacialHair);
        Raster::FillRect(beard, 29, 20, 30, 20, FacialHair);
        Raster::FillRect(beard, 34, 20, 35, 20, FacialHair);
        break;
    case EView::ThreeFront:
        Raster::FillRect(beard, 25, 19, 30, 19, FacialHair);
        Raster::FillRect(beard, 25, 20, 26, 20, FacialHair);
        Raster::Plot(beard, 30, 20, FacialHair);
        break;
    case EView::Side:
        Raster::FillRect(beard, 24, 19, 27, 19, FacialHair);
        Raster::FillRect(beard, 24, 20, 25, 20, FacialHair);
        break;
    case EView::ThreeBack:
        Raster::FillRect(beard, 25, 19, 26, 19, FacialHair); // its tip, past the cheek
        break;
    default:
        break;
    }
    Raster::AddOutline(beard, Outline, &face);
    return beard;
}

QImage AccessoryView(int variant, EView view)
{
    QImage layer = Raster::NewLayer(64, 64);
    if (variant == 1) {
        // Small earrings under the visible ears.
        switch (view) {
        case EView::Front:
        case EView::Back:
            Raster::Plot(layer, 24, 20, Gold);
            Raster::Plot(layer, 40, 20, Gold);
            break;
        case EView::ThreeFront: Raster::Plot(layer, 37, 20, Gold); break;
        case EView::Side: Raster::Plot(layer, 33, 20, Gold); break;
        case EView::ThreeBack: Raster::Plot(layer, 28, 20, Gold); break;
        }
    } else if (variant == 2) {
        // Glasses: two lenses with frames, and the arms running back to the ears.
        auto lens = [&](int left, int right) {
            Raster::FillRect(layer, left, 15, right, 18, GlassFrame);
            Raster::FillRect(layer, left + 1, 16, right - 1, 17, GlassLens);
        };
        switch (view) {
        case EView::Front:
            lens(27, 30);
            lens(34, 37);
            Raster::FillRect(layer, 31, 16, 33, 16, GlassFrame);
            Raster::Plot(layer, 26, 16, GlassFrame);
            Raster::Plot(layer, 38, 16, GlassFrame);
            break;
        case EView::ThreeFront:
            lens(25, 28);
            lens(31, 33);
            Raster::FillRect(layer, 29, 16, 30, 16, GlassFrame);
            Raster::FillRect(layer, 34, 16, 37, 16, GlassFrame);
            break;
        case EView::Side:
            lens(25, 27);
            Raster::FillRect(layer, 28, 16, 33, 16, GlassFrame);
            break;
        // From behind only the arms show: over the ears, and on the turned head along the cheek.
        case EView::ThreeBack:
            Raster::FillRect(layer, 24, 16, 28, 16, GlassFrame);
            break;
        case EView::Back:
            Raster::Plot(layer, 24, 16, GlassFrame);
            Raster::Plot(layer, 40, 16, GlassFrame);
            break;
        }
    }
    return layer;
}

QImage HatView(int variant, EView view)
{
    QImage layer = Raster::NewLayer(64, 64);
    if (variant == 1) {
        // A small bow on top of the head.
        const int x = view == EView::Side ? 34 : (view == EView::ThreeFront ? 33 : 32);
        Raster::FillPolygon(layer, QPolygonF({QPointF(x - 3, 5), QPointF(x, 7), QPointF(x - 3, 9)}), Bow);
        Raster::FillPolygon(layer, QPolygonF({QPointF(x + 3, 5), QPointF(x, 7), QPointF(x + 3, 9)}), Bow);
        Raster::ShadeRowEnds(layer, Bow, BowShade, 2);
        Raster::Plot(layer, x, 7, BowShade);
        Raster::AddOutline(layer, Outline);
    } else if (variant == 2) {
        // A top hat: the crown, a band and a brim over the hair.
        Raster::FillRect(layer, 27, 3, 37, 9, HatFelt);
        Raster::FillRect(layer, 27, 8, 37, 8, HatBand);
        const int brimLeft = view == EView::Side ? 22 : 23, brimRight = view == EView::Side ? 40 : 41;
        Raster::FillRect(layer, brimLeft, 10, brimRight, 10, HatFelt);
        Raster::ShadeRowEnds(layer, HatFelt, HatFeltShade, 3);
        Raster::AddOutline(layer, Outline);
    }
    return layer;
}

} // namespace

QImage DrawFace(int variant, int direction)
{
    return ForDirection(direction, [&](EView view) { return FaceView(variant, view); });
}

QImage DrawHair(int variant, int direction)
{
    return ForDirection(direction, [&](EView view) { return HairView(variant, view); });
}

QImage DrawFacialHair(int variant, int direction)
{
    return ForDirection(direction, [&](EView view) { return FacialHairView(variant, view); });
}

QImage DrawAccessory(int variant, int direction)
{
    return ForDirection(direction, [&](EView view) { return AccessoryView(variant, view); });
}

QImage DrawHat(int variant, int direction)
{
    return ForDirection(direction, [&](EView view) { return HatView(variant, view); });
}
