// The GIF loader on GIFs written by the test itself: accumulation, disposal, delays, and broken files.
#include "ChattleError.h"
#include "GifLoader.h"
#include "TestGifWriter.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
constexpr TPixel White = 0xFFFFFF, Red = 0xFF0000, Green = 0x00FF00, Blue = 0x0000FF;
const std::vector<QRgb> Colours = {qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255)};
enum : std::uint8_t { W, R, G, B };

// Rows of a cel as pixels, top row first.
std::vector<std::vector<TPixel>> Rows(const TMxBitmap &bitmap)
{
    std::vector<std::vector<TPixel>> rows(static_cast<std::size_t>(bitmap.Height()));
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            rows[static_cast<std::size_t>(y)].push_back(bitmap.GetPixel(x, y));
    return rows;
}

TTestGifFrame WithControl(TTestGifFrame frame, int delayCentiseconds, int disposal)
{
    frame.DelayCentiseconds = delayCentiseconds;
    frame.Disposal = disposal;
    return frame;
}

TTestGifFrame WithoutControl(TTestGifFrame frame)
{
    frame.HasControl = false;
    return frame;
}

std::unique_ptr<TMxSprite> Load(const TTestGif &gif) { return LoadSpriteFromGIFData(WriteTestGif(gif)); }
} // namespace

TEST(GifLoader, partial_frames_accumulate_unless_disposal_two_clears)
{
    TTestGif gif{4, 3, Colours, W, {}};
    gif.Frames.push_back(WithControl(SolidFrame(0, 0, 4, 3, R), 5, 1));
    gif.Frames.push_back(WithControl(SolidFrame(1, 1, 2, 1, G), 7, 1)); // over the red picture
    gif.Frames.push_back(WithControl(SolidFrame(3, 0, 1, 1, B), 3, 2)); // clears to the background first
    const auto sprite = Load(gif);

    ASSERT_EQ(sprite->CelCount(), 3);
    EXPECT_EQ(sprite->Width(), 4);
    EXPECT_EQ(sprite->Height(), 3);
    EXPECT_EQ(sprite->BackgroundColor(), White);
    using Picture = std::vector<std::vector<TPixel>>;
    EXPECT_EQ(Rows(sprite->CelBitmap(0)), (Picture{{Red, Red, Red, Red}, {Red, Red, Red, Red}, {Red, Red, Red, Red}}));
    EXPECT_EQ(Rows(sprite->CelBitmap(1)),
              (Picture{{Red, Red, Red, Red}, {Red, Green, Green, Red}, {Red, Red, Red, Red}}));
    EXPECT_EQ(Rows(sprite->CelBitmap(2)),
              (Picture{{White, White, White, Blue}, {White, White, White, White}, {White, White, White, White}}));
    EXPECT_EQ(sprite->Cel(0).Delay, 50);
    EXPECT_EQ(sprite->Cel(1).Delay, 70);
    EXPECT_EQ(sprite->Cel(2).Delay, 30);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sprite->Cel(i).Disposal, 0);
        EXPECT_TRUE(sprite->CelBitmap(i).Transparent());
    }
    // Each cel's key is its own bottom-left pixel.
    EXPECT_EQ(sprite->CelBitmap(1).TransparentColor(), Red);
    EXPECT_EQ(sprite->CelBitmap(2).TransparentColor(), White);
    EXPECT_EQ(sprite->DefaultDelay, 30);
    EXPECT_EQ(sprite->CurrentIndex, -1);
}

TEST(GifLoader, missing_control_and_zero_delays_take_the_last_non_zero_delay)
{
    TTestGif gif{3, 2, Colours, W, {}};
    gif.Frames.push_back(WithoutControl(SolidFrame(0, 0, 3, 2, R)));   // nothing before: 100 ms
    gif.Frames.push_back(WithControl(SolidFrame(0, 0, 3, 2, G), 0, 1)); // zero delay: still 100 ms
    gif.Frames.push_back(WithControl(SolidFrame(0, 0, 1, 1, B), 25, 1));
    gif.Frames.push_back(WithControl(SolidFrame(0, 0, 1, 1, R), 0, 1));   // 250 ms from the frame before
    gif.Frames.push_back(WithoutControl(SolidFrame(1, 1, 1, 1, B)));      // clears the picture first
    const auto sprite = Load(gif);

    ASSERT_EQ(sprite->CelCount(), 5);
    std::vector<int> delays;
    for (int i = 0; i < sprite->CelCount(); ++i)
        delays.push_back(sprite->Cel(i).Delay);
    EXPECT_EQ(delays, (std::vector<int>{100, 100, 250, 250, 250}));
    EXPECT_EQ(sprite->DefaultDelay, 250);
    using Picture = std::vector<std::vector<TPixel>>;
    EXPECT_EQ(Rows(sprite->CelBitmap(2)), (Picture{{Blue, Green, Green}, {Green, Green, Green}}));
    EXPECT_EQ(Rows(sprite->CelBitmap(4)), (Picture{{White, White, White}, {White, Blue, White}}));
}

TEST(GifLoader, zero_sized_images_are_skipped_with_their_controls)
{
    TTestGif empty{2, 2, Colours, R, {}};
    empty.Frames.push_back(WithControl(SolidFrame(0, 0, 0, 0, W), 9, 1));
    empty.Frames.push_back(WithControl(SolidFrame(0, 0, 2, 0, W), 9, 1));
    const auto none = Load(empty);
    EXPECT_EQ(none->CelCount(), 0);
    EXPECT_EQ(none->DefaultDelay, 50);
    EXPECT_EQ(none->BackgroundColor(), Red);

    TTestGif mixed{2, 2, Colours, W, {}};
    mixed.Frames.push_back(WithControl(SolidFrame(0, 0, 2, 2, R), 0, 1));
    mixed.Frames.push_back(WithControl(SolidFrame(0, 0, 0, 2, G), 40, 2)); // its delay must not count
    mixed.Frames.push_back(WithControl(SolidFrame(0, 0, 1, 1, B), 0, 1));
    const auto sprite = Load(mixed);
    ASSERT_EQ(sprite->CelCount(), 2);
    EXPECT_EQ(sprite->Cel(1).Delay, 100);
    EXPECT_EQ(sprite->CelBitmap(1).GetPixel(1, 1), Red); // no disposal-2 clear from the skipped image
    EXPECT_EQ(sprite->CelBitmap(1).GetPixel(0, 0), Blue);
}

TEST(GifLoader, image_covering_the_screen_is_placed_at_the_origin_and_larger_ones_are_clipped)
{
    TTestGif gif{3, 3, Colours, W, {}};
    gif.Frames.push_back(WithControl(SolidFrame(5, 5, 4, 3, R), 1, 1)); // at least screen-sized: drawn at (0, 0)
    gif.Frames.push_back(WithControl(SolidFrame(2, 1, 2, 3, B), 1, 1)); // reaches past the right and bottom
    const auto sprite = Load(gif);
    ASSERT_EQ(sprite->CelCount(), 2);
    using Picture = std::vector<std::vector<TPixel>>;
    EXPECT_EQ(Rows(sprite->CelBitmap(0)), (Picture(3, {Red, Red, Red})));
    EXPECT_EQ(Rows(sprite->CelBitmap(1)), (Picture{{Red, Red, Red}, {Red, Red, Blue}, {Red, Red, Blue}}));
}

TEST(GifLoader, interlaced_rows_are_reordered)
{
    TTestGif gif{2, 11, Colours, W, {}};
    TTestGifFrame frame = SolidFrame(0, 0, 2, 11, W);
    frame.Interlace = true;
    for (int row = 0; row < 11; ++row)
        for (int x = 0; x < 2; ++x)
            frame.Indices[static_cast<std::size_t>(row * 2 + x)] = static_cast<std::uint8_t>((row + x) % 4);
    gif.Frames.push_back(frame);
    const auto sprite = Load(gif);
    ASSERT_EQ(sprite->CelCount(), 1);
    const TPixel byIndex[4] = {White, Red, Green, Blue};
    for (int row = 0; row < 11; ++row)
        for (int x = 0; x < 2; ++x)
            EXPECT_EQ(sprite->CelBitmap(0).GetPixel(x, row), byIndex[(row + x) % 4]) << "row " << row;
}

TEST(GifLoader, colour_table_gaps_never_read_out_of_bounds)
{
    // Only a local table: it is used.
    TTestGif localOnly{2, 1, {}, 0, {}};
    TTestGifFrame frame = WithControl(SolidFrame(0, 0, 2, 1, 1), 1, 1);
    frame.LocalColours = {qRgb(0, 0, 0), qRgb(10, 20, 30)};
    localOnly.Frames.push_back(frame);
    const auto fromLocal = Load(localOnly);
    EXPECT_EQ(fromLocal->CelBitmap(0).GetPixel(1, 0), 0x0A141Eu);
    EXPECT_EQ(fromLocal->BackgroundColor(), 0u); // no global table: colour 0

    // Indices past a four-entry global table: the background colour (green here).
    TTestGif pastTable{4, 1, Colours, G, {}};
    TTestGifFrame wide = WithControl(SolidFrame(0, 0, 4, 1, 0), 1, 1);
    wide.Indices = {1, 4, 9, 15};
    wide.LocalColours.assign(16, qRgb(1, 2, 3)); // makes the encoder keep four-bit indices
    pastTable.Frames.push_back(wide);
    const auto clipped = Load(pastTable);
    EXPECT_EQ(Rows(clipped->CelBitmap(0)), (std::vector<std::vector<TPixel>>{{Red, Green, Green, Green}}));

    // A background index past the table gives colour 0.
    TTestGif badBackground{1, 1, Colours, 200, {}};
    badBackground.Frames.push_back(WithControl(SolidFrame(0, 0, 1, 1, 9), 1, 2));
    badBackground.Frames.back().LocalColours.assign(16, qRgb(1, 2, 3));
    const auto black = Load(badBackground);
    EXPECT_EQ(black->BackgroundColor(), 0u);
    EXPECT_EQ(black->CelBitmap(0).GetPixel(0, 0), 0u);
}

TEST(GifLoader, a_screen_without_width_gives_empty_cels)
{
    // Found by fuzz_gif: the image used to be copied through a null pixel pointer.
    const auto sprite = LoadSpriteFromGIFData(HandMadeGif(0, 5, 1, 1));
    EXPECT_EQ(sprite->Width(), 0);
    EXPECT_EQ(sprite->CelCount(), 1);
}

TEST(GifLoader, broken_and_absurd_files_raise_a_file_error)
{
    EXPECT_NO_THROW(LoadSpriteFromGIFData(HandMadeGif(1, 1, 1, 1))); // the hand-made form itself is sound
    EXPECT_THROW(LoadSpriteFromGIFData(HandMadeGif(65535, 65535, 1, 1)), EFileError);
    EXPECT_THROW(LoadSpriteFromGIFData(HandMadeGif(16, 16, 40000, 40000)), EFileError);
    EXPECT_THROW(LoadSpriteFromGIFData(HandMadeGif(16, 16, 4097, 1)), EFileError);
    EXPECT_THROW(LoadSpriteFromGIFData(QByteArray("not a picture at all")), EFileError);
    EXPECT_THROW(LoadSpriteFromGIFData(QByteArray()), EFileError);

    TTestGif gif{8, 8, Colours, W, {}};
    for (int i = 0; i < 4; ++i)
        gif.Frames.push_back(WithControl(SolidFrame(0, 0, 8, 8, static_cast<std::uint8_t>(i)), 1, 1));
    const QByteArray whole = WriteTestGif(gif);
    for (qsizetype cut : {whole.size() - 1, whole.size() / 2, qsizetype(20)})
        EXPECT_THROW(LoadSpriteFromGIFData(whole.left(cut)), EFileError) << "cut at " << cut;

    TTestGif many{1, 1, Colours, W, {}};
    many.Frames.assign(MaxGifImages + 1, WithoutControl(SolidFrame(0, 0, 1, 1, R)));
    EXPECT_THROW(LoadSpriteFromGIFData(WriteTestGif(many)), EFileError);
    many.Frames.resize(MaxGifImages);
    EXPECT_EQ(LoadSpriteFromGIFData(WriteTestGif(many))->CelCount(), MaxGifImages);
}

TEST(GifLoader, reads_files_and_refuses_missing_ones)
{
    QTemporaryDir dir;
    TTestGif gif{2, 2, Colours, W, {}};
    gif.Frames.push_back(WithControl(SolidFrame(0, 0, 2, 2, B), 1, 1));
    const QString path = dir.filePath("part.gif");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(WriteTestGif(gif));
    file.close();
    EXPECT_EQ(LoadSpriteFromGIF(path)->CelBitmap(0).GetPixel(1, 1), Blue);
    EXPECT_THROW(LoadSpriteFromGIF(dir.filePath("absent.gif")), EFileError);
}
