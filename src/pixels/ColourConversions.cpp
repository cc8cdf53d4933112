#include "ColourConversions.h"

#include <algorithm>

std::uint32_t SwapRedBlue(std::uint32_t c)
{
    return (c & 0xFF) * 0x10000 + (c & 0xFF00) + ((c & 0xFF0000) >> 16);
}

std::uint32_t Darken(std::uint32_t c, int n)
{
    auto channel = [n](std::uint32_t value) {
        return static_cast<std::uint32_t>(std::clamp(static_cast<int>(value & 0xFF) - n, 0, 255));
    };
    return (channel(c >> 16) << 16) | (channel(c >> 8) << 8) | channel(c);
}
