#pragma once
// The program-wide cursors: the table of the custom cursors 1 to 6 and the application-wide override.
// The application registers the pictures at start-up; until a number is registered, looking it up
// gives the arrow cursor.
#include <QCursor>

enum TChattleCursor {
    crTalk = 1,
    crSit = 2,
    crWalk = 3,
    crShake = 4,
    crProfile = 5,
    crPrivateChat = 6,
};

// Stores the cursor under number 1..6; other numbers are ignored.
void RegisterCursor(int number, const QCursor &cursor);
// The registered cursor, or the arrow cursor for a number nobody registered.
QCursor LookupCursor(int number);
// Forgets every registration (the arrow cursor again everywhere).
void ClearCursors();

// Sets the screen cursor back to the default arrow: every application-wide cursor is taken away.
void ResetScreenCursor();
