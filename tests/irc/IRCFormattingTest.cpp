// The formatting walk: what is left of a text once its codes are read, and one run per toggle.
#include <gtest/gtest.h>

#include "IRCFormatting.h"
#include "IRCTextStyle.h"
#include "printers.h"

TEST(IRCFormattingTest, codes_and_control_characters_never_reach_the_text)
{
    const struct {
        const char *What;
        QString Text;
        QString Plain;
    } cases[] = {
        {"toggles and reset", QString("\x02" "b\x1D" "i\x1E" "s\x11" "m\x16" "r\x1F" "u\x0F" "."), "bismru."},
        {"colour digits all read, a bare code keeps its comma", QString("\x03" "12,01x\x03" "12345y\x03,z"), "xy,z"},
        {"hex colour with and without background", QString("\x04" "FF8800a\x04" "112233,445566b"), "ab"},
        {"short hex is no colour, its text stays", QString("\x04" "12345g,\x04" "ABCDEF,12"), "12345g,,12"},
        {"other controls dropped, tab kept", QString("a\x07" "b\x7F" "c\td"), "abc\td"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(StripIrcFormatting(c.Text), c.Plain) << c.What;
}

TEST(IRCFormattingTest, every_toggle_ends_a_run_in_one_pass)
{
    QString text;
    for (int i = 0; i < 2000; ++i)
        text += QChar(0x02) + QString("w");
    int runs = 0, bold = 0;
    WalkIrcStyledText(text, [&](const QString &run, const TIrcTextStyle &style) {
        ++runs;
        bold += style.Bold && run == "w";
    });
    EXPECT_EQ(runs, 2000);
    EXPECT_EQ(bold, 1000);
}
