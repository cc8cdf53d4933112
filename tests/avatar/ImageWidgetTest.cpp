// TMxImage and TMxCelList on the offscreen platform: what really reaches the screen, and the strip's
// hit test, ranges and selection notice.
#include "CelList.h"
#include "ChattleError.h"
#include "Image.h"
#include "PaintBox.h"
#include "TestJpegWriter.h"

#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {
constexpr TPixel Red = 0xFF0000, White = 0xFFFFFF;

// Renders only the paint box onto a green picture: whatever the paint leaves out stays green.
QImage RenderPaintBox(TMxImage &image)
{
    QImage target(image.PaintBox()->size(), QImage::Format_RGB32);
    target.fill(Qt::green);
    image.PaintBox()->render(&target, QPoint(), QRegion(), QWidget::RenderFlags());
    return target;
}

void ShowAt(QWidget &widget, int width, int height)
{
    widget.resize(width, height);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
}
} // namespace

TEST(ImageWidget, paint_copies_the_surface_unless_optimized)
{
    TMxImage image;
    ShowAt(image, 40, 30);
    ASSERT_NE(image.SurfaceBitmap(), nullptr);
    EXPECT_EQ(image.SurfaceBitmap()->Width(), 40);
    EXPECT_EQ(image.SurfaceBitmap()->GetPixel(39, 29), White);
    EXPECT_FALSE(image.SurfaceBitmap()->Unrealized());

    for (int y = 10; y < 20; ++y)
        for (int x = 5; x < 15; ++x)
            image.SurfaceBitmap()->SetPixel(x, y, Red);
    const QImage shown = image.grab().toImage();
    EXPECT_EQ(shown.pixel(7, 12), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(30, 25), qRgb(255, 255, 255));
    EXPECT_EQ(RenderPaintBox(image).pixel(7, 12), qRgb(255, 0, 0));

    image.SetIsOptimized(true);
    EXPECT_EQ(RenderPaintBox(image).pixel(7, 12), qRgb(0, 255, 0));

    // A resize starts again from a white surface of the new size.
    image.SetIsOptimized(false);
    image.resize(50, 35);
    EXPECT_EQ(image.SurfaceBitmap()->Width(), 50);
    EXPECT_EQ(image.SurfaceBitmap()->Height(), 35);
    EXPECT_EQ(image.SurfaceBitmap()->GetPixel(7, 12), White);
    EXPECT_EQ(image.grab().toImage().pixel(7, 12), qRgb(255, 255, 255));
}

TEST(ImageWidget, file_name_loads_the_picture_and_displayed_bitmap_scrolls)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("room.jpg");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(WriteTestJpeg(24, 16, std::vector<std::uint32_t>(24 * 16, 0x0000FF)));
    file.close();

    TMxImage image;
    image.SetFileName(path); // before any resize: the surface is made for it
    EXPECT_EQ(image.FileName(), path);
    EXPECT_EQ(image.SurfaceBitmap()->Width(), 24);
    EXPECT_LT(image.SurfaceBitmap()->GetPixel(5, 5) >> 8, 0x10u); // blue within JPEG's error
    EXPECT_THROW(image.SetFileName(dir.filePath("absent.jpg")), EFileError);
    EXPECT_EQ(image.SurfaceBitmap()->Width(), 24);

    ShowAt(image, 60, 40);
    TMxBitmap wide(200, 30);
    image.SetDisplayedBitmap(&wide);
    EXPECT_EQ(image.DisplayedBitmap(), &wide);
    EXPECT_EQ(image.PaintBox()->width(), 200);
    EXPECT_GT(image.horizontalScrollBar()->maximum(), 0);
    image.SetDisplayedBitmap(nullptr);
}

namespace {
// Five 8 x 8 cels: a white (key) border around a 4 x 4 block of its own colour.
std::unique_ptr<TMxSprite> FiveCels()
{
    auto sprite = std::make_unique<TMxSprite>(8, 8, White);
    for (int i = 0; i < 5; ++i) {
        TMxBitmap &bitmap = sprite->AddCel().Bitmap;
        for (int y = 2; y < 6; ++y)
            for (int x = 2; x < 6; ++x)
                bitmap.SetPixel(x, y, 0x000030u * static_cast<TPixel>(i + 1));
        bitmap.MakeTransparent();
    }
    sprite->CurrentIndex = 0;
    return sprite;
}

// Left edge of cell i with the default margins, 8-pixel cells and gaps of 10.
int CellLeft(int i) { return 6 + i * 18; }
} // namespace

TEST(CelList, ranges_and_hit_test_are_strict)
{
    const auto sprite = FiveCels();
    TMxCelList list;
    list.SetSprite(sprite.get());
    EXPECT_EQ(list.CellWidth, 8);
    EXPECT_EQ(list.GroupEnd, 4);
    EXPECT_EQ(list.RangeFirst(), 0);
    EXPECT_EQ(list.RangeLast(), 3);
    list.GroupEnd = 3;
    EXPECT_EQ(list.RangeLast(), 2);
    list.FirstIndex = 3;
    EXPECT_EQ(list.RangeFirst(), 3);
    EXPECT_EQ(list.RangeLast(), 4);
    list.FirstIndex = 0;
    list.GroupEnd = 40; // beyond the sprite: kept within it
    EXPECT_EQ(list.RangeLast(), 4);
    list.GroupEnd = 3;

    EXPECT_EQ(list.HitTest(CellLeft(0) + 1, 7), 0);
    EXPECT_EQ(list.HitTest(CellLeft(0), 10), -1);          // on the left edge
    EXPECT_EQ(list.HitTest(CellLeft(0) + 9, 15), 0);
    EXPECT_EQ(list.HitTest(CellLeft(0) + 10, 10), -1);     // on the right edge
    EXPECT_EQ(list.HitTest(CellLeft(1) - 2, 10), -1);      // in the gap
    EXPECT_EQ(list.HitTest(CellLeft(2) + 4, 10), 2);
    EXPECT_EQ(list.HitTest(CellLeft(2) + 4, 6), -1);       // on the top edge
    EXPECT_EQ(list.HitTest(CellLeft(2) + 4, 16), -1);      // on the bottom edge
    EXPECT_EQ(list.HitTest(CellLeft(3) + 4, 10), -1);      // cell 3 is not shown
    list.FirstIndex = 3;
    EXPECT_EQ(list.HitTest(CellLeft(0) + 4, 10), 3);       // the range starts in the first cell place

    TMxCelList empty;
    EXPECT_EQ(empty.HitTest(10, 10), -1);
    EXPECT_EQ(empty.Selected(), -1);
    empty.Click(10, 10);
}

TEST(CelList, click_on_a_new_cell_selects_and_notifies_once)
{
    const auto sprite = FiveCels();
    TMxCelList list;
    list.SetSprite(sprite.get());
    int notices = 0;
    list.NotifyTarget = [&] { ++notices; };
    ShowAt(list, 120, 30);

    QTest::mouseClick(list.PaintBox(), Qt::LeftButton, {}, QPoint(CellLeft(2) + 4, 10));
    EXPECT_EQ(list.Selected(), 2);
    EXPECT_EQ(sprite->CurrentIndex, 2);
    EXPECT_EQ(notices, 1);
    list.Click(CellLeft(2) + 4, 10); // the selected cell again
    list.Click(CellLeft(1) - 2, 10); // between cells
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(list.Selected(), 2);
    list.NotifyTarget = nullptr;
    list.Click(CellLeft(1) + 4, 10);
    EXPECT_EQ(list.Selected(), 1);
}

TEST(CelList, paint_shows_framed_cells_with_the_selection_in_red)
{
    const auto sprite = FiveCels();
    sprite->CurrentIndex = 1;
    TMxCelList list;
    list.SetSprite(sprite.get());
    ShowAt(list, 100, 24);
    const QImage shown = list.grab().toImage();
    shown.scaled(shown.size() * 6).save("/tmp/avatar-cellist.png"); // for a look by eye

    const int top = 6;
    EXPECT_EQ(shown.pixel(CellLeft(0), top), qRgb(0, 0, 0));            // frame of cell 0
    EXPECT_EQ(shown.pixel(CellLeft(0) + 9, top + 9), qRgb(0, 0, 0));    // its last column and row
    EXPECT_EQ(shown.pixel(CellLeft(0) + 10, top + 10), qRgb(255, 255, 255));
    EXPECT_EQ(shown.pixel(CellLeft(0) + 2, top + 2), qRgb(255, 255, 255)); // the key shows the white brush
    EXPECT_EQ(shown.pixel(CellLeft(0) + 4, top + 4), qRgb(0, 0, 0x30));    // cel 0's block at (x + 1, y + 1)
    EXPECT_EQ(shown.pixel(CellLeft(1) - 1, top - 1), qRgb(255, 0, 0));      // the red outline of cell 1
    EXPECT_EQ(shown.pixel(CellLeft(1) + 10, top + 10), qRgb(255, 0, 0));
    EXPECT_EQ(shown.pixel(CellLeft(1) + 4, top + 4), qRgb(0, 0, 0x60));
    EXPECT_EQ(shown.pixel(CellLeft(0) - 1, top - 1), qRgb(255, 255, 255)); // no outline on cell 0
    EXPECT_EQ(shown.pixel(CellLeft(4) + 4, top + 4), qRgb(255, 255, 255)); // cell 4 is past GroupEnd - 1

    // A resize keeps the strip drawing at the new size.
    list.resize(130, 24);
    list.GroupEnd = 5;
    const QImage wider = list.grab().toImage();
    EXPECT_EQ(wider.pixel(CellLeft(4) + 4, top + 4), qRgb(0, 0, 0x30 * 5));
}
