#pragma once
// How the program is put together, shared by the entry and the journey test so both run the same
// application: the program-wide names and icon, and the windows around the main window.
class TfrmChattle;
class TfrmLogin;

// Names the program, gives it its icon and lets only the main window end it. Needs the QApplication.
void PrepareApplication();
// Gives the main window its login window (which runs the character editor), its new-channel dialog
// and its splash; they belong to the main window. Returns the login window.
TfrmLogin *ComposeWindows(TfrmChattle &Window);
