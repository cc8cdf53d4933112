#include "ColourConversions.h"

#include <gtest/gtest.h>

#include "printers.h"

TEST(ColourConversions, swap_red_blue_and_darken)
{
    EXPECT_EQ(SwapRedBlue(0x0000FF), 0xFF0000u);
    EXPECT_EQ(SwapRedBlue(0xFF123456), 0x563412u);
    EXPECT_EQ(SwapRedBlue(SwapRedBlue(0x00ABCDEF)), 0x00ABCDEFu);
    EXPECT_EQ(SwapRedBlue(0x808080), 0x808080u);

    EXPECT_EQ(Darken(0x102030, 35), 0x00000Du);
    EXPECT_EQ(Darken(0xFFCC99, 45), (210u << 16) | (159u << 8) | 108u);
    EXPECT_EQ(Darken(0xFF102030, 0), 0x102030u);
    EXPECT_EQ(Darken(0xF0F0F0, -40), 0xFFFFFFu);
}
