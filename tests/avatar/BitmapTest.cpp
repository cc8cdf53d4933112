// TMxBitmap: the pixel rules other code relies on (keys, clipping, stores, canvas), sprites and palette.
#include "Bitmap.h"
#include "Canvas.h"
#include "Palette.h"
#include "Sprite.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <gtest/gtest.h>

namespace {
constexpr TPixel White = 0xFFFFFF, Red = 0xFF0000, Blue = 0x0000FF, Black = 0;

// A bitmap whose every pixel is distinct: 1 + x + 100 y.
std::unique_ptr<TMxBitmap> Numbered(int width, int height)
{
    auto bitmap = std::make_unique<TMxBitmap>(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bitmap->SetPixel(x, y, static_cast<TPixel>(1 + x + 100 * y));
    return bitmap;
}
} // namespace

TEST(Bitmap, bottom_left_key_makes_every_pixel_of_its_colour_a_hole)
{
    // A white frame around a red figure with a white eye: the eye is a hole too.
    TMxBitmap figure(3, 3);
    figure.Fill(White);
    figure.SetPixel(1, 0, Red);
    figure.SetPixel(0, 1, Red);
    figure.SetPixel(2, 1, Red);
    figure.MakeTransparent();
    EXPECT_TRUE(figure.Transparent());
    EXPECT_EQ(figure.TransparentColor(), White);

    TMxBitmap scene(3, 3);
    scene.Fill(Blue);
    figure.DrawTo(scene, 0, 0);
    EXPECT_EQ(scene.GetPixel(1, 0), Red);
    EXPECT_EQ(scene.GetPixel(1, 1), Blue); // the white eye
    EXPECT_EQ(scene.GetPixel(0, 2), Blue);

    // Out-of-range reads give the key; a bitmap never made transparent gives 0.
    EXPECT_EQ(figure.GetPixel(-1, 0), White);
    EXPECT_EQ(figure.GetPixel(0, 3), White);
    EXPECT_EQ(TMxBitmap(2, 2).GetPixel(-1, 0), Black);

    // DrawOpaqueTo copies the key colour as well.
    figure.DrawOpaqueTo(scene, 0, 0);
    EXPECT_EQ(scene.GetPixel(1, 1), White);
}

TEST(Bitmap, draw_to_copies_only_the_overlap_at_every_edge)
{
    const auto source = Numbered(4, 3);
    const int offsets[][2] = {{0, 0}, {-2, -1}, {3, 2}, {-3, 0}, {0, -2}, {4, 0}, {-4, 0}, {1, 3}, {5, 5}, {-10, -10}, {2, -1}};
    for (const auto &offset : offsets) {
        const int ox = offset[0], oy = offset[1];
        TMxBitmap destination(5, 4);
        destination.Fill(0xABCDEF);
        source->DrawTo(destination, ox, oy);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x) {
                const bool inside = x - ox >= 0 && x - ox < 4 && y - oy >= 0 && y - oy < 3;
                const TPixel expected = inside ? static_cast<TPixel>(1 + (x - ox) + 100 * (y - oy)) : 0xABCDEF;
                ASSERT_EQ(destination.GetPixel(x, y), expected) << "offset " << ox << "," << oy << " at " << x << "," << y;
            }
    }
}

TEST(Bitmap, draw_rect_to_limits_right_and_bottom_and_reads_the_key_outside)
{
    const auto source = Numbered(6, 6);
    TMxBitmap small(4, 4);
    source->DrawRectTo(small, {1, 2, 10, 10});
    EXPECT_EQ(small.GetPixel(0, 0), Black);
    EXPECT_EQ(small.GetPixel(1, 2), 1u + 1 + 200);
    EXPECT_EQ(small.GetPixel(3, 3), 1u + 3 + 300);
    EXPECT_EQ(small.GetPixel(0, 2), Black);

    TMxBitmap negative(4, 4);
    negative.Fill(White);
    source->DrawRectTo(negative, {-3, -3, 1, 0});
    EXPECT_EQ(negative.GetPixel(0, 0), 1u);
    EXPECT_EQ(negative.GetPixel(1, 0), 2u);
    EXPECT_EQ(negative.GetPixel(2, 0), White);
    EXPECT_EQ(negative.GetPixel(0, 1), White);

    // A source smaller than the rectangle: its out-of-range reads give the key, which an opaque source
    // writes and a transparent one skips.
    TMxBitmap tiny(1, 1);
    tiny.Fill(Red);
    tiny.SetTransparentColor(Blue);
    TMxBitmap big(3, 1);
    big.Fill(White);
    tiny.DrawRectTo(big, {0, 0, 2, 0});
    EXPECT_EQ(big.GetPixel(0, 0), Red);
    EXPECT_EQ(big.GetPixel(2, 0), Blue);
    big.Fill(White);
    tiny.SetTransparent(true);
    tiny.DrawRectTo(big, {0, 0, 2, 0});
    EXPECT_EQ(big.GetPixel(0, 0), Red);
    EXPECT_EQ(big.GetPixel(2, 0), White);
}

TEST(Bitmap, draw_rect_to_agrees_with_the_pixel_by_pixel_rule)
{
    // The rule written out with GetPixel and SetPixel, against the copy loops, over many rectangles.
    const auto reference = [](const TMxBitmap &source, TMxBitmap &destination, TMxRect rect) {
        rect.Right = std::min(rect.Right, destination.Width() - 1);
        rect.Bottom = std::min(rect.Bottom, destination.Height() - 1);
        for (int y = rect.Top; y <= rect.Bottom; ++y)
            for (int x = rect.Left; x <= rect.Right; ++x) {
                const TPixel c = source.GetPixel(x, y);
                if (!source.Transparent() || c != source.TransparentColor())
                    destination.SetPixel(x, y, c);
            }
    };
    auto source = Numbered(5, 4);
    source->SetPixel(0, 3, 7); // also inside the figure below
    source->SetPixel(2, 1, 7);
    for (bool transparent : {false, true}) {
        source->SetTransparent(transparent);
        source->SetTransparentColor(7);
        for (int left = -2; left <= 7; left += 3)
            for (int top = -2; top <= 6; top += 2)
                for (int right = left - 1; right <= 9; right += 2)
                    for (int bottom = top - 1; bottom <= 8; bottom += 3) {
                        TMxBitmap expected(7, 6), actual(7, 6);
                        expected.Fill(White);
                        actual.Fill(White);
                        reference(*source, expected, {left, top, right, bottom});
                        source->DrawRectTo(actual, {left, top, right, bottom});
                        for (int y = 0; y < 6; ++y)
                            for (int x = 0; x < 7; ++x)
                                ASSERT_EQ(actual.GetPixel(x, y), expected.GetPixel(x, y))
                                    << "rect " << left << "," << top << "," << right << "," << bottom << " at " << x
                                    << "," << y << " transparent " << transparent;
                    }
    }
}

TEST(Bitmap, set_size_clears_and_realize_switches_the_store)
{
    TMxBitmap bitmap(3, 2);
    bitmap.Fill(Red);
    bitmap.SetSize(3, 2);
    EXPECT_EQ(bitmap.GetPixel(2, 1), Black);
    bitmap.SetPixel(3, 0, Red); // outside: nothing happens
    bitmap.SetPixel(-1, -1, Red);

    bitmap.Fill(Red);
    EXPECT_EQ(bitmap.Canvas(), nullptr);
    bitmap.Realize();
    ASSERT_NE(bitmap.Canvas(), nullptr);
    EXPECT_FALSE(bitmap.Unrealized());
    EXPECT_EQ(bitmap.GetPixel(1, 1), Black); // the section starts at zero
    bitmap.Fill(Blue);
    bitmap.SetSize(5, 4); // keeps the realized state, clears
    EXPECT_FALSE(bitmap.Unrealized());
    EXPECT_EQ(bitmap.Width(), 5);
    EXPECT_EQ(bitmap.GetPixel(4, 3), Black);
    bitmap.Fill(Blue);
    bitmap.Unrealize();
    EXPECT_EQ(bitmap.Canvas(), nullptr);
    EXPECT_EQ(bitmap.GetPixel(4, 3), Black); // the memory pixels of the resize, untouched by the fill

    TMxBitmap degenerate(-4, 0);
    EXPECT_EQ(degenerate.Width(), 0);
    degenerate.Realize();
    degenerate.Canvas()->TextOut(0, 0, "x");
    degenerate.Fill(Red);
}

TEST(Bitmap, canvas_drawing_keeps_colour_keys_matching)
{
    TMxBitmap label(60, 24);
    label.Realize();
    TMxCanvas &canvas = *label.Canvas();
    canvas.SetBrushColor(Qt::white);
    canvas.Rectangle(0, 0, 60, 24); // Qt writes 0xFF into the top byte of these white pixels
    canvas.SetBrushStyle(Qt::NoBrush);
    canvas.SetFontColor(Qt::black);
    EXPECT_GT(canvas.TextWidth("Ann"), 0);
    canvas.TextOut(4, 2, "Ann");

    label.MakeTransparent();
    EXPECT_EQ(label.TransparentColor(), 0); // the black outline of the rectangle
    label.SetTransparentColor(label.GetPixel(1, 1));
    EXPECT_EQ(label.TransparentColor(), White);

    TMxBitmap scene(60, 24);
    scene.Fill(Blue);
    label.DrawTo(scene, 0, 0);
    int holes = 0, ink = 0;
    for (int y = 1; y < 23; ++y)
        for (int x = 1; x < 59; ++x) {
            const TPixel c = scene.GetPixel(x, y);
            holes += c == Blue;
            ink += c != Blue && c != White;
        }
    EXPECT_GT(ink, 5);              // the letters arrive
    EXPECT_GT(holes, 58 * 22 - 200); // every white pixel stays a hole
    EXPECT_EQ(scene.GetPixel(0, 0), Black);
}

TEST(Bitmap, rectangle_excludes_right_and_bottom_and_text_box_uses_the_brush)
{
    TMxBitmap bitmap(8, 6);
    bitmap.Realize();
    bitmap.Fill(White);
    TMxCanvas &canvas = *bitmap.Canvas();
    canvas.SetPenColor(Qt::black);
    canvas.SetBrushColor(Qt::red);
    canvas.Rectangle(1, 1, 5, 4);
    EXPECT_EQ(bitmap.GetPixel(1, 1), Black);
    EXPECT_EQ(bitmap.GetPixel(4, 3), Black);
    EXPECT_EQ(bitmap.GetPixel(5, 3), White);
    EXPECT_EQ(bitmap.GetPixel(4, 4), White);
    EXPECT_EQ(bitmap.GetPixel(2, 2), Red);
    EXPECT_EQ(bitmap.GetPixel(3, 2), Red);

    TMxBitmap boxed(40, 30);
    boxed.Realize();
    boxed.Fill(White);
    boxed.Canvas()->SetBrushColor(Qt::blue);
    boxed.Canvas()->TextOut(2, 2, "i");
    EXPECT_EQ(boxed.GetPixel(2, 2), Blue); // the text cell is filled with the brush
    EXPECT_EQ(boxed.GetPixel(1, 1), White);
}

TEST(Bitmap, draw_and_draw_rect_show_the_whole_bitmap)
{
    TMxBitmap bitmap(4, 3);
    bitmap.Fill(Red); // before realizing: not visible afterwards
    QImage target(6, 5, QImage::Format_RGB32);
    target.fill(Qt::green);
    {
        QPainter painter(&target);
        bitmap.Draw(painter);
    }
    EXPECT_EQ(target.pixel(3, 2), qRgb(0, 0, 0));
    EXPECT_EQ(target.pixel(4, 2), qRgb(0, 255, 0));

    bitmap.Fill(Blue);
    {
        QPainter painter(&target);
        bitmap.DrawRect(painter, {0, 0, 0, 0});
    }
    EXPECT_EQ(target.pixel(3, 2), qRgb(0, 0, 255));
    EXPECT_EQ(target.pixel(0, 0), qRgb(0, 0, 255));
}

TEST(Bitmap, copy_indexed_pixels_converts_colours_and_skips_outside_pixels)
{
    TMxColorMap map{};
    map[1] = 0x0000FF; // red in the platform's colour form
    map[2] = 0xFF0000; // blue
    const std::uint8_t indices[] = {1, 2, 0, 2, 1, 0};
    TMxBitmap bitmap(3, 2);
    bitmap.Fill(White);
    bitmap.CopyIndexedPixels(1, 1, map, indices, 1, 2);
    EXPECT_EQ(bitmap.GetPixel(0, 0), White);
    EXPECT_EQ(bitmap.GetPixel(1, 1), Red);
    EXPECT_EQ(bitmap.GetPixel(2, 1), Blue);
    bitmap.CopyIndexedPixels(-2, -1, map, indices, 1, 2);
    EXPECT_EQ(bitmap.GetPixel(0, 0), Black);

    // A bitmap with rows but no columns has no pixel memory: nothing is written, nothing is pointed at.
    TMxBitmap noColumns(0, 2);
    noColumns.CopyIndexedPixels(0, 0, map, indices, 1, 2);
    EXPECT_EQ(noColumns.GetPixel(0, 0), noColumns.TransparentColor());
}

TEST(Sprite, create_copy_copies_key_pixels_and_owns_its_bitmaps)
{
    TMxSprite source(2, 2, White);
    EXPECT_EQ(source.CurrentIndex, -1);
    EXPECT_EQ(source.DefaultDelay, 200);
    source.DefaultDelay = 80;
    TMxCel &cel = source.AddCel();
    EXPECT_EQ(cel.Disposal, 2);
    EXPECT_EQ(cel.Delay, 80);
    EXPECT_EQ(cel.Bitmap.GetPixel(1, 1), White);
    cel.Bitmap.SetPixel(1, 0, Red);
    cel.Bitmap.SetPixel(0, 1, Blue);
    cel.Bitmap.MakeTransparent(); // key blue
    cel.Delay = 30;

    const auto copy = TMxSprite::CreateCopy(source);
    ASSERT_EQ(copy->CelCount(), 1);
    EXPECT_EQ(copy->CurrentIndex, 0);
    EXPECT_EQ(copy->DefaultDelay, 80);
    EXPECT_EQ(copy->Cel(0).Delay, 30);
    EXPECT_EQ(copy->CelBitmap(0).GetPixel(0, 1), Blue); // the key-coloured pixel came along
    EXPECT_TRUE(copy->CelBitmap(0).Transparent());
    EXPECT_EQ(copy->CelBitmap(0).TransparentColor(), Blue);
    EXPECT_TRUE(source.CelBitmap(0).Transparent());

    copy->CelBitmap(0).Fill(Red);
    EXPECT_EQ(source.CelBitmap(0).GetPixel(0, 0), White);
}

TEST(Palette, holds_the_colour_cube_and_the_static_colours)
{
    TMxPalette palette;
    EXPECT_EQ(palette.Version(), 0x300);
    EXPECT_EQ(palette.EntryCount(), 256);
    const TMxPaletteEntry &cube = palette.Entry(10 + 36 * 5 + 6 * 2 + 1);
    EXPECT_EQ(cube.Red, 255);
    EXPECT_EQ(cube.Green, 102);
    EXPECT_EQ(cube.Blue, 51);
    EXPECT_EQ(cube.Flags, TMxPalette::NoCollapse);
    EXPECT_EQ(palette.Entry(225).Red, 255);
    EXPECT_EQ(palette.Entry(225).Blue, 255);
    EXPECT_EQ(palette.Entry(0).Red, 0);
    EXPECT_EQ(palette.Entry(255).Green, 255);
    EXPECT_TRUE(NeedsSharedPalette(8));
    EXPECT_FALSE(NeedsSharedPalette(16));
}
