#pragma once
// What the window targets share: a room frame emptied for the next input.
#include <QString>

class TframeChatFrame;

// Empties a bound frame of members, other characters, conversation text and open request boxes, puts
// its own character, named own, back at the start, standing and free, and the surface back to walking.
void EmptyChatFrame(TframeChatFrame &frame, const QString &own);
