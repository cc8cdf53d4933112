// JPEG and BMP loading into a bitmap: colours, and broken or absurd files refused with a file error.
#include "Bitmap.h"
#include "ChattleError.h"
#include "GifLoader.h"
#include "LogCapture.h"
#include "TestJpegWriter.h"

#include <QFile>
#include <QImage>
#include <QtEndian>
#include <QTemporaryDir>
#include <cstdlib>
#include <limits>
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

// A 24-bit bitmap file of the given header size whose pixel rows are a red and a blue row of two.
QByteArray HandMadeBitmap(qint32 width, qint32 height)
{
    QByteArray bytes = QByteArray::fromHex("424d46000000000000003600000028000000020000000000000001001800000000001000000000"
                                           "000000000000000000000000000000");
    qToLittleEndian(width, bytes.data() + 18);
    qToLittleEndian(height, bytes.data() + 22);
    return bytes + QByteArray::fromHex("0000ff0000ff0000" "ff0000ff00000000");
}
} // namespace

TEST_F(PictureFile, jpeg_decodes_to_the_right_colours_in_either_state)
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

TEST_F(PictureFile, cmyk_and_grey_jpegs_are_converted_not_fatal)
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

TEST_F(PictureFile, broken_jpegs_raise_and_keep_the_bitmap)
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

TEST_F(PictureFile, bitmap_files_load_in_either_state_and_broken_ones_raise)
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    image.setPixel(2, 1, qRgb(200, 100, 50));
    const QString path = Dir.filePath("hilite.bmp");
    ASSERT_TRUE(image.save(path, "BMP"));
    for (bool realized : {true, false}) {
        TMxBitmap bitmap(1, 1);
        if (realized)
            bitmap.Realize();
        bitmap.LoadFromBitmapFile(path);
        EXPECT_EQ(bitmap.Width(), 3);
        EXPECT_EQ(bitmap.GetPixel(0, 0), 0x0A141Eu);
        EXPECT_EQ(bitmap.GetPixel(2, 1), 0xC86432u);
        if (realized) {
            bitmap.Unrealize(); // the memory pixels behind the section are blank, not left over
            EXPECT_EQ(bitmap.GetPixel(2, 1), 0u);
        }
    }
    TMxBitmap bitmap(3, 2);

    const QString broken = Write("broken.bmp", "BM not really");
    EXPECT_THROW(bitmap.LoadFromBitmapFile(broken), EFileError);
    EXPECT_THROW(bitmap.LoadFromBitmapFile(Dir.filePath("absent.bmp")), EFileError);
    EXPECT_EQ(bitmap.Width(), 3);
}

TEST_F(PictureFile, each_unreadable_picture_is_logged_once_with_its_path)
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

TEST_F(PictureFile, jpeg_warnings_other_than_a_truncation_show_the_picture_and_are_logged)
{
    const QByteArray whole = WriteTestJpeg(16, 16, Quadrants());
    QByteArray stray = whole;
    stray.insert(stray.size() - 2, QByteArray(8, 0x12)); // stray bytes before the end marker
    TLogCapture log;
    TMxBitmap bitmap(1, 1);
    bitmap.LoadFromJPEGFile(Write("stray.jpg", stray));
    EXPECT_EQ(bitmap.Width(), 16);
    ExpectNear(bitmap.GetPixel(12, 12), QuadrantColours[3], 24, "bottom right");
    ASSERT_EQ(log.Lines.size(), 1);
    EXPECT_TRUE(log.Lines[0].contains("stray.jpg shown despite: ")) << log.Lines[0].toStdString();
}

TEST_F(PictureFile, progressive_jpegs_load_unless_they_have_more_than_a_hundred_scans)
{
    const std::vector<std::uint8_t> grey(16 * 16, 0x60);
    TMxBitmap bitmap(1, 1);
    bitmap.LoadFromJPEGFile(Write("64-scans.jpg", WriteTestProgressiveGreyJpeg(16, 16, grey, false)));
    ExpectNear(bitmap.GetPixel(9, 9), 0x606060, 4, "64 scans");
    EXPECT_THROW(bitmap.LoadFromJPEGFile(Write("128-scans.jpg", WriteTestProgressiveGreyJpeg(16, 16, grey, true))),
                 EFileError);
    EXPECT_EQ(bitmap.Width(), 16);
}

TEST_F(PictureFile, bottom_up_and_top_down_bitmaps_load_the_same_way_up)
{
    // 2 x 2 pixels, 24 bits: the first stored row is the bottom one unless the height is negative.
    for (qint32 height : {2, -2}) {
        TMxBitmap bitmap(1, 1);
        bitmap.LoadFromBitmapFile(Write("hand.bmp", HandMadeBitmap(2, height)));
        ASSERT_EQ(bitmap.Height(), 2);
        EXPECT_EQ(bitmap.GetPixel(1, height > 0 ? 1 : 0), 0xFF0000u) << height; // the stored first row is red
        EXPECT_EQ(bitmap.GetPixel(1, height > 0 ? 0 : 1), 0x0000FFu) << height;
    }
}

TEST_F(PictureFile, absurd_and_truncated_bitmaps_are_refused_and_keep_the_bitmap)
{
    const struct {
        const char *Name;
        QByteArray File;
    } cases[] = {
        {"no width", HandMadeBitmap(0, 2)},
        {"no height", HandMadeBitmap(2, 0)},
        {"a negative width", HandMadeBitmap(-2, 2)},
        {"wider than a picture may be", HandMadeBitmap(100000, 1)},
        {"the most negative height", HandMadeBitmap(2, std::numeric_limits<qint32>::min())},
        {"cut inside the header", HandMadeBitmap(2, 2).left(30)},
        {"cut inside the pixels", HandMadeBitmap(2, 2).left(60)},
        {"cut inside the pixels of a top-down bitmap", HandMadeBitmap(2, -2).left(66)},
    };
    for (const auto &c : cases) {
        TMxBitmap bitmap(5, 4);
        bitmap.Fill(0x123456);
        EXPECT_THROW(bitmap.LoadFromBitmapFile(Write("absurd.bmp", c.File)), EFileError) << c.Name;
        EXPECT_EQ(bitmap.Width(), 5) << c.Name;
        EXPECT_EQ(bitmap.GetPixel(4, 3), 0x123456u) << c.Name;
    }
}
