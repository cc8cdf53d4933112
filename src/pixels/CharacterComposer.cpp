#include "CharacterComposer.h"

#include "PersonaLib.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

constexpr TPixel PixelMask = 0x00FFFFFF;
// Marks a head pixel that no layer covers; no pixel value (top byte 0) can equal it.
constexpr TPixel Uncovered = 0xFF000000;

// A multiplier that sends every key colour to a slot of its own among 64.
constexpr int SlotBits = 6;
constexpr std::uint32_t FindKeyMultiplier()
{
    for (std::uint32_t multiplier = 0x9E3779B1u;; multiplier += 2) {
        std::array<bool, 1 << SlotBits> taken{};
        bool distinct = true;
        for (const TPixel key : KeyColours) {
            const std::uint32_t slot = (key * multiplier) >> (32 - SlotBits);
            distinct = distinct && !taken[slot];
            taken[slot] = true;
        }
        if (distinct)
            return multiplier;
    }
}
constexpr std::uint32_t KeyMultiplier = FindKeyMultiplier();

// Key colour -> replacement in one probe.
class TKeyColourTable {
public:
    explicit TKeyColourTable(const TKeyReplacements &replacements)
    {
        for (std::size_t i = 0; i < KeyColours.size(); ++i)
            FSlots[SlotOf(KeyColours[i])] = {KeyColours[i], replacements[i]};
    }
    bool IsKey(TPixel pixel) const { return FSlots[SlotOf(pixel)].Key == pixel; }
    // The replacement of a key colour; any other pixel as it is.
    TPixel operator()(TPixel pixel) const
    {
        const TSlot &slot = FSlots[SlotOf(pixel)];
        return slot.Key == pixel ? slot.Replacement : pixel;
    }

private:
    struct TSlot {
        TPixel Key = Uncovered; // matches no pixel
        TPixel Replacement = 0;
    };
    static std::uint32_t SlotOf(TPixel pixel) { return (pixel * KeyMultiplier) >> (32 - SlotBits); }
    std::array<TSlot, 1 << SlotBits> FSlots{};
};

// The five head layers of one pose over each other, recoloured; Uncovered where none draws.
struct THead {
    int Width = 0;
    int Height = 0;
    std::vector<TPixel> Pixels;
    // The covered box, right and bottom exclusive.
    int Left = 0, Top = 0, Right = 0, Bottom = 0;

    THead(const std::array<const TMxSprite *, 6> &layers, int pose, const TKeyColourTable &colours)
    {
        for (std::size_t layer = 1; layer < layers.size(); ++layer) {
            const TMxBitmap &part = layers[layer]->CelBitmap(pose);
            Width = std::max(Width, part.Width());
            Height = std::max(Height, part.Height());
        }
        Pixels.assign(static_cast<std::size_t>(Width) * Height, Uncovered);
        for (std::size_t layer = 1; layer < layers.size(); ++layer) {
            const TMxBitmap &part = layers[layer]->CelBitmap(pose);
            const bool keyed = part.Transparent();
            const TPixel key = part.TransparentColor();
            for (int y = 0; y < part.Height(); ++y) {
                const TPixel *from = part.Pixels() + static_cast<std::size_t>(y) * part.Width();
                TPixel *to = Pixels.data() + static_cast<std::size_t>(y) * Width;
                for (int x = 0; x < part.Width(); ++x) {
                    const TPixel c = from[x] & PixelMask;
                    if (!keyed || c != key)
                        to[x] = c;
                }
            }
        }
        Left = Width;
        Top = Height;
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x) {
                TPixel &c = Pixels[static_cast<std::size_t>(y) * Width + x];
                if (c == Uncovered)
                    continue;
                c = colours(c);
                Left = std::min(Left, x);
                Right = std::max(Right, x + 1);
                Top = std::min(Top, y);
                Bottom = std::max(Bottom, y + 1);
            }
    }

    // Lays the covered pixels over cel with the head's origin at (dx, dy).
    void DrawTo(TMxBitmap &cel, int dx, int dy) const
    {
        const int firstX = std::max(Left, -dx), endX = std::min(Right, cel.Width() - dx);
        const int firstY = std::max(Top, -dy), endY = std::min(Bottom, cel.Height() - dy);
        for (int y = firstY; y < endY; ++y) {
            const TPixel *from = Pixels.data() + static_cast<std::size_t>(y) * Width;
            TPixel *to = cel.Pixels() + static_cast<std::size_t>(y + dy) * cel.Width() + dx;
            for (int x = firstX; x < endX; ++x)
                if (from[x] != Uncovered)
                    to[x] = from[x];
        }
    }
};

// The body cel recoloured into cel (the sprite's size), which becomes transparent with the key that
// the body's bottom-left pixel gives. Outside a smaller body cel the cel shows the background colour.
void CopyBody(const TMxBitmap &body, TPixel background, TMxBitmap &cel, const TKeyColourTable &colours)
{
    const int width = cel.Width(), height = cel.Height();
    const int overlapX = std::min(width, body.Width()), overlapY = std::min(height, body.Height());
    if (overlapX < width || overlapY < height)
        cel.Fill(colours.IsKey(background & PixelMask) ? colours(background & PixelMask) : background);
    for (int y = 0; y < overlapY; ++y) {
        const TPixel *from = body.Pixels() + static_cast<std::size_t>(y) * body.Width();
        TPixel *to = cel.Pixels() + static_cast<std::size_t>(y) * width;
        for (int x = 0; x < overlapX; ++x)
            to[x] = colours(from[x] & PixelMask);
    }
    cel.SetTransparent(true);
    if (width > 0 && height > 0)
        cel.SetTransparentColor(overlapX > 0 && height <= overlapY ? body.GetPixel(0, height - 1) : background);
}

} // namespace

std::unique_ptr<TMxSprite> ComposeCharacter(const std::array<const TMxSprite *, 6> &layers,
                                            const TKeyReplacements &replacements,
                                            const std::weak_ptr<TMxCelPool> &pool)
{
    const TMxSprite &body = *layers[0];
    const TKeyColourTable colours(replacements);
    auto sprite = std::make_unique<TMxSprite>(body.Width(), body.Height(), body.BackgroundColor(), pool);
    sprite->DefaultDelay = body.DefaultDelay;
    sprite->CurrentIndex = 0;
    std::array<std::optional<THead>, HeadPoseCount> heads;
    for (int f = 0; f < body.CelCount(); ++f) {
        const TMxCel &from = body.Cel(f);
        TMxCel &cel = sprite->AddUnfilledCel();
        cel.Disposal = from.Disposal;
        cel.Delay = from.Delay;
        CopyBody(from.Bitmap, body.BackgroundColor(), cel.Bitmap, colours);
        const TPartPlacement at = TPersonaLib::PlacementForCel(f);
        std::optional<THead> &head = heads[static_cast<std::size_t>(at.PartCel)];
        if (!head)
            head.emplace(layers, at.PartCel, colours);
        head->DrawTo(cel.Bitmap, at.Dx, at.Dy);
    }
    return sprite;
}
