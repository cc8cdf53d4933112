#pragma once
// What the main window tests share: a login window that records what it is asked, and a main
// window on a fake socket with its settings in a temporary folder and its boxes answered by script.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "FakeSocket.h"
#include "LoginWindow.h"
#include "ScriptedDialogs.h"

class TPersonaInst;
class TfrmChattle;

class TRecordingLogin : public TLoginWindow {
public:
    void SetDirectories(const QString &, const QString &) override { Calls << "dirs"; }
    void LoadCharacters() override { Calls << "load"; }
    TPersonaLib *PersonaLib() override { return nullptr; }
    void ShowLogin() override { Calls << "show"; }
    void HideLogin() override { Calls << "hide"; }
    void BringLoginToFront() override { Calls << "front"; }
    QStringList Calls;
};

// Points the per-user settings at a fresh temporary folder while it lives.
class TTemporarySettings {
public:
    TTemporarySettings();
    ~TTemporarySettings();

private:
    QTemporaryDir FDir;
};

class TMainWindowRig {
public:
    TMainWindowRig();
    ~TMainWindowRig();

    // Shows the window (its first activation) and forgets what the login window was asked so far.
    void Activate();
    // Connects as alice with a character on the fake socket, and forgets the registration lines and
    // what the login window was asked.
    void ConnectAsAlice();
    // One server line, dispatched as the line pump would.
    void Feed(const QString &Line);

    TTemporarySettings Settings;
    TScriptedDialogs Boxes;
    TRecordingLogin Login;
    // Accepts the service client's connection and forgets its greeting.
    void ConnectService();

    TFakeSocket *Socket;
    TFakeSocket *ServiceSocket;
    std::unique_ptr<TPersonaInst> Character;
    std::unique_ptr<TfrmChattle> Window;
};

// For the screenshot programs: the output folder named on the command line (or "."), made, with the
// program's icon set for the window captions.
QString PrepareScreenshots(int argc, char **argv);
