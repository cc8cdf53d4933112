#pragma once
// TSoundPlayer: what PlaySoundSetting needs from a sound player. Tests install a recording one.
#include <QString>

class TSoundPlayer {
public:
    virtual ~TSoundPlayer() = default;
    // The system's default beep.
    virtual void Beep() = 0;
    // Starts playing a WAV file asynchronously.
    virtual void PlayFile(const QString &fileName) = 0;
};

// "[Default]" beeps, "[None]" plays nothing, anything else is a sound file name given to the player.
// Never reports an error.
void PlaySoundSetting(const QString &setting, TSoundPlayer &player);
