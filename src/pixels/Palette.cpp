#include "Palette.h"

namespace {
TMxPalette *GSharedPalette = nullptr;

// The twenty static colours every 256-colour system palette reserves: ten at each end.
constexpr TMxPaletteEntry FirstStatic[10] = {
    {0, 0, 0, 0},       {128, 0, 0, 0},   {0, 128, 0, 0},   {128, 128, 0, 0},   {0, 0, 128, 0},
    {128, 0, 128, 0},   {0, 128, 128, 0}, {192, 192, 192, 0}, {192, 220, 192, 0}, {166, 202, 240, 0},
};
constexpr TMxPaletteEntry LastStatic[10] = {
    {255, 251, 240, 0}, {160, 160, 164, 0}, {128, 128, 128, 0}, {255, 0, 0, 0},   {0, 255, 0, 0},
    {255, 255, 0, 0},   {0, 0, 255, 0},     {255, 0, 255, 0},    {0, 255, 255, 0}, {255, 255, 255, 0},
};
} // namespace

TMxPalette::TMxPalette()
{
    for (int i = 0; i < 10; ++i) {
        FEntries[static_cast<std::size_t>(i)] = FirstStatic[i];
        FEntries[static_cast<std::size_t>(246 + i)] = LastStatic[i];
    }
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                FEntries[static_cast<std::size_t>(10 + 36 * r + 6 * g + b)] = {
                    static_cast<std::uint8_t>(51 * r), static_cast<std::uint8_t>(51 * g),
                    static_cast<std::uint8_t>(51 * b), NoCollapse};
}

TMxPalette *SharedPalette() { return GSharedPalette; }

void SetSharedPalette(TMxPalette *palette) { GSharedPalette = palette; }

bool NeedsSharedPalette(int screenDepth) { return screenDepth < 16; }
