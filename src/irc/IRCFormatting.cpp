#include "IRCFormatting.h"

#include <algorithm>

namespace {
const QChar CtcpCode(0x01);
const QChar ColourCode(0x03);
const QChar HexColourCode(0x04);
const QChar TabCharacter(0x09);
const QChar DeleteCharacter(0x7F);
constexpr qsizetype HexColourDigits = 6;

bool IsAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

bool IsControl(QChar c) { return (c.unicode() < 0x20 && c != TabCharacter) || c == DeleteCharacter; }

// Reads the digits at `at`, moving `at` past them.
std::optional<int> ReadNumber(const QString &text, qsizetype &at)
{
    std::optional<int> number;
    while (at < text.size() && IsAsciiDigit(text.at(at))) {
        number = std::min(number.value_or(0) * 10 + (text.at(at).unicode() - '0'), IrcColourNumberCap);
        ++at;
    }
    return number;
}

int HexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    return -1;
}

// Reads six hex digits at `at` as 0x00RRGGBB, moving `at` past them; none (and `at` unmoved) otherwise.
std::optional<std::uint32_t> ReadHexColour(const QString &text, qsizetype &at)
{
    if (text.size() - at < HexColourDigits)
        return std::nullopt;
    std::uint32_t value = 0;
    for (qsizetype k = 0; k < HexColourDigits; ++k) {
        const int digit = HexValue(text.at(at + k));
        if (digit < 0)
            return std::nullopt;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    at += HexColourDigits;
    return value;
}

void Raise(const std::function<void()> &handler)
{
    if (handler)
        handler();
}

const std::function<void()> *ToggleHandler(QChar c, const TIrcFormatHandlers &handlers)
{
    switch (c.unicode()) {
    case 0x02: return &handlers.Bold;
    case 0x0F: return &handlers.Reset;
    case 0x11: return &handlers.Monospace;
    case 0x16: return &handlers.Reverse;
    case 0x1D: return &handlers.Italic;
    case 0x1E: return &handlers.Strikethrough;
    case 0x1F: return &handlers.Underline;
    default: return nullptr;
    }
}
} // namespace

void WalkIrcFormatting(const QString &Text, const TIrcFormatHandlers &Handlers)
{
    qsizetype runStart = 0;
    auto endRun = [&](qsizetype at) {
        if (at > runStart && Handlers.Run)
            Handlers.Run(Text.mid(runStart, at - runStart));
    };
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const QChar c = Text.at(i);
        if (!IsControl(c))
            continue;
        endRun(i);
        if (c == CtcpCode && Handlers.Ctcp) {
            qsizetype close = Text.indexOf(CtcpCode, i + 1);
            if (close < 0)
                close = Text.size();
            if (!Handlers.Ctcp(Text.mid(i + 1, close - i - 1)))
                return;
            i = close;
        } else if (const std::function<void()> *toggle = ToggleHandler(c, Handlers)) {
            Raise(*toggle);
        } else if (c == ColourCode) {
            qsizetype at = i + 1;
            TIrcColourCode code;
            code.Foreground = ReadNumber(Text, at);
            // A "," is a background only after a foreground number; a bare code leaves it as text.
            if (code.Foreground && at < Text.size() && Text.at(at) == QLatin1Char(',')) {
                code.HasBackground = true;
                ++at;
                code.Background = ReadNumber(Text, at);
            }
            if (Handlers.Colour)
                Handlers.Colour(code);
            i = at - 1;
        } else if (c == HexColourCode) {
            qsizetype at = i + 1;
            TIrcHexColourCode code;
            code.Foreground = ReadHexColour(Text, at);
            if (code.Foreground && at < Text.size() && Text.at(at) == QLatin1Char(',')) {
                qsizetype afterComma = at + 1;
                if ((code.Background = ReadHexColour(Text, afterComma)))
                    at = afterComma;
            }
            if (Handlers.HexColour)
                Handlers.HexColour(code);
            i = at - 1;
        }
        runStart = i + 1;
    }
    endRun(Text.size());
}

QString StripIrcFormatting(const QString &Text)
{
    QString plain;
    plain.reserve(Text.size());
    TIrcFormatHandlers handlers;
    handlers.Run = [&plain](const QString &run) { plain += run; };
    handlers.Ctcp = [&plain](const QString &body) {
        plain += body;
        return true;
    };
    WalkIrcFormatting(Text, handlers);
    return plain;
}
