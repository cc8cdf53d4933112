#include "BodyFrames.h"

#include "Raster.h"

#include <cmath>
#include <numbers>

namespace {

// Length of the walk cycle of each direction.
constexpr int WalkLength[8] = {4, 7, 7, 7, 4, 7, 7, 7};

// Frame i of an n-frame walk: frame 0 stands, the others run through one full stride in which the
// leg moving forwards is lifted and each arm swings against the leg on its side.
TBodyPose WalkPose(EView view, int i, int n)
{
    TBodyPose pose = StandingPose(view);
    if (i == 0)
        return pose;
    const double stride = (view == EView::Front || view == EView::Back) ? 4.5 : 5.0;
    const double angle = 2 * std::numbers::pi * i / n;
    const QPointF forward = ForwardOf(view);
    const double swing[2] = {std::sin(angle), -std::sin(angle)};
    const double speed[2] = {std::cos(angle), -std::cos(angle)};
    for (int side = 0; side < 2; ++side) {
        pose.Foot[side] += forward * stride * swing[side];
        const double lift = speed[side] > 0.2 ? 2.6 * speed[side] : 0.0;
        pose.Foot[side].ry() -= std::round(lift);
        pose.Knee[side] = 1.5 * lift;
        const double armSwing = view == EView::Side ? 0.9 : 0.45;
        pose.Hand[side] -= forward * stride * armSwing * swing[side];
        if (view == EView::Front || view == EView::Back)
            pose.Hand[side].ry() -= 1.2 * std::abs(swing[side]) * (swing[side] < 0 ? 1 : -0.5);
    }
    return pose;
}

void SetArm(TBodyPose &pose, int side, QPointF elbow, QPointF hand)
{
    pose.Elbow[side] = elbow;
    pose.ElbowSet[side] = true;
    pose.Hand[side] = hand;
}

// The interaction poses are drawn for the person on the right, who faces the partner on the left;
// the person on the left is the mirror image.
std::vector<TBodyPose> HandshakePoses()
{
    std::vector<TBodyPose> poses(3, StandingPose(EView::Side));
    for (auto &pose : poses)
        pose.Foot[0] = {29, 54};
    SetArm(poses[0], 0, {25, 35}, {17, 37});
    SetArm(poses[1], 0, {24, 33}, {15, 35});
    SetArm(poses[2], 0, {24, 35}, {15, 39});
    return poses;
}

std::vector<TBodyPose> KissPoses()
{
    const QPointF leans[9] = {{0, 0}, {-5, 0}, {-10, 2}, {-10, 2}, {-10, 2}, {-10, 2}, {-10, 2}, {-5, 0}, {0, 0}};
    std::vector<TBodyPose> poses;
    for (int i = 0; i < 9; ++i) {
        TBodyPose pose = StandingPose(EView::Side);
        pose.Lean = leans[i];
        if (i > 0 && i < 8) {
            // The hands go behind the back while leaning in.
            SetArm(pose, 0, QPointF(33, 34) + pose.Lean * 0.5, QPointF(37, 38) + pose.Lean * 0.2);
            SetArm(pose, 1, QPointF(34, 34) + pose.Lean * 0.5, QPointF(38, 37) + pose.Lean * 0.2);
        }
        if (i >= 3 && i <= 5) {
            // The back foot comes up.
            pose.Foot[1] = {38, 51};
            pose.Knee[1] = -2;
        }
        poses.push_back(pose);
    }
    return poses;
}

// Huggers stand so close that their heads pass each other, cheek by cheek: the chests lean in only
// half as far as the heads, and the arms reach around the partner's back.
std::vector<TBodyPose> HugPoses()
{
    std::vector<TBodyPose> poses(6, StandingPose(EView::Side));
    for (auto &pose : poses)
        pose.TorsoFollow = 0.5;
    poses[0].Foot[0] = {30, 54};
    SetArm(poses[0], 0, {26, 31}, {21, 28});
    SetArm(poses[0], 1, {27, 30}, {22, 26});
    poses[1].Lean = {-5, 0};
    poses[1].Foot[0] = {29, 54};
    SetArm(poses[1], 0, {24, 33}, {19, 32});
    SetArm(poses[1], 1, {25, 32}, {20, 30});
    for (int i = 2; i <= 3; ++i) {
        poses[i].Lean = {-10, 2};
        poses[i].Foot[0] = {28, 54};
        poses[i].Foot[1] = {35, 54};
        SetArm(poses[i], 0, {23, 35}, {i == 2 ? 17.0 : 18.0, 34});
        SetArm(poses[i], 1, {24, 33}, {i == 2 ? 18.0 : 19.0, 31});
    }
    poses[4].Lean = {-5, 0};
    poses[4].Foot[0] = {29, 54};
    SetArm(poses[4], 0, {26, 34}, {22, 38});
    SetArm(poses[4], 1, {27, 34}, {23, 37});
    return poses;
}

std::vector<TBodyPose> HighFivePoses()
{
    std::vector<TBodyPose> poses(7, StandingPose(EView::ThreeFront));
    const QPointF elbows[5] = {{24, 34}, {22, 31}, {21, 27}, {20, 23}, {19, 21}};
    const QPointF hands[5] = {{21, 35}, {18, 29}, {17, 23}, {16, 18}, {15, 14}};
    for (int i = 1; i <= 5; ++i) {
        SetArm(poses[i], 0, elbows[i - 1], hands[i - 1]);
        poses[i].Foot[0] = {29, 54};
    }
    // The held slap: the body stretches onto the toes of the near foot.
    poses[5].Foot[1] = {36, 53};
    return poses;
}

std::vector<TBodyPose> WavePoses()
{
    std::vector<TBodyPose> poses(3, StandingPose(EView::Front));
    SetArm(poses[0], 1, {44, 31}, {46, 25});
    SetArm(poses[1], 1, {45, 27}, {45, 18});
    SetArm(poses[2], 1, {45, 27}, {49, 19});
    return poses;
}

} // namespace

EView ViewOfDirection(int direction)
{
    constexpr EView views[8] = {EView::Front,     EView::ThreeFront, EView::Side, EView::ThreeBack,
                                EView::Back,      EView::ThreeBack,  EView::Side, EView::ThreeFront};
    return views[direction & 7];
}

bool IsMirroredDirection(int direction) { return direction >= 5; }

std::vector<QImage> DrawBodyCels(EOutfit outfit)
{
    std::vector<QImage> cels;
    for (int direction = 0; direction < 8; ++direction)
        for (int i = 0; i < WalkLength[direction]; ++i) {
            const QImage body = DrawBody(WalkPose(ViewOfDirection(direction), i, WalkLength[direction]), outfit);
            cels.push_back(IsMirroredDirection(direction) ? Raster::MirrorFrame(body) : body);
        }
    for (const TBodyPose &pose : WavePoses())
        cels.push_back(DrawBody(pose, outfit));
    // Each paired animation: the right person's cels and the left person's (mirrored) cels, in the
    // order the cel table lists them.
    auto right = [&](const std::vector<TBodyPose> &poses) {
        for (const TBodyPose &pose : poses)
            cels.push_back(DrawBody(pose, outfit));
    };
    auto left = [&](const std::vector<TBodyPose> &poses) {
        for (const TBodyPose &pose : poses)
            cels.push_back(Raster::MirrorFrame(DrawBody(pose, outfit)));
    };
    right(HandshakePoses()); // 53-55
    left(HandshakePoses());  // 56-58
    left(KissPoses());       // 59-67
    right(KissPoses());      // 68-76
    left(HugPoses());        // 77-82
    right(HugPoses());       // 83-88
    left(HighFivePoses());   // 89-95
    right(HighFivePoses());  // 96-102
    return cels;
}
