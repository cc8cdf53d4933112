// Writes the picture seeds of the fuzz corpus: small GIF, JPEG and BMP files of every kind the loaders
// meet (animated, interlaced, local colour tables; RGB, grey and CMYK; 1-, 4-, 8-, 24- and 32-bit).
// Usage: fuzz_seeds <corpus dir>
#include "TestGifWriter.h"
#include "TestJpegWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <cstdio>

namespace {
void Save(const QDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(file.fileName()));
}

std::vector<std::uint32_t> Gradient(int width, int height)
{
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels.push_back(std::uint32_t(x * 255 / width) << 16 | std::uint32_t(y * 255 / height) << 8 | 0x40);
    return pixels;
}

void WriteGifSeeds(const QDir &dir)
{
    TTestGif gif;
    gif.Width = 6;
    gif.Height = 5;
    gif.GlobalColours = {qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
    gif.Frames.push_back(SolidFrame(0, 0, 6, 5, 0));
    TTestGifFrame second = SolidFrame(1, 1, 3, 2, 1);
    second.DelayCentiseconds = 7;
    second.Disposal = 2;
    gif.Frames.push_back(second);
    TTestGifFrame third = SolidFrame(2, 0, 4, 5, 2);
    third.Interlace = true;
    third.HasControl = false;
    third.LocalColours = {qRgb(0, 0, 0), qRgb(9, 9, 9)};
    gif.Frames.push_back(third);
    Save(dir, QStringLiteral("animated.gif"), WriteTestGif(gif));

    TTestGif single;
    single.Width = 3;
    single.Height = 3;
    single.Frames.push_back(SolidFrame(0, 0, 3, 3, 1));
    single.Frames.back().LocalColours = {qRgb(1, 2, 3), qRgb(4, 5, 6)};
    Save(dir, QStringLiteral("local_table.gif"), WriteTestGif(single));
    Save(dir, QStringLiteral("hand_made.gif"), HandMadeGif(2, 2, 1, 1));
}

void WriteJpegSeeds(const QDir &dir)
{
    Save(dir, QStringLiteral("rgb.jpg"), WriteTestJpeg(8, 8, Gradient(8, 8), 75));
    Save(dir, QStringLiteral("odd_size.jpg"), WriteTestJpeg(17, 3, Gradient(17, 3), 30));
    Save(dir, QStringLiteral("grey.jpg"), WriteTestGreyJpeg(4, 4, std::vector<std::uint8_t>(16, 0x80)));
    std::vector<std::uint8_t> cmyk;
    for (int i = 0; i < 16; ++i)
        cmyk.insert(cmyk.end(), {std::uint8_t(i * 16), 0x20, 0x40, 0x10});
    Save(dir, QStringLiteral("cmyk.jpg"), WriteTestCmykJpeg(4, 4, cmyk));
}

void WriteBmpSeeds(const QDir &dir)
{
    QImage rgb(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x)
            rgb.setPixel(x, y, qRgb(x * 50, y * 80, 7));
    rgb.save(dir.filePath(QStringLiteral("rgb24.bmp")), "BMP");
    rgb.convertToFormat(QImage::Format_ARGB32).save(dir.filePath(QStringLiteral("argb32.bmp")), "BMP");
    rgb.convertToFormat(QImage::Format_Indexed8).save(dir.filePath(QStringLiteral("indexed8.bmp")), "BMP");
    rgb.convertToFormat(QImage::Format_Mono).save(dir.filePath(QStringLiteral("mono.bmp")), "BMP");
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds <corpus dir>\n");
        return 2;
    }
    const QDir corpus(QString::fromLocal8Bit(argv[1]));
    for (const char *target : {"fuzz_gif", "fuzz_jpeg", "fuzz_bmp"})
        corpus.mkpath(QLatin1String(target));
    WriteGifSeeds(QDir(corpus.filePath(QStringLiteral("fuzz_gif"))));
    WriteJpegSeeds(QDir(corpus.filePath(QStringLiteral("fuzz_jpeg"))));
    WriteBmpSeeds(QDir(corpus.filePath(QStringLiteral("fuzz_bmp"))));
    return 0;
}
