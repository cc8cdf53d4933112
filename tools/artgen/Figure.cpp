#include "Figure.h"

#include "ArtColours.h"
#include "Raster.h"

#include <QPolygonF>
#include <functional>
#include <vector>

namespace {

using namespace ArtColours;

constexpr QPointF NeckTop(32, 24);
constexpr double HipY = 42;

bool IsProfileLike(EView view) { return view != EView::Front && view != EView::Back; }

QPointF TorsoShift(const TBodyPose &pose) { return pose.Lean * pose.TorsoFollow; }

// Which limb lies behind the torso: -1 none, 0 = A, 1 = B.
int FarLimb(EView view)
{
    switch (view) {
    case EView::ThreeFront: return 0;
    case EView::Side: return 1;
    case EView::ThreeBack: return 1;
    default: return -1;
    }
}

QPointF HipOf(EView view, int side)
{
    switch (view) {
    case EView::Front:
    case EView::Back: return side == 0 ? QPointF(29, HipY) : QPointF(35, HipY);
    case EView::ThreeFront: return side == 0 ? QPointF(30, HipY) : QPointF(35, HipY);
    case EView::ThreeBack: return side == 0 ? QPointF(29, HipY) : QPointF(34, HipY);
    case EView::Side: return QPointF(32, HipY);
    }
    return {};
}

QPointF ShoulderOf(const TBodyPose &pose, int side)
{
    QPointF shoulder;
    switch (pose.View) {
    case EView::Front:
    case EView::Back: shoulder = side == 0 ? QPointF(25, 28) : QPointF(39, 28); break;
    case EView::ThreeFront:
    case EView::ThreeBack: shoulder = side == 0 ? QPointF(27, 28) : QPointF(37, 28); break;
    case EView::Side: shoulder = side == 0 ? QPointF(31, 28) : QPointF(33, 28); break;
    }
    return shoulder + TorsoShift(pose);
}

// The torso's outline: the shoulder points move with the lean, the waist stays over the hips.
QPolygonF TorsoOf(const TBodyPose &pose, double waistY)
{
    double shoulderHalf = 6, chestHalf = 7, waistHalf = 5;
    if (pose.View == EView::ThreeFront || pose.View == EView::ThreeBack) {
        shoulderHalf = 5;
        chestHalf = 6;
        waistHalf = 4;
    } else if (pose.View == EView::Side) {
        shoulderHalf = 4;
        chestHalf = 5;
        waistHalf = 4;
    }
    const QPointF l = TorsoShift(pose);
    return QPolygonF({QPointF(32 - shoulderHalf, 26) + l, QPointF(32 + shoulderHalf, 26) + l,
                      QPointF(32 + chestHalf, 28) + l, QPointF(32 + waistHalf, waistY),
                      QPointF(32 - waistHalf, waistY), QPointF(32 - chestHalf, 28) + l});
}

QPolygonF SkirtOf(EView view, double hemY, double flare)
{
    const double waistHalf = view == EView::Front || view == EView::Back ? 5 : 4;
    const double hemHalf = waistHalf + flare;
    return QPolygonF({QPointF(32 - waistHalf, 38), QPointF(32 + waistHalf, 38), QPointF(32 + hemHalf, hemY),
                      QPointF(32 - hemHalf, hemY)});
}

QPointF KneeOf(const TBodyPose &pose, int side)
{
    const QPointF hip = HipOf(pose.View, side);
    const QPointF ankle = pose.Foot[side] - QPointF(0, 2);
    return (hip + ankle) / 2 + ForwardOf(pose.View) * pose.Knee[side];
}

QPointF ElbowOf(const TBodyPose &pose, int side)
{
    if (pose.ElbowSet[side])
        return pose.Elbow[side];
    const QPointF middle = (ShoulderOf(pose, side) + pose.Hand[side]) / 2;
    if (pose.View == EView::Side)
        return middle + QPointF(1, 0);
    return middle + QPointF(side == 0 ? -1 : 1, 0);
}

// One part: drawn on its own layer, shaded on the far side, outlined, then laid over the body.
class TPartLayer {
public:
    TPartLayer() : Layer(Raster::NewLayer(64, 64)) {}
    QImage Layer;
    void Finish(QImage &body, int shadeColumns, bool allShade)
    {
        for (const auto &pair : ArtColours::ShadePairs) {
            if (allShade)
                Raster::ReplaceColour(Layer, pair[0], pair[1]);
            else if (shadeColumns > 0)
                Raster::ShadeRowEnds(Layer, pair[0], pair[1], shadeColumns);
        }
        Raster::AddOutline(Layer, Outline);
        Raster::Over(body, Layer);
    }
};

void DrawLeg(QImage &layer, const TBodyPose &pose, int side, QRgb colour, double radius)
{
    const QPointF hip = HipOf(pose.View, side), knee = KneeOf(pose, side);
    const QPointF ankle = pose.Foot[side] - QPointF(0, 2);
    Raster::Capsule(layer, hip, knee, radius, colour);
    Raster::Capsule(layer, knee, ankle, radius, colour);
}

void DrawShoe(QImage &layer, const TBodyPose &pose, int side)
{
    const int x = qRound(pose.Foot[side].x()), y = qRound(pose.Foot[side].y());
    switch (pose.View) {
    case EView::Front:
        Raster::FillRect(layer, x - 2, y - 2, x + 2, y, Shoes);
        Raster::FillRect(layer, x - 2, y, x + 2, y, ShoesShade);
        break;
    case EView::Back:
        Raster::FillRect(layer, x - 2, y - 2, x + 2, y, Shoes);
        Raster::FillRect(layer, x - 2, y - 2, x + 2, y - 2, ShoesShade);
        break;
    case EView::ThreeFront:
        Raster::FillRect(layer, x - 3, y - 2, x + 2, y, Shoes);
        Raster::FillRect(layer, x - 3, y, x + 2, y, ShoesShade);
        break;
    case EView::ThreeBack:
        Raster::FillRect(layer, x - 3, y - 2, x + 2, y, Shoes);
        Raster::FillRect(layer, x + 1, y - 2, x + 2, y, ShoesShade);
        break;
    case EView::Side:
        Raster::FillRect(layer, x - 4, y - 1, x + 2, y, Shoes);
        Raster::FillRect(layer, x - 2, y - 2, x + 2, y - 2, Shoes);
        Raster::FillRect(layer, x - 4, y, x + 2, y, ShoesShade);
        break;
    }
}

void DrawArm(QImage &layer, const TBodyPose &pose, int side, EOutfit outfit)
{
    const QPointF shoulder = ShoulderOf(pose, side), elbow = ElbowOf(pose, side), hand = pose.Hand[side];
    if (outfit == EOutfit::Dress) {
        // A short sleeve: the arm is bare from just above the elbow.
        Raster::Capsule(layer, shoulder, elbow, 1.5, Skin);
        Raster::Capsule(layer, elbow, hand, 1.3, Skin);
        Raster::Capsule(layer, shoulder, shoulder + (elbow - shoulder) * 0.45, 1.9, Dress);
    } else {
        Raster::Capsule(layer, shoulder, elbow, 1.5, Shirt);
        Raster::Capsule(layer, elbow, hand, 1.5, Shirt);
    }
    Raster::FillEllipse(layer, hand.x(), hand.y(), 1.5, 1.5, Skin);
}

} // namespace

TBodyPose StandingPose(EView view)
{
    TBodyPose pose;
    pose.View = view;
    switch (view) {
    case EView::Front:
    case EView::Back:
        pose.Foot[0] = {29, 54};
        pose.Foot[1] = {35, 54};
        pose.Hand[0] = {23, 40};
        pose.Hand[1] = {41, 40};
        break;
    case EView::ThreeFront:
        pose.Foot[0] = {30, 53};
        pose.Foot[1] = {35, 54};
        pose.Hand[0] = {25, 39};
        pose.Hand[1] = {39, 40};
        break;
    case EView::ThreeBack:
        pose.Foot[0] = {29, 54};
        pose.Foot[1] = {34, 53};
        pose.Hand[0] = {25, 40};
        pose.Hand[1] = {39, 39};
        break;
    case EView::Side:
        pose.Foot[0] = {32, 54};
        pose.Foot[1] = {33, 54};
        pose.Hand[0] = {32, 40};
        pose.Hand[1] = {34, 40};
        break;
    }
    return pose;
}

QPointF ForwardOf(EView view)
{
    switch (view) {
    case EView::Front: return {0, 0.45};
    case EView::ThreeFront: return {-0.75, 0.35};
    case EView::Side: return {-1, 0};
    case EView::ThreeBack: return {-0.75, -0.35};
    case EView::Back: return {0, -0.45};
    }
    return {};
}

QImage DrawBody(const TBodyPose &pose, EOutfit outfit)
{
    QImage body = Raster::NewLayer(64, 64);
    const int far = FarLimb(pose.View);
    const bool bareLegs = outfit != EOutfit::Suit;
    const QRgb legColour = bareLegs ? Skin : Pants;
    const double legRadius = bareLegs ? 1.5 : 2.0;

    auto arm = [&](int side, bool shaded) {
        TPartLayer part;
        DrawArm(part.Layer, pose, side, outfit);
        part.Finish(body, 1, shaded);
    };
    auto leg = [&](int side, bool shaded, bool withHips) {
        TPartLayer part;
        DrawLeg(part.Layer, pose, side, legColour, legRadius);
        if (withHips && !bareLegs) {
            const double half = IsProfileLike(pose.View) ? 4 : 5;
            Raster::FillRect(part.Layer, qRound(32 - half), 39, qRound(32 + half), int(HipY) + 1, Pants);
        }
        part.Finish(body, 2, shaded);
        TPartLayer shoe;
        DrawShoe(shoe.Layer, pose, side);
        shoe.Finish(body, 0, false);
    };

    if (far >= 0) {
        arm(far, true);
        leg(far, true, false);
        leg(1 - far, false, true);
    } else {
        // Facing the viewer or away: both legs share one pair of trousers.
        TPartLayer trousers;
        DrawLeg(trousers.Layer, pose, 0, legColour, legRadius);
        if (bareLegs) {
            trousers.Finish(body, 1, false);
            TPartLayer other;
            DrawLeg(other.Layer, pose, 1, legColour, legRadius);
            other.Finish(body, 1, false);
        } else {
            DrawLeg(trousers.Layer, pose, 1, legColour, legRadius);
            Raster::FillRect(trousers.Layer, 27, 39, 37, int(HipY) + 1, Pants);
            trousers.Finish(body, 2, false);
        }
        for (int side = 0; side < 2; ++side) {
            TPartLayer shoe;
            DrawShoe(shoe.Layer, pose, side);
            shoe.Finish(body, 0, false);
        }
    }

    TPartLayer neck;
    Raster::Capsule(neck.Layer, NeckTop + pose.Lean, NeckTop + pose.Lean + QPointF(0, 3.5), 2.0, Skin);
    neck.Finish(body, 1, false);

    TPartLayer torso;
    switch (outfit) {
    case EOutfit::Suit:
        Raster::FillPolygon(torso.Layer, TorsoOf(pose, 41), Shirt);
        break;
    case EOutfit::Dress:
        Raster::FillPolygon(torso.Layer, TorsoOf(pose, 40), Dress);
        Raster::FillPolygon(torso.Layer, SkirtOf(pose.View, 49, 4), Dress);
        break;
    case EOutfit::BlouseSkirt:
        Raster::FillPolygon(torso.Layer, SkirtOf(pose.View, 46, 3), Dress);
        Raster::FillPolygon(torso.Layer, TorsoOf(pose, 39), Shirt);
        break;
    }
    torso.Finish(body, pose.View == EView::Side ? 2 : 3, false);
    if (outfit == EOutfit::Suit) {
        // A belt between shirt and trousers.
        const int half = IsProfileLike(pose.View) ? 4 : 5;
        for (int x = 32 - half; x <= 32 + half; ++x)
            Raster::Plot(body, x, 41, Belt);
    }

    if (far >= 0) {
        arm(1 - far, false);
    } else {
        arm(0, false);
        arm(1, false);
    }
    return body;
}
