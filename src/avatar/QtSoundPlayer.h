#pragma once
// TQtSoundPlayer: the program's sound player, QSoundEffect for WAV files and QApplication::beep().
// A sound that cannot be loaded or played stays silent.
#include "SoundPlayer.h"

#include <memory>

class QSoundEffect;

class TQtSoundPlayer : public TSoundPlayer {
public:
    TQtSoundPlayer();
    ~TQtSoundPlayer() override;
    void Beep() override;
    void PlayFile(const QString &fileName) override;

private:
    std::unique_ptr<QSoundEffect> FEffect;
};
