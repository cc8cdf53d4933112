#include "StandInLogin.h"

#include <QRandomGenerator>

#include "MxIRCConnection.h"
#include "PersonaInst.h"
#include "PersonaLib.h"

TStandInLogin::TStandInLogin(TMxIRCConnection *Connection) : FConnection(Connection) {}

TStandInLogin::~TStandInLogin()
{
    if (FConnection && FConnection->SelectedCharacter == FCharacter.get())
        FConnection->SelectedCharacter = nullptr;
}

void TStandInLogin::SetDirectories(const QString &ArtworkDir, const QString &) { FArtworkDir = ArtworkDir; }

void TStandInLogin::LoadCharacters()
{
    FCharacter.reset();
    FLibrary = std::make_unique<TPersonaLib>(FArtworkDir);
    FCharacter = std::make_unique<TPersonaInst>(FLibrary.get());
}

void TStandInLogin::ShowLogin()
{
    if (!FConnection || FConnection->IsConnected())
        return;
    const QString nick = QStringLiteral("Guest") + QString::number(QRandomGenerator::global()->bounded(1000, 10000));
    if (FCharacter)
        FCharacter->Name = nick;
    FConnection->SelectedCharacter = FCharacter.get();
    FConnection->Connect(nick, QString(), LocalHost, LocalPort);
}
