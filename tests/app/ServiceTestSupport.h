#pragma once
// Small fakes of the main window and the login window for the service client's windows (splash, wizard).
#include <QStringList>

#include "AppShell.h"
#include "LoginWindow.h"

namespace ServiceTest {
// Records what the windows report to the main window.
class TFakeShell : public TAppShell {
public:
    TMxIRCConnection *Connection() override { return nullptr; }
    void ReportEmailAddress(const QString &Address) override { EmailAddresses << Address; }
    void ReportTellAFriend(const QString &Text) override { TellAFriend << Text; }
    void StopChannelListing() override {}

    QStringList EmailAddresses;
    QStringList TellAFriend;
};

// Records every call as its name.
class TFakeLoginWindow : public TLoginWindow {
public:
    void SetDirectories(const QString &, const QString &) override { Calls << "SetDirectories"; }
    void LoadCharacters() override { Calls << "LoadCharacters"; }
    TPersonaLib *PersonaLib() override { return nullptr; }
    void ShowLogin() override { Calls << "ShowLogin"; }
    void HideLogin() override { Calls << "HideLogin"; }
    void BringLoginToFront() override { Calls << "BringLoginToFront"; }

    QStringList Calls;
};
} // namespace ServiceTest
