#pragma once
// The 103 cels of a body variant (the part library's frame table places the head layers on them).
#include "Figure.h"

#include <QImage>
#include <QPoint>
#include <vector>

constexpr int BodyCels = 103;
constexpr int HeadCels = 8;

// Every cel of one body variant as transparent 64 x 64 layers.
std::vector<QImage> DrawBodyCels(EOutfit outfit);

// Direction d (0 S, 1 SW ... 7 SE): the view drawn and whether it is mirrored.
EView ViewOfDirection(int direction);
bool IsMirroredDirection(int direction);
