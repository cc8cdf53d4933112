#pragma once
// The colour table of IRC text colour codes.
#include <cstdint>
#include <optional>

// The colour of IRC text colour code 0-15 in the platform's colour form 0x00BBGGRR; any other code black.
std::uint32_t IrcColour(int code);

// The colour of IRC colour number 0-98 as 0x00RRGGBB: the sixteen classic colours, then the extended
// palette 16-98. 99 means the default colour (none); any larger number is black.
std::optional<std::uint32_t> IrcPaletteRgb(int number);
