#include "IRCTextStyle.h"

#include "IRCColours.h"
#include "IRCFormatting.h"

TIrcTextStyle::TShown TIrcTextStyle::Shown(std::uint32_t DefaultText, std::uint32_t DefaultBackground) const
{
    if (Reverse)
        return {Background.value_or(DefaultBackground), Foreground.value_or(DefaultText)};
    return {Foreground.value_or(DefaultText), Background};
}

void WalkIrcStyledText(const QString &Text, const TIrcStyledRunHandler &OnRun,
                       const std::function<bool(const QString &Body)> &Ctcp)
{
    TIrcTextStyle style;
    TIrcFormatHandlers handlers;
    handlers.Run = [&](const QString &run) {
        if (OnRun)
            OnRun(run, style);
    };
    handlers.Bold = [&] { style.Bold = !style.Bold; };
    handlers.Underline = [&] { style.Underline = !style.Underline; };
    handlers.Italic = [&] { style.Italic = !style.Italic; };
    handlers.Strikethrough = [&] { style.Strikethrough = !style.Strikethrough; };
    handlers.Monospace = [&] { style.Monospace = !style.Monospace; };
    handlers.Reverse = [&] { style.Reverse = !style.Reverse; };
    handlers.Reset = [&] { style = TIrcTextStyle(); };
    handlers.Colour = [&](const TIrcColourCode &code) {
        if (!code.Foreground) {
            style.Foreground.reset();
            style.Background.reset();
            return;
        }
        style.Foreground = IrcPaletteRgb(*code.Foreground);
        if (code.Background)
            style.Background = IrcPaletteRgb(*code.Background);
    };
    handlers.HexColour = [&](const TIrcHexColourCode &code) {
        style.Foreground = code.Foreground;
        if (code.Background || !code.Foreground)
            style.Background = code.Background;
    };
    handlers.Ctcp = Ctcp;
    WalkIrcFormatting(Text, handlers);
}
