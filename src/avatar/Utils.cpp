#include "Utils.h"

#include <algorithm>
#include <array>

QString ZeroPad(int value, int width)
{
    if (width < 1)
        return QString();
    return (QStringLiteral("00000000") + QString::number(value)).right(width);
}

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

namespace {
QByteArray ShiftBytes(const QByteArray &text, int direction)
{
    QByteArray result = text;
    for (qsizetype i = 0; i < result.size(); ++i) {
        const int shift = static_cast<int>((i + 1) % 3) * direction;
        result[i] = static_cast<char>((static_cast<unsigned char>(result[i]) + shift) & 0xFF);
    }
    return result;
}
} // namespace

QByteArray ScrambleText(const QByteArray &text) { return ShiftBytes(text, 1); }

QByteArray UnscrambleText(const QByteArray &text) { return ShiftBytes(text, -1); }

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
