#pragma once
// TMxPalette: the 256-colour palette for displays of fewer than 16 bits per pixel. Under Qt it only
// keeps its data; Draw and DrawRect consult the shared one and need nothing from it.
#include <array>
#include <cstdint>

struct TMxPaletteEntry {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    std::uint8_t Flags = 0;
};

class TMxPalette {
public:
    static constexpr std::uint16_t PaletteVersion = 0x300;
    static constexpr std::uint8_t NoCollapse = 4;

    // Entries 0-9 and 246-255: the twenty static system colours; 10-225: the 6x6x6 cube
    // (entry 10 + 36r + 6g + b = (51r, 51g, 51b), no-collapse flag); 226-245: black.
    TMxPalette();

    std::uint16_t Version() const { return PaletteVersion; }
    int EntryCount() const { return static_cast<int>(FEntries.size()); }
    const TMxPaletteEntry &Entry(int index) const { return FEntries.at(static_cast<std::size_t>(index)); }

private:
    std::array<TMxPaletteEntry, 256> FEntries;
};

// The program-wide palette: set once at start-up when the screen depth (bits per pixel times planes)
// is below 16, otherwise it stays nullptr. Not owned here.
TMxPalette *SharedPalette();
void SetSharedPalette(TMxPalette *palette);
// True when a display of this depth needs the shared palette.
bool NeedsSharedPalette(int screenDepth);
