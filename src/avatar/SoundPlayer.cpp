#include "SoundPlayer.h"

void PlaySoundSetting(const QString &setting, TSoundPlayer &player)
{
    try {
        if (setting == QLatin1String("[Default]"))
            player.Beep();
        else if (setting != QLatin1String("[None]"))
            player.PlayFile(setting);
    } catch (...) {
        // A sound that fails stays silent.
    }
}
