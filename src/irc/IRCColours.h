#pragma once
// The colour table of IRC text colour codes.
#include <cstdint>

// The colour of IRC text colour code 0-15 in the platform's colour form 0x00BBGGRR; any other code black.
std::uint32_t IrcColour(int code);
