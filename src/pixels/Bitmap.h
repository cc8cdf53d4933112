#pragma once
// TMxBitmap: the one pixel container of the avatar code. Pixels are 0x00RRGGBB, row-major, top row
// first, no padding. While unrealized the bitmap uses its own memory block; once realized it switches
// to a second, zero-filled block (the section) that a canvas wraps for text and rectangles. Neither
// switch copies pixels. All composition is done by the per-pixel operations below.
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

class QPainter;
class TMxCanvas;

using TPixel = std::uint32_t;

// A rectangle whose Right and Bottom are inclusive.
struct TMxRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// 256 colours in the platform's colour form 0x00BBGGRR (red in the low byte), indexed by a GIF pixel.
using TMxColorMap = std::array<std::uint32_t, 256>;

// Asks for a bitmap whose pixels are left as they come from the allocator: for a caller that writes
// every pixel next.
struct TMxUnfilled {};

// Leaves new elements default-initialised (for pixels: not written) instead of zeroing them.
template <typename T>
struct TMxDefaultInitAllocator : std::allocator<T> {
    template <typename U>
    struct rebind {
        using other = TMxDefaultInitAllocator<U>;
    };
    template <typename U>
    void construct(U *at) noexcept
    {
        ::new (static_cast<void *>(at)) U;
    }
    template <typename U, typename... Args>
    void construct(U *at, Args &&...args)
    {
        ::new (static_cast<void *>(at)) U(std::forward<Args>(args)...);
    }
};

class TMxBitmap {
public:
    // All pixels 0, unrealized, not transparent. A negative size counts as 0.
    TMxBitmap(int width, int height);
    // Unrealized, not transparent, pixels unwritten.
    TMxBitmap(int width, int height, TMxUnfilled);
    ~TMxBitmap();
    TMxBitmap(const TMxBitmap &) = delete;
    TMxBitmap &operator=(const TMxBitmap &) = delete;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // The active pixel rows, Width() pixels each, top row first, for loops that visit every pixel.
    TPixel *Pixels() { return ActivePixels(); }
    const TPixel *Pixels() const { return ActivePixels(); }

    // Switches to a fresh all-zero section with a canvas; no effect when already realized.
    void Realize();
    // Drops the section and its canvas; the memory pixels (as they were before Realize) are active again.
    void Unrealize();
    bool Unrealized() const { return FUnrealized; }
    // The drawing surface of the section; nullptr while unrealized.
    TMxCanvas *Canvas() const { return FCanvas.get(); }

    // New size, all pixels 0; keeps the realized state.
    void SetSize(int width, int height);
    // New size, the active pixels left for the caller to write every one of them.
    void SetSize(int width, int height, TMxUnfilled);

    // Outside the bitmap: TransparentColor. The top byte is always masked off.
    TPixel GetPixel(int x, int y) const;
    // Outside the bitmap: nothing is written.
    void SetPixel(int x, int y, TPixel c);
    void Fill(TPixel c);

    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool transparent) { FTransparent = transparent; }
    TPixel TransparentColor() const { return FTransparentColor; }
    void SetTransparentColor(TPixel c) { FTransparentColor = c & 0x00FFFFFF; }
    // Transparent := true; the bottom-left pixel becomes the key.
    void MakeTransparent();

    // Copies the whole bitmap with its top-left corner at (x, y); key-coloured pixels are skipped while
    // Transparent; pixels outside the destination are dropped.
    void DrawTo(TMxBitmap &destination, int x, int y) const;
    // As DrawTo, but every pixel is copied whatever the transparency.
    void DrawOpaqueTo(TMxBitmap &destination, int x, int y) const;
    // Copies rect to the same coordinates of destination; Right/Bottom are first limited to the
    // destination's last column/row. Reads outside this bitmap give TransparentColor.
    void DrawRectTo(TMxBitmap &destination, const TMxRect &rect) const;

    // Realizes, then copies the whole bitmap to (0, 0) of the target (a widget's painter).
    void Draw(QPainter &target);
    // Realizes, copies rect to the same place of the target, then the whole bitmap to (0, 0).
    void DrawRect(QPainter &target, const TMxRect &rect);

    // Decodes a JPEG file (CMYK is converted). Throws EFileError for a missing, malformed, truncated
    // or oversized file; the bitmap then keeps its size and pixels.
    void LoadFromJPEGFile(const QString &path);
    // The same for a Windows BMP file.
    void LoadFromBitmapFile(const QString &path);

    // Writes (lastRow + 1) rows of (lastColumn + 1) palette indices with the top-left corner at (x, y),
    // each looked up in colourMap and converted to the pixel form. Pixels outside the bitmap are skipped.
    void CopyIndexedPixels(int x, int y, const TMxColorMap &colourMap, const std::uint8_t *indices,
                           int lastRow, int lastColumn);

    // Largest width or height that the loaders accept (JPEG, BMP, GIF): 4096.
    static constexpr int MaxLoadSide = 4096;
    // Largest picture file the loaders read: 128 MiB.
    static constexpr qint64 MaxLoadFileBytes = 128LL * 1024 * 1024;
    // The whole file, or EFileError when it is missing, unreadable or larger than MaxLoadFileBytes.
    static QByteArray ReadPictureFile(const QString &path);

private:
    TPixel *ActivePixels();
    const TPixel *ActivePixels() const;
    void CopyTo(TMxBitmap &destination, int x, int y, bool useKey) const;
    // Replaces the size and content by a decoded picture (0x00RRGGBB rows).
    void TakePixels(int width, int height, const std::vector<TPixel> &pixels);

    int FWidth = 0;
    int FHeight = 0;
    std::vector<TPixel, TMxDefaultInitAllocator<TPixel>> FMemoryPixels;
    std::vector<TPixel> FSectionPixels;
    bool FTransparent = false;
    bool FUnrealized = true;
    TPixel FTransparentColor = 0;
    std::unique_ptr<TMxCanvas> FCanvas;
};
