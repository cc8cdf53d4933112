#pragma once
// The formatting codes inside IRC text, walked in order: 0x02 bold, 0x1F underline, 0x16 reverse,
// 0x03 colour (digits, then optionally "," and more digits) and, for a walk that asks for them,
// 0x01 ... 0x01 CTCP bodies. What each code looks like is up to the caller.
#include <QString>
#include <functional>
#include <optional>

struct TIrcColourCode {
    std::optional<int> Foreground; // none when no digit followed the code
    bool HasBackground = false;    // a "," followed the foreground digits
    std::optional<int> Background; // none when no digit followed the ","
};

struct TIrcFormatHandlers {
    // A stretch of ordinary characters between two codes; never empty.
    std::function<void(const QString &Run)> Run;
    std::function<void()> Bold;
    std::function<void()> Underline;
    std::function<void()> Reverse;
    std::function<void(const TIrcColourCode &Code)> Colour;
    // A CTCP body without its framing (one without a closing 0x01 runs to the end of the text).
    // Returns false to end the walk. While unset, 0x01 is an ordinary character.
    std::function<bool(const QString &Body)> Ctcp;
};

// Colour numbers are read in full but capped here: anything past 15 means black anyway.
inline constexpr int IrcColourNumberCap = 1000;

void WalkIrcFormatting(const QString &Text, const TIrcFormatHandlers &Handlers);
