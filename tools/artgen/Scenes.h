#pragma once
// The pictures behind the characters: the three rooms (528 x 356, the walkable floor from y 270
// down, the upper left 361 x 177 under the conversation box), the login strip, the editor's preview
// and the highlight behind a selected character.
#include <QImage>

QImage DrawManor();
QImage DrawLivingRoom();
QImage DrawBeach();
QImage DrawLoginBackground(); // 205 x 94, feet at y 84
QImage DrawEditorBackground(); // 375 x 113, floor from y 66
// 58 x 84, transparent by its bottom-left pixel; drawn with its top-left 3 pixels right of a
// login cell, so its glow is centred on the character's feet (x 29).
QImage DrawHighlight();
