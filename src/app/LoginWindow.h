#pragma once
// What the main window and the splash need of the login window. TfrmLogin implements it.
#include <QString>

class TPersonaLib;

class TLoginWindow {
public:
    virtual ~TLoginWindow() = default;

    // Where the artwork and the saved characters are; set before LoadCharacters.
    virtual void SetDirectories(const QString &ArtworkDir, const QString &ProfilesDir) = 0;
    // Creates the part library and lists the saved characters: the long step behind the splash.
    virtual void LoadCharacters() = 0;
    // The part library LoadCharacters made; null before it ran.
    virtual TPersonaLib *PersonaLib() = 0;
    virtual void ShowLogin() = 0;
    virtual void HideLogin() = 0;
    virtual void BringLoginToFront() = 0;
};
