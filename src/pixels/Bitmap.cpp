#include "Bitmap.h"

#include "AvatarLog.h"
#include "Canvas.h"
#include "ChattleError.h"
#include "ChattleLog.h"
#include "ColourConversions.h"
#include "JpegDecoder.h"
#include "Palette.h"

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>
#include <algorithm>
#include <cstdlib>
#include <limits>

namespace {
constexpr TPixel PixelMask = 0x00FFFFFF;

std::size_t PixelCount(int width, int height)
{
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

// Whether an uncompressed bitmap file ends before the pixel rows its header promises: Qt's reader takes
// such a file and leaves the missing rows uninitialised.
bool PixelsCutShort(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false; // the reader reports it
    const QByteArray header = file.read(34);
    if (header.size() < 34 || qFromLittleEndian<quint32>(header.constData() + 14) < 40)
        return false; // the old core header is rare enough to leave to the reader
    const auto *bytes = header.constData();
    const quint32 compression = qFromLittleEndian<quint32>(bytes + 30);
    if (compression != 0 && compression != 3)
        return false;
    const qint64 width = qFromLittleEndian<qint32>(bytes + 18);
    const qint64 height = std::abs(static_cast<qint64>(qFromLittleEndian<qint32>(bytes + 22)));
    const qint64 bitsPerPixel = qFromLittleEndian<quint16>(bytes + 28);
    const qint64 rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    return file.size() < qFromLittleEndian<quint32>(bytes + 10) + rowBytes * height;
}

QImage ReadBitmapFile(const QString &path)
{
    QImageReader reader(path, "bmp");
    // A top-down bitmap states a negative height.
    const QSize size = reader.size();
    if (size.width() <= 0 || size.height() == 0 || size.height() == std::numeric_limits<int>::min())
        throw EFileError(QStringLiteral("Cannot read the bitmap %1: %2").arg(path, reader.errorString()));
    if (size.width() > TMxBitmap::MaxLoadSide || std::abs(size.height()) > TMxBitmap::MaxLoadSide)
        throw EFileError(QStringLiteral("The bitmap %1 is too large").arg(path));
    if (PixelsCutShort(path))
        throw EFileError(QStringLiteral("The bitmap %1 is cut short").arg(path));
    QImage image;
    if (!reader.read(&image))
        throw EFileError(QStringLiteral("Cannot read the bitmap %1: %2").arg(path, reader.errorString()));
    return image;
}
} // namespace

TMxBitmap::TMxBitmap(int width, int height)
    : FWidth(std::max(width, 0)), FHeight(std::max(height, 0)), FMemoryPixels(PixelCount(FWidth, FHeight), 0)
{
}

TMxBitmap::TMxBitmap(int width, int height, TMxUnfilled) : FWidth(std::max(width, 0)), FHeight(std::max(height, 0))
{
    FMemoryPixels.resize(PixelCount(FWidth, FHeight));
}

TMxBitmap::~TMxBitmap() { Unrealize(); }

void TMxBitmap::Realize()
{
    if (!FUnrealized)
        return;
    FSectionPixels.assign(PixelCount(FWidth, FHeight), 0);
    FCanvas = std::make_unique<TMxCanvas>(FSectionPixels.data(), FWidth, FHeight);
    FUnrealized = false;
}

void TMxBitmap::Unrealize()
{
    if (FUnrealized)
        return;
    FCanvas.reset();
    FSectionPixels.clear();
    FSectionPixels.shrink_to_fit();
    FUnrealized = true;
}

void TMxBitmap::SetSize(int width, int height)
{
    SetSize(width, height, TMxUnfilled{});
    if (FUnrealized) // a realized bitmap's section and the memory behind it are 0 already
        std::fill(FMemoryPixels.begin(), FMemoryPixels.end(), 0);
}

void TMxBitmap::SetSize(int width, int height, TMxUnfilled)
{
    const bool wasRealized = !FUnrealized;
    Unrealize();
    FWidth = std::max(width, 0);
    FHeight = std::max(height, 0);
    FMemoryPixels.clear();
    FMemoryPixels.resize(PixelCount(FWidth, FHeight));
    if (wasRealized) {
        // The caller writes the section; the memory pixels behind it are 0, as after Realize.
        std::fill(FMemoryPixels.begin(), FMemoryPixels.end(), 0);
        Realize();
    }
}

TPixel *TMxBitmap::ActivePixels() { return FUnrealized ? FMemoryPixels.data() : FSectionPixels.data(); }

const TPixel *TMxBitmap::ActivePixels() const
{
    return FUnrealized ? FMemoryPixels.data() : FSectionPixels.data();
}

TPixel TMxBitmap::GetPixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return FTransparentColor;
    return ActivePixels()[static_cast<std::size_t>(y) * FWidth + x] & PixelMask;
}

void TMxBitmap::SetPixel(int x, int y, TPixel c)
{
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return;
    ActivePixels()[static_cast<std::size_t>(y) * FWidth + x] = c;
}

void TMxBitmap::Fill(TPixel c) { std::fill_n(ActivePixels(), PixelCount(FWidth, FHeight), c); }

void TMxBitmap::MakeTransparent()
{
    FTransparent = true;
    FTransparentColor = GetPixel(0, FHeight - 1);
}

void TMxBitmap::DrawTo(TMxBitmap &destination, int x, int y) const { CopyTo(destination, x, y, FTransparent); }

void TMxBitmap::DrawOpaqueTo(TMxBitmap &destination, int x, int y) const { CopyTo(destination, x, y, false); }

void TMxBitmap::CopyTo(TMxBitmap &destination, int x, int y, bool useKey) const
{
    // Only the overlap of the source with the destination is visited; everything else would be dropped.
    const int firstX = std::max(0, -x);
    const int lastX = std::min(FWidth, destination.FWidth - x); // exclusive
    const int firstY = std::max(0, -y);
    const int lastY = std::min(FHeight, destination.FHeight - y);
    if (firstX >= lastX || firstY >= lastY)
        return;
    const TPixel *source = ActivePixels();
    TPixel *target = destination.ActivePixels();
    const TPixel key = FTransparentColor;
    for (int sy = firstY; sy < lastY; ++sy) {
        const TPixel *from = source + static_cast<std::size_t>(sy) * FWidth;
        TPixel *to = target + static_cast<std::size_t>(sy + y) * destination.FWidth + x;
        for (int sx = firstX; sx < lastX; ++sx) {
            const TPixel c = from[sx] & PixelMask;
            if (!useKey || c != key)
                to[sx] = c;
        }
    }
}

void TMxBitmap::DrawRectTo(TMxBitmap &destination, const TMxRect &rect) const
{
    const int right = std::min(rect.Right, destination.FWidth - 1);
    const int bottom = std::min(rect.Bottom, destination.FHeight - 1);
    // Writes left of or above the destination would be dropped, so the loops start at 0.
    const int left = std::max(rect.Left, 0);
    const int top = std::max(rect.Top, 0);
    const TPixel *source = ActivePixels();
    TPixel *target = destination.ActivePixels();
    for (int y = top; y <= bottom; ++y) {
        TPixel *to = target + static_cast<std::size_t>(y) * destination.FWidth;
        // Columns inside this bitmap are read directly; the rest read the key, as GetPixel would.
        const int lastInside = y < FHeight ? std::min(right, FWidth - 1) : left - 1;
        const TPixel *from = source + static_cast<std::size_t>(y) * FWidth;
        for (int x = left; x <= lastInside; ++x) {
            const TPixel c = from[x] & PixelMask;
            if (!FTransparent || c != FTransparentColor)
                to[x] = c;
        }
        const int firstOutside = std::max(left, lastInside + 1);
        if (!FTransparent && firstOutside <= right)
            std::fill(to + firstOutside, to + right + 1, FTransparentColor);
    }
}

void TMxBitmap::Draw(QPainter &target)
{
    Realize();
    // The shared palette has nothing to do under Qt; it is consulted only where the display needs it.
    if (FCanvas->Image().isNull())
        return;
    target.drawImage(0, 0, FCanvas->Image());
}

void TMxBitmap::DrawRect(QPainter &target, const TMxRect &rect)
{
    Realize();
    if (FCanvas->Image().isNull())
        return;
    const QRect area(rect.Left, rect.Top, rect.Right - rect.Left + 1, rect.Bottom - rect.Top + 1);
    if (area.isValid())
        target.drawImage(area.topLeft(), FCanvas->Image(), area);
    target.drawImage(0, 0, FCanvas->Image());
}

void TMxBitmap::TakePixels(int width, int height, const std::vector<TPixel> &pixels)
{
    SetSize(width, height);
    std::copy(pixels.begin(), pixels.end(), ActivePixels());
}

QByteArray TMxBitmap::ReadPictureFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()));
    if (file.size() > MaxLoadFileBytes)
        throw EFileError(QStringLiteral("The picture file %1 is too large").arg(path));
    return file.readAll();
}

void TMxBitmap::LoadFromJPEGFile(const QString &path)
{
    const TDecodedPicture picture = LoggingAbandoned(lcAvatar, UnreadablePicture(path),
                                                     [&] { return DecodeJpeg(ReadPictureFile(path), MaxLoadSide); });
    if (!picture.Warning.isEmpty())
        LogWarning(lcAvatar, QStringLiteral("Picture %1 shown despite: %2").arg(path, picture.Warning));
    TakePixels(picture.Width, picture.Height, picture.Pixels);
}

void TMxBitmap::LoadFromBitmapFile(const QString &path)
{
    QImage image = LoggingAbandoned(lcAvatar, UnreadablePicture(path), [&] { return ReadBitmapFile(path); });
    image.convertTo(QImage::Format_RGB32);
    // Straight into the bitmap's own memory: a room picture may be 4096 pixels square (64 MB).
    SetSize(image.width(), image.height(), TMxUnfilled{});
    TPixel *pixels = ActivePixels();
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const TPixel *>(image.constScanLine(y));
        std::transform(row, row + image.width(), pixels + static_cast<std::ptrdiff_t>(y) * image.width(),
                       [](TPixel c) { return c & PixelMask; });
    }
}

void TMxBitmap::CopyIndexedPixels(int x, int y, const TMxColorMap &colourMap, const std::uint8_t *indices,
                                  int lastRow, int lastColumn)
{
    TMxColorMap pixels;
    std::transform(colourMap.begin(), colourMap.end(), pixels.begin(), SwapRedBlue);
    const int columns = lastColumn + 1;
    // Only the part that falls inside the bitmap is visited.
    const int firstColumn = std::max(0, -x);
    const int endColumn = std::min(columns, FWidth - x);
    const int firstRow = std::max(0, -y);
    const int endRow = std::min(lastRow + 1, FHeight - y);
    // An empty overlap (a bitmap without width, say) has no pixel memory to point into.
    if (firstColumn >= endColumn || firstRow >= endRow)
        return;
    TPixel *target = ActivePixels();
    for (int row = firstRow; row < endRow; ++row) {
        const std::uint8_t *from = indices + static_cast<std::size_t>(row) * columns;
        TPixel *to = target + static_cast<std::size_t>(y + row) * FWidth + x;
        for (int column = firstColumn; column < endColumn; ++column)
            to[column] = pixels[from[column]];
    }
}
