// JPEG and BMP loading into a bitmap: colours, and broken or absurd files refused with a file error.
#include "Bitmap.h"
#include "ChattleError.h"
#include "GifLoader.h"
#include "LogCapture.h"
#include "TestJpegWriter.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {
class PictureFile : public ::testing::Test {
protected:
    QString Write(const QString &name, const QByteArray &bytes)
    {
        const QString path = Dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            ADD_FAILURE() << "cannot write " << path.toStdString();
        file.write(bytes);
        return path;
    }

    // Within JPEG's error of the expected colour, channel by channel.
    static void ExpectNear(TPixel actual, TPixel expected, int tolerance, const char *where)
    {
        for (int shift : {16, 8, 0})
            EXPECT_NEAR(int((actual >> shift) & 0xFF), int((expected >> shift) & 0xFF), tolerance)
                << where << std::hex << " got " << actual << " wanted " << expected;
    }

    QTemporaryDir Dir;
};

// Four 8x8 blocks so that each block is one JPEG unit of a flat colour.
const std::vector<TPixel> QuadrantColours = {0xFF0000, 0x00C000, 0x0000FF, 0xFFFF00};

std::vector<TPixel> Quadrants()
{
    std::vector<TPixel> pixels(16 * 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            pixels[static_cast<std::size_t>(y * 16 + x)] = QuadrantColours[static_cast<std::size_t>((y / 8) * 2 + x / 8)];
    return pixels;
}
} // namespace

TEST_F(PictureFile, JpegDecodesToTheRightColoursInEitherState)
{
    const QString path = Write("room.jpg", WriteTestJpeg(16, 16, Quadrants()));
    for (bool realized : {false, true}) {
        TMxBitmap bitmap(3, 3);
        if (realized)
            bitmap.Realize();
        bitmap.LoadFromJPEGFile(path);
        EXPECT_EQ(bitmap.Width(), 16);
        EXPECT_EQ(bitmap.Height(), 16);
        EXPECT_EQ(bitmap.Unrealized(), !realized);
        ExpectNear(bitmap.GetPixel(3, 3), QuadrantColours[0], 24, "top left");
        ExpectNear(bitmap.GetPixel(12, 3), QuadrantColours[1], 24, "top right");
        ExpectNear(bitmap.GetPixel(3, 12), QuadrantColours[2], 24, "bottom left");
        ExpectNear(bitmap.GetPixel(12, 12), QuadrantColours[3], 24, "bottom right");
    }
}

TEST_F(PictureFile, CmykAndGreyJpegsAreConvertedNotFatal)
{
    TMxBitmap grey(1, 1);
    grey.LoadFromJPEGFile(Write("grey.jpg", WriteTestGreyJpeg(8, 8, std::vector<std::uint8_t>(64, 0x80))));
    ExpectNear(grey.GetPixel(3, 3), 0x808080, 4, "grey");

    // Adobe's files store inverted inks (255 = no ink): all 255 is white paper, and a full magenta
    // ink (stored 0) over no other ink is magenta.
    std::vector<std::uint8_t> cmyk;
    for (int i = 0; i < 64; ++i)
        cmyk.insert(cmyk.end(), {255, 255, 255, 255});
    for (int i = 0; i < 64; ++i)
        cmyk.insert(cmyk.end(), {255, 0, 255, 255});
    const QString path = Write("cmyk.jpg", WriteTestCmykJpeg(8, 16, cmyk));
    TMxBitmap bitmap(1, 1);
    bitmap.LoadFromJPEGFile(path);
    ASSERT_EQ(bitmap.Width(), 8);
    ExpectNear(bitmap.GetPixel(4, 3), 0xFFFFFF, 24, "paper");
    ExpectNear(bitmap.GetPixel(4, 12), 0xFF00FF, 24, "magenta");
}

TEST_F(PictureFile, BrokenJpegsRaiseAndKeepTheBitmap)
{
    const QByteArray whole = WriteTestJpeg(16, 16, Quadrants());
    QByteArray huge = whole;
    const qsizetype frame = huge.indexOf(QByteArray::fromHex("ffc0")); // baseline frame header
    ASSERT_GT(frame, 0);
    huge[frame + 5] = huge[frame + 6] = huge[frame + 7] = huge[frame + 8] = char(0xFF); // 65535 x 65535

    const QString cases[] = {Write("truncated.jpg", whole.left(whole.size() * 2 / 3)),
                             Write("header-only.jpg", whole.left(200)), Write("huge.jpg", huge),
                             Write("empty.jpg", QByteArray()), Write("text.jpg", "hello"),
                             Dir.filePath("absent.jpg")};
    for (const QString &path : cases) {
        TMxBitmap bitmap(5, 4);
        bitmap.Fill(0x123456);
        EXPECT_THROW(bitmap.LoadFromJPEGFile(path), EFileError) << path.toStdString();
        EXPECT_EQ(bitmap.Width(), 5);
        EXPECT_EQ(bitmap.Height(), 4);
        EXPECT_EQ(bitmap.GetPixel(4, 3), 0x123456u);
    }
}

TEST_F(PictureFile, BitmapFilesLoadAndBrokenOnesRaise)
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    image.setPixel(2, 1, qRgb(200, 100, 50));
    const QString path = Dir.filePath("hilite.bmp");
    ASSERT_TRUE(image.save(path, "BMP"));
    TMxBitmap bitmap(1, 1);
    bitmap.LoadFromBitmapFile(path);
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.GetPixel(0, 0), 0x0A141Eu);
    EXPECT_EQ(bitmap.GetPixel(2, 1), 0xC86432u);

    const QString broken = Write("broken.bmp", "BM not really");
    EXPECT_THROW(bitmap.LoadFromBitmapFile(broken), EFileError);
    EXPECT_THROW(bitmap.LoadFromBitmapFile(Dir.filePath("absent.bmp")), EFileError);
    EXPECT_EQ(bitmap.Width(), 3);
}

TEST_F(PictureFile, EachUnreadablePictureIsLoggedOnceWithItsPath)
{
    TLogCapture log;
    TMxBitmap bitmap(1, 1);
    const QString jpeg = Write("a.jpg", "not a picture"), bmp = Write("a.bmp", "BM"), gif = Write("a.gif", "GIF");
    EXPECT_THROW(bitmap.LoadFromJPEGFile(jpeg), EFileError);
    EXPECT_THROW(bitmap.LoadFromBitmapFile(bmp), EFileError);
    EXPECT_THROW(LoadSpriteFromGIF(gif), EFileError);
    for (const QString &path : {jpeg, bmp, gif})
        EXPECT_EQ(log.Lines.filter("chattle.avatar: Unreadable picture " + path + ": ").size(), 1) << path.toStdString();
    EXPECT_EQ(log.Lines.size(), 3);
}
