#include "QtSoundPlayer.h"

#include <QApplication>
#include <QSoundEffect>
#include <QUrl>

TQtSoundPlayer::TQtSoundPlayer() = default;

TQtSoundPlayer::~TQtSoundPlayer() = default;

void TQtSoundPlayer::Beep() { QApplication::beep(); }

void TQtSoundPlayer::PlayFile(const QString &fileName)
{
    // One effect plays at a time; a new sound replaces the one still playing. A file that does not
    // load leaves the effect in its error state, which makes no sound.
    if (!FEffect)
        FEffect = std::make_unique<QSoundEffect>();
    FEffect->stop();
    FEffect->setSource(QUrl::fromLocalFile(fileName));
    FEffect->play();
}
