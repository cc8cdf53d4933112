#pragma once
// The six room cursors, drawn in code at start-up: talk, sit, walk, shake, profile, private chat.
#include <QCursor>

// The cursor for one number of the cursor table (1..6); the arrow for any other number.
QCursor DrawChattleCursor(int number);
// Draws all six and registers them in the program-wide cursor table.
void RegisterChattleCursors();
