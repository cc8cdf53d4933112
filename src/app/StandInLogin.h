#pragma once
// Until the login window arrives: "showing the login" connects straight to a local IRC server
// (127.0.0.1:6667) as "Guest" and a few digits, with the default character.
#include <QPointer>
#include <QString>
#include <memory>

#include "LoginWindow.h"

class TMxIRCConnection;
class TPersonaInst;

class TStandInLogin : public TLoginWindow {
public:
    static constexpr int LocalPort = 6667;
    inline static const QString LocalHost = QStringLiteral("127.0.0.1");

    explicit TStandInLogin(TMxIRCConnection *Connection);
    ~TStandInLogin() override;

    void SetDirectories(const QString &ArtworkDir, const QString &ProfilesDir) override;
    void LoadCharacters() override;
    TPersonaLib *PersonaLib() override { return FLibrary.get(); }
    // Connects unless a connection stands; a repeated call after a failure tries a new nick.
    void ShowLogin() override;
    void HideLogin() override {}
    void BringLoginToFront() override {}

    TPersonaInst *Character() const { return FCharacter.get(); }

private:
    QPointer<TMxIRCConnection> FConnection;
    QString FArtworkDir;
    std::unique_ptr<TPersonaLib> FLibrary;
    std::unique_ptr<TPersonaInst> FCharacter;
};
