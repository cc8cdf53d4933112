#pragma once
// A sprite is an ordered list of equally sized cels, each a bitmap with colour-key transparency.
#include "Bitmap.h"

#include <cstddef>
#include <memory>
#include <vector>

class TMxCel {
public:
    TMxCel(int width, int height) : Bitmap(width, height) {}
    TMxCel(int width, int height, TMxUnfilled unfilled) : Bitmap(width, height, unfilled) {}
    TMxBitmap Bitmap;
    int Disposal = 2; // the GIF disposal method while loading; 0 once the frame is loaded
    int Delay = 0;    // milliseconds
};

// Cels of freed sprites kept for the next sprite of their size, so that a room where characters come
// and go does not fault fresh pages in for every newcomer. Keeps at most Capacity cels.
class TMxCelPool {
public:
    explicit TMxCelPool(std::size_t capacity) : FCapacity(capacity) {}
    // A kept cel of this size (pixels as they were, not transparent, unrealized), or a new unfilled one.
    std::unique_ptr<TMxCel> Take(int width, int height);
    // Keeps what fits; realized cels are not kept.
    void Give(std::vector<std::unique_ptr<TMxCel>> &cels);
    std::size_t Kept() const { return FCels.size(); }

private:
    std::size_t FCapacity;
    std::vector<std::unique_ptr<TMxCel>> FCels;
};

class TMxSprite {
public:
    // An empty sprite: CurrentIndex -1, DefaultDelay 200.
    TMxSprite(int width, int height, TPixel backgroundColor);
    // The same, taking its cels from pool and handing them back to it when freed (while the pool lives).
    TMxSprite(int width, int height, TPixel backgroundColor, std::weak_ptr<TMxCelPool> pool);
    ~TMxSprite();
    TMxSprite(const TMxSprite &) = delete;
    TMxSprite &operator=(const TMxSprite &) = delete;
    // A deep copy: every pixel of every source cel (key colour included) on a new bitmap made
    // transparent by its own bottom-left pixel; CurrentIndex 0. The source is left untouched.
    static std::unique_ptr<TMxSprite> CreateCopy(const TMxSprite &source);

    // Appends a cel filled with BackgroundColor, Disposal 2, Delay = DefaultDelay.
    TMxCel &AddCel();
    // As AddCel, but the pixels are left unwritten: the caller writes every one.
    TMxCel &AddUnfilledCel();
    int CelCount() const { return static_cast<int>(FCels.size()); }
    // index must lie in 0 .. CelCount() - 1.
    TMxCel &Cel(int index) { return *FCels[static_cast<std::size_t>(index)]; }
    const TMxCel &Cel(int index) const { return *FCels[static_cast<std::size_t>(index)]; }
    TMxBitmap &CelBitmap(int index) { return Cel(index).Bitmap; }
    const TMxBitmap &CelBitmap(int index) const { return Cel(index).Bitmap; }

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    TPixel BackgroundColor() const { return FBackgroundColor; }

    int CurrentIndex = -1; // the selected variant of a part catalogue
    int DefaultDelay = 200;

private:
    std::vector<std::unique_ptr<TMxCel>> FCels;
    TPixel FBackgroundColor = 0;
    int FWidth = 0;
    int FHeight = 0;
    std::weak_ptr<TMxCelPool> FPool;
};
