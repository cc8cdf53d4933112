#include "QtSoundPlayer.h"
#include "SoundPlayer.h"

#include <QStringList>
#include <gtest/gtest.h>

#include "printers.h"

namespace {
class TRecordingPlayer : public TSoundPlayer {
public:
    void Beep() override { Calls << "beep"; }
    void PlayFile(const QString &fileName) override
    {
        Calls << "play " + fileName;
        if (Fail)
            throw std::runtime_error("no sound device");
    }
    QStringList Calls;
    bool Fail = false;
};
} // namespace

TEST(SoundPlayer, play_sound_setting_chooses_beep_nothing_or_file_and_stays_silent_on_failure)
{
    TRecordingPlayer player;
    PlaySoundSetting("[Default]", player);
    PlaySoundSetting("[None]", player);
    PlaySoundSetting("/art/join.wav", player);
    EXPECT_EQ(player.Calls, (QStringList{"beep", "play /art/join.wav"}));
    player.Fail = true;
    EXPECT_NO_THROW(PlaySoundSetting("/art/broken.wav", player));

    TQtSoundPlayer real;
    EXPECT_NO_THROW(PlaySoundSetting("/nonexistent/sound.wav", real));
    EXPECT_NO_THROW(PlaySoundSetting("", real));
}
