#pragma once
// The formatting codes inside IRC text, walked in order: 0x02 bold, 0x1F underline, 0x1D italic,
// 0x1E strikethrough, 0x11 monospace, 0x16 reverse, 0x0F reset, 0x03 colour (digits, then optionally
// "," and more digits), 0x04 hex colour (six hex digits, then optionally "," and six more) and, for a
// walk that asks for them, 0x01 ... 0x01 CTCP bodies. Every other control character is dropped, so
// none reaches a run. What each code looks like is up to the caller.
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

struct TIrcColourCode {
    std::optional<int> Foreground; // none when no digit followed the code
    bool HasBackground = false;    // a "," followed the foreground digits
    std::optional<int> Background; // none when no digit followed the ","
};

struct TIrcHexColourCode {
    std::optional<std::uint32_t> Foreground; // 0x00RRGGBB; none when six hex digits did not follow
    std::optional<std::uint32_t> Background; // none without "," and six more hex digits
};

struct TIrcFormatHandlers {
    // A stretch of ordinary characters between two codes; never empty.
    std::function<void(const QString &Run)> Run;
    std::function<void()> Bold;
    std::function<void()> Underline;
    std::function<void()> Reverse;
    std::function<void()> Italic;
    std::function<void()> Strikethrough;
    std::function<void()> Monospace;
    std::function<void()> Reset;
    std::function<void(const TIrcColourCode &Code)> Colour;
    std::function<void(const TIrcHexColourCode &Code)> HexColour;
    // A CTCP body without its framing (one without a closing 0x01 runs to the end of the text).
    // Returns false to end the walk. While unset, 0x01 is dropped like any other control character.
    std::function<bool(const QString &Body)> Ctcp;
};

// Colour numbers are read in full but capped here: anything past 99 means black anyway.
inline constexpr int IrcColourNumberCap = 1000;

// One pass over the text, linear in its length.
void WalkIrcFormatting(const QString &Text, const TIrcFormatHandlers &Handlers);

// The text without any formatting code or control character (CTCP bodies stay, unframed).
QString StripIrcFormatting(const QString &Text);
