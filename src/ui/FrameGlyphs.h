#pragma once
// The small pictures of the room's buttons, drawn in code: the exit door and the two turn arrows.
#include <QIcon>

QIcon ExitGlyph();
QIcon TurnGlyph(bool clockwise);
