#pragma once
// What the room tests share: the part library on the generated artwork, characters made from it, a
// sound player that records, and the default appearance as it travels.
#include <QString>
#include <QStringList>
#include <memory>

#include "SoundPlayer.h"

class TPersonaInst;
class TPersonaLib;

// The build's generated artwork folder.
QString TestArtworkDir();
// One library for the whole test run (loading it takes a while).
TPersonaLib &TestLibrary();
std::unique_ptr<TPersonaInst> NewCharacter(const QString &name, const QString &appearance = QString());
// The default character's 65-character appearance text.
QString DefaultAppearance();
// A character block of the default appearance.
QString TestBlock(int x, int y, const QString &direction);

class TRecordingSoundPlayer : public TSoundPlayer {
public:
    void Beep() override { Played << QStringLiteral("[beep]"); }
    void PlayFile(const QString &fileName) override { Played << fileName; }
    QStringList Played;
};
