// The small shared functions.
#include "QtSoundPlayer.h"
#include "Utils.h"

#include <QStringList>
#include <gtest/gtest.h>

#include "printers.h"

TEST(Utils, ZeroPadKeepsTheLastWidthCharacters)
{
    EXPECT_EQ(ZeroPad(123, 4), "0123");
    EXPECT_EQ(ZeroPad(0, 4), "0000");
    EXPECT_EQ(ZeroPad(-5, 4), "00-5");
    EXPECT_EQ(ZeroPad(-1234, 4), "1234");
    EXPECT_EQ(ZeroPad(123456, 4), "3456");
    EXPECT_EQ(ZeroPad(7, 8), "00000007");
    EXPECT_EQ(ZeroPad(7, 10), "000000007");
    EXPECT_EQ(ZeroPad(7, 0), "");
    EXPECT_EQ(ZeroPad(7, -1), "");
}

TEST(Utils, ColourConversions)
{
    EXPECT_EQ(IrcColour(0), 0xFFFFFFu);
    EXPECT_EQ(IrcColour(2), 0xFF0000u); // blue in the platform's colour form
    EXPECT_EQ(IrcColour(4), 0x0000FFu); // red
    EXPECT_EQ(IrcColour(7), 0x0080FFu);
    EXPECT_EQ(IrcColour(12), IrcColour(2));
    EXPECT_EQ(IrcColour(15), 0xC0C0C0u);
    EXPECT_EQ(IrcColour(16), 0u);
    EXPECT_EQ(IrcColour(-1), 0u);

    EXPECT_EQ(SwapRedBlue(0x0000FF), 0xFF0000u);
    EXPECT_EQ(SwapRedBlue(0xFF123456), 0x563412u);
    EXPECT_EQ(SwapRedBlue(SwapRedBlue(0x00ABCDEF)), 0x00ABCDEFu);
    EXPECT_EQ(SwapRedBlue(0x808080), 0x808080u);

    EXPECT_EQ(Darken(0x102030, 35), 0x00000Du);
    EXPECT_EQ(Darken(0xFFCC99, 45), (210u << 16) | (159u << 8) | 108u);
    EXPECT_EQ(Darken(0xFF102030, 0), 0x102030u);
    EXPECT_EQ(Darken(0xF0F0F0, -40), 0xFFFFFFu);
}

TEST(Utils, ScramblingShiftsByPositionAndRoundTrips)
{
    EXPECT_EQ(ScrambleText("aaaa"), QByteArray("bcab"));
    EXPECT_EQ(ScrambleText(QByteArray("\xff\xff", 2)), QByteArray("\x00\x01", 2));
    for (const QByteArray &text : {QByteArray(), QByteArray("secret"), QString("pässwörd ☃").toUtf8(),
                                   QByteArray("\x00\xfe\xff\x01", 4)})
        EXPECT_EQ(UnscrambleText(ScrambleText(text)), text);
}

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

TEST(Utils, PlaySoundSettingChoosesBeepNothingOrFileAndStaysSilentOnFailure)
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
