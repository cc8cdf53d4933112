#pragma once
// The look that IRC formatting codes give each run of a text: the codes applied in order to one
// style, which starts plain and with the default colours. A colour number 99 or a bare 0x03 or 0x04
// goes back to the default colour; a colour code without a background keeps the background there is.
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

struct TIrcTextStyle {
    bool Bold = false;
    bool Underline = false;
    bool Italic = false;
    bool Strikethrough = false;
    bool Monospace = false;
    bool Reverse = false;
    std::optional<std::uint32_t> Foreground; // 0x00RRGGBB; none is the default text colour
    std::optional<std::uint32_t> Background; // none is no background of its own

    // The colours a run is drawn in, with reverse applied: text and background swapped.
    struct TShown {
        std::uint32_t Text;
        std::optional<std::uint32_t> Background;
    };
    TShown Shown(std::uint32_t DefaultText, std::uint32_t DefaultBackground) const;
};

using TIrcStyledRunHandler = std::function<void(const QString &Run, const TIrcTextStyle &Style)>;

// Walks the text once, handing out each run of ordinary characters with the style it is shown in.
// Ctcp is as in WalkIrcFormatting: unset, 0x01 framing is dropped with the other control characters.
void WalkIrcStyledText(const QString &Text, const TIrcStyledRunHandler &OnRun,
                       const std::function<bool(const QString &Body)> &Ctcp = {});
