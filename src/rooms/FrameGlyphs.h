#pragma once
// The small pictures of the room's buttons, drawn in code: the exit door and the two turn arrows.
#include <QIcon>
#include <QPixmap>

// A transparent glyph-sized picture to draw a glyph on.
QPixmap EmptyGlyph();
QIcon ExitGlyph();
QIcon TurnGlyph(bool clockwise);
