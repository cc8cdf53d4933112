#pragma once
// The headless body of a character: a small rig of hips, knees, feet, shoulders, elbows and hands,
// drawn part by part (each part outlined on its own) in flat key colours. Poses are described for a
// body that faces the viewer, the viewer's left, or away; the right-facing poses are their mirrors.
#include <QImage>
#include <QPointF>

enum class EView { Front, ThreeFront, Side, ThreeBack, Back };
enum class EOutfit { Suit, Dress, BlouseSkirt };

// A = the limb on the viewer's left, B = the one on the viewer's right.
struct TBodyPose {
    EView View = EView::Front;
    QPointF Lean;               // where the neck top moved (the head layers move with it)
    double TorsoFollow = 1.0;   // how much of the lean the shoulders follow (the neck reaches the rest)
    QPointF Foot[2];            // bottom centre of each shoe
    double Knee[2] = {0, 0};    // how far a knee bends forwards (a raised leg)
    QPointF Hand[2];
    QPointF Elbow[2];           // only used where ElbowSet is true
    bool ElbowSet[2] = {false, false};
};

// The standing pose of a view (feet at (32, 54), neck top at (32, 24)).
TBodyPose StandingPose(EView view);
// The direction a body of this view walks to, one pixel of stride long, in the unmirrored drawing.
QPointF ForwardOf(EView view);
// The body drawn as a 64 x 64 layer (transparent where there is no body), unmirrored.
QImage DrawBody(const TBodyPose &pose, EOutfit outfit);
