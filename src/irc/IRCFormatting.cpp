#include "IRCFormatting.h"

#include <algorithm>

namespace {
const QChar CtcpCode(0x01);
const QChar BoldCode(0x02);
const QChar ColourCode(0x03);
const QChar ReverseCode(0x16);
const QChar UnderlineCode(0x1F);

bool IsAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

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

void Raise(const std::function<void()> &handler)
{
    if (handler)
        handler();
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
        if (c == CtcpCode && Handlers.Ctcp) {
            endRun(i);
            qsizetype close = Text.indexOf(CtcpCode, i + 1);
            if (close < 0)
                close = Text.size();
            if (!Handlers.Ctcp(Text.mid(i + 1, close - i - 1)))
                return;
            i = close;
        } else if (c == BoldCode || c == UnderlineCode || c == ReverseCode) {
            endRun(i);
            Raise(c == BoldCode ? Handlers.Bold : c == UnderlineCode ? Handlers.Underline : Handlers.Reverse);
        } else if (c == ColourCode) {
            endRun(i);
            qsizetype at = i + 1;
            TIrcColourCode code;
            code.Foreground = ReadNumber(Text, at);
            if (at < Text.size() && Text.at(at) == QLatin1Char(',')) {
                code.HasBackground = true;
                ++at;
                code.Background = ReadNumber(Text, at);
            }
            if (Handlers.Colour)
                Handlers.Colour(code);
            i = at - 1;
        } else {
            continue;
        }
        runStart = i + 1;
    }
    endRun(Text.size());
}
