#include "IRCColours.h"

#include <array>

std::uint32_t IrcColour(int code)
{
    static constexpr std::array<std::uint32_t, 16> Colours = {
        0xFFFFFF, 0x000000, 0xFF0000, 0x008000, 0x0000FF, 0x000080, 0x800080, 0x0080FF,
        0x00FFFF, 0x00FF00, 0x808000, 0xFFFF00, 0xFF0000, 0xFF00FF, 0x808080, 0xC0C0C0,
    };
    if (code < 0 || code >= static_cast<int>(Colours.size()))
        return 0;
    return Colours[static_cast<std::size_t>(code)];
}
