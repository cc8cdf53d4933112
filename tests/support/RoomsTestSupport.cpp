#include "RoomsTestSupport.h"

#include "AvatarProtocol.h"
#include "PersonaInst.h"
#include "PersonaLib.h"

QString TestArtworkDir() { return QStringLiteral(CHATTLE_ARTWORK_DIR); }

TPersonaLib &TestLibrary()
{
    static TPersonaLib library(TestArtworkDir());
    return library;
}

std::unique_ptr<TPersonaInst> NewCharacter(const QString &name, const QString &appearance)
{
    auto character = std::make_unique<TPersonaInst>(&TestLibrary(), appearance);
    character->Name = name;
    return character;
}

QString DefaultAppearance() { return NewCharacter(QString())->GetAppearance(); }

QString TestBlock(int x, int y, const QString &direction) { return CharacterBlock(DefaultAppearance(), x, y, direction); }
