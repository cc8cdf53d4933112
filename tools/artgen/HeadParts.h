#pragma once
// The head layers: faces, hair, facial hair, accessories and hats. Each is drawn for the eight
// directions (cel k faces direction k: S, SW, W, NW, N, NE, E, SE) around one fixed head box, the
// head from y 8 to y 24 centred on x 32, so every layer fits every other one.
#include <QImage>

constexpr int FaceVariants = 4;       // two for each body group
constexpr int HairVariants = 9;       // six short styles, then three long ones
constexpr int FacialHairVariants = 4; // none, moustache, beard; none
constexpr int AccessoryVariants = 3;  // none, earrings, glasses
constexpr int HatVariants = 3;        // none, a small bow, a top hat

QImage DrawFace(int variant, int direction);
QImage DrawHair(int variant, int direction);
QImage DrawFacialHair(int variant, int direction);
QImage DrawAccessory(int variant, int direction);
QImage DrawHat(int variant, int direction);
