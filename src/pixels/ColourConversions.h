#pragma once
// Conversions between the platform's colour form 0x00BBGGRR and Qt's 0x00RRGGBB, and darkening.
#include <cstdint>

// Exchanges the lowest and the third byte and drops the top byte: 0x00BBGGRR <-> 0x00RRGGBB.
std::uint32_t SwapRedBlue(std::uint32_t c);

// Each of red, green and blue reduced by n and kept within 0..255; the top byte is dropped.
std::uint32_t Darken(std::uint32_t c, int n);
