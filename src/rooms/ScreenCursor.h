#pragma once
// Sets the screen cursor back to the default arrow: every application-wide cursor is taken away.
void ResetScreenCursor();
