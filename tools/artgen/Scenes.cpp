#include "Scenes.h"

#include "Raster.h"

#include <QPainter>
#include <QPolygon>
#include <cmath>

namespace {

QRgb Mix(QRgb a, QRgb b, double t)
{
    return qRgb(qRound(qRed(a) + (qRed(b) - qRed(a)) * t), qRound(qGreen(a) + (qGreen(b) - qGreen(a)) * t),
                qRound(qBlue(a) + (qBlue(b) - qBlue(a)) * t));
}

QImage Canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(0xFF000000u);
    return image;
}

// A painter with anti-aliasing off: every edge lands on whole pixels.
class TFlatPainter : public QPainter {
public:
    explicit TFlatPainter(QImage *image) : QPainter(image) { setRenderHint(QPainter::Antialiasing, false); }
    void Box(int x, int y, int w, int h, QRgb fill)
    {
        fillRect(x, y, w, h, QColor::fromRgb(fill));
    }
    void Shape(const QPolygon &polygon, QRgb fill)
    {
        setPen(Qt::NoPen);
        setBrush(QColor::fromRgb(fill));
        drawPolygon(polygon);
    }
    void Oval(int cx, int cy, int rx, int ry, QRgb fill)
    {
        setPen(Qt::NoPen);
        setBrush(QColor::fromRgb(fill));
        drawEllipse(QPoint(cx, cy), rx, ry);
    }
    void Stroke(int x1, int y1, int x2, int y2, QRgb colour, int width = 1)
    {
        setPen(QPen(QColor::fromRgb(colour), width, Qt::SolidLine, Qt::FlatCap));
        drawLine(x1, y1, x2, y2);
    }
};

void VerticalGradient(QImage &image, int top, int bottom, QRgb from, QRgb to)
{
    for (int y = top; y < bottom; ++y)
        Raster::FillRect(image, 0, y, image.width() - 1, y, Mix(from, to, double(y - top) / std::max(1, bottom - top - 1)));
}

// Floor boards that grow taller towards the viewer, with staggered joints.
void WoodFloor(QImage &image, int top, QRgb wood, QRgb seam)
{
    TFlatPainter p(&image);
    int y = top, row = 0, height = 8;
    while (y < image.height()) {
        const QRgb tone = Mix(wood, 0xFFFFFF, (row % 3) * 0.05);
        p.Box(0, y, image.width(), height, tone);
        p.Stroke(0, y, image.width(), y, seam);
        const int boardLength = 90 + height * 4;
        for (int x = (row * 37) % boardLength; x < image.width(); x += boardLength)
            p.Stroke(x, y, x, y + height - 1, seam);
        y += height;
        height += 2;
        ++row;
    }
}

// A tiny deterministic scatter (sand grains, sparkles).
void Speckle(QImage &image, int top, int bottom, QRgb colour, int spacing)
{
    unsigned seed = 12345;
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < image.width(); ++x) {
            seed = seed * 1103515245u + 12345u;
            if ((seed >> 16) % unsigned(spacing) == 0)
                Raster::Plot(image, x, y, colour);
        }
}

void Chandelier(TFlatPainter &p, int cx)
{
    p.Stroke(cx, 0, cx, 40, 0x6A5A3A, 2);
    p.Oval(cx, 56, 34, 8, 0xC8A040);
    p.Oval(cx, 54, 30, 5, 0xE0C060);
    p.Box(cx - 4, 40, 8, 22, 0xC8A040);
    for (int i = -3; i <= 3; ++i) {
        const int x = cx + i * 10;
        p.Box(x - 2, 40 + std::abs(i) * 2, 4, 12, 0xF8F0DC);
        p.Oval(x, 35 + std::abs(i) * 2, 2, 4, 0xFFC040);
        p.Oval(x, 36 + std::abs(i) * 2, 1, 2, 0xFFF4B0);
    }
    for (int i = -2; i <= 2; ++i)
        p.Oval(cx + i * 14, 70, 2, 4, 0xD8ECF0);
}

} // namespace

QImage DrawManor()
{
    QImage image = Canvas(528, 356);
    VerticalGradient(image, 0, 170, 0xE6D8BC, 0xDCCAA6);
    TFlatPainter p(&image);
    // Panelled lower wall with a rail.
    p.Box(0, 166, 528, 84, 0x9A6A44);
    p.Box(0, 164, 528, 6, 0x6E4A2E);
    for (int x = 8; x < 528; x += 64) {
        p.Box(x, 178, 52, 60, 0x8A5C38);
        p.Box(x + 3, 181, 46, 54, 0xA4744C);
    }
    // Wallpaper stripes above.
    for (int x = 0; x < 528; x += 24)
        p.Box(x, 0, 6, 164, 0xD8C8A4);
    // Tall window with drapes, right of the conversation box.
    p.Box(376, 24, 84, 132, 0x6E4A2E);
    p.Box(382, 30, 72, 120, 0xA8D0E8);
    p.Box(382, 110, 72, 40, 0x8AC08A);
    p.Box(416, 30, 4, 120, 0x6E4A2E);
    p.Box(382, 88, 72, 4, 0x6E4A2E);
    p.Shape(QPolygon({QPoint(362, 18), QPoint(388, 18), QPoint(380, 160), QPoint(366, 160)}), 0x8A2A34);
    p.Shape(QPolygon({QPoint(448, 18), QPoint(474, 18), QPoint(470, 160), QPoint(456, 160)}), 0x8A2A34);
    p.Box(356, 12, 124, 8, 0xC8A040);
    // Staircase rising to the right, with its banister.
    for (int step = 0; step < 10; ++step) {
        const int x = 470 + step * 6, y = 250 - step * 14;
        p.Box(x, y - 14, 528 - x, 14, step % 2 ? 0x7A5030 : 0x86583A);
        p.Box(x, y - 14, 528 - x, 3, 0xB88A5C);
    }
    for (int step = 0; step < 10; ++step) {
        const int x = 474 + step * 6, y = 236 - step * 14;
        p.Box(x, y - 30, 3, 30, 0xE8DCC0);
    }
    p.Stroke(470, 204, 532, 64, 0x5A3A22, 5);
    p.Box(462, 190, 12, 62, 0x5A3A22);
    p.Oval(468, 188, 8, 6, 0xC8A040);
    // Skirting and floor.
    p.Box(0, 244, 528, 8, 0x5A3A22);
    p.end();
    WoodFloor(image, 252, 0xB88450, 0x7C5230);
    TFlatPainter floor(&image);
    // A long rug along the walkable band.
    floor.Shape(QPolygon({QPoint(120, 282), QPoint(430, 282), QPoint(470, 340), QPoint(80, 340)}), 0xD8B060);
    floor.Shape(QPolygon({QPoint(128, 286), QPoint(422, 286), QPoint(458, 336), QPoint(92, 336)}), 0x9A2E3A);
    floor.Shape(QPolygon({QPoint(150, 294), QPoint(400, 294), QPoint(428, 328), QPoint(122, 328)}), 0xB8485A);
    for (int i = 0; i < 5; ++i)
        floor.Oval(200 + i * 38, 311, 8, 5, 0xD8B060);
    // A console table with a vase, below the conversation box.
    floor.Box(200, 206, 120, 8, 0x6E4A2E);
    floor.Box(206, 214, 6, 34, 0x6E4A2E);
    floor.Box(308, 214, 6, 34, 0x6E4A2E);
    floor.Oval(260, 192, 10, 14, 0x3A6AA0);
    floor.Oval(254, 170, 7, 10, 0xD85A6A);
    floor.Oval(266, 168, 7, 10, 0xF0C050);
    floor.Oval(260, 160, 6, 8, 0xE87080);
    Chandelier(floor, 410);
    return image;
}

QImage DrawLivingRoom()
{
    QImage image = Canvas(528, 356);
    VerticalGradient(image, 0, 240, 0xDCE6CC, 0xCCDABA);
    TFlatPainter p(&image);
    for (int x = 6; x < 528; x += 22)
        p.Box(x, 0, 5, 236, 0xC6D6B2);
    // Window with curtains.
    p.Box(384, 44, 116, 124, 0xF4F4EE);
    p.Box(390, 50, 104, 112, 0x9CCCEC);
    p.Oval(430, 80, 22, 9, 0xF4F8FC);
    p.Oval(452, 76, 16, 8, 0xF4F8FC);
    p.Box(390, 136, 104, 26, 0x7AB070);
    p.Box(440, 50, 4, 112, 0xF4F4EE);
    p.Box(390, 104, 104, 4, 0xF4F4EE);
    p.Box(372, 36, 140, 8, 0x8A6A4A);
    p.Shape(QPolygon({QPoint(372, 40), QPoint(398, 40), QPoint(392, 176), QPoint(368, 176)}), 0xC8546A);
    p.Shape(QPolygon({QPoint(486, 40), QPoint(512, 40), QPoint(516, 176), QPoint(492, 176)}), 0xC8546A);
    // Skirting and floor.
    p.Box(0, 236, 528, 8, 0xF4F0E6);
    p.end();
    WoodFloor(image, 244, 0xC89A6A, 0x94704A);
    TFlatPainter room(&image);
    // Rug.
    room.Oval(290, 312, 190, 34, 0xE0C080);
    room.Oval(290, 312, 180, 30, 0x5A7AB0);
    room.Oval(290, 312, 140, 22, 0x7A9AC8);
    room.Oval(290, 312, 80, 12, 0xE0C080);
    // Sofa against the wall.
    room.Box(170, 176, 180, 34, 0x8A5AA0);
    room.Box(170, 176, 180, 4, 0x9E70B4);
    room.Box(158, 196, 22, 50, 0x7A4A90);
    room.Box(340, 196, 22, 50, 0x7A4A90);
    room.Box(180, 206, 160, 16, 0x9E70B4);
    room.Box(180, 222, 160, 22, 0x7A4A90);
    room.Box(186, 184, 44, 22, 0xE8C870);
    room.Box(290, 184, 44, 22, 0x70B8A8);
    room.Box(166, 244, 6, 6, 0x4A3424);
    room.Box(348, 244, 6, 6, 0x4A3424);
    // Floor lamp.
    room.Box(376, 150, 4, 94, 0x4A4A4A);
    room.Oval(378, 244, 14, 3, 0x4A4A4A);
    room.Shape(QPolygon({QPoint(362, 148), QPoint(394, 148), QPoint(386, 118), QPoint(370, 118)}), 0xF6E6A6);
    // A plant.
    room.Box(506, 212, 18, 32, 0xB0603A);
    for (int i = 0; i < 6; ++i)
        room.Oval(504 + (i % 3) * 8, 196 - (i / 3) * 14, 8, 12, i % 2 ? 0x4A9A52 : 0x3A8444);
    return image;
}

QImage DrawBeach()
{
    QImage image = Canvas(528, 356);
    VerticalGradient(image, 0, 172, 0x8CC8EE, 0xDAF0FA);
    TFlatPainter p(&image);
    p.Oval(470, 52, 26, 26, 0xFFF6C0);
    p.Oval(470, 52, 20, 20, 0xFFEE90);
    p.Oval(400, 60, 30, 10, 0xFFFFFF);
    p.Oval(424, 52, 20, 10, 0xFFFFFF);
    p.Oval(130, 40, 36, 10, 0xF6FAFF);
    p.end();
    VerticalGradient(image, 172, 238, 0x2E8CC0, 0x5CC0D8);
    TFlatPainter sea(&image);
    for (int row = 0; row < 8; ++row) {
        const int y = 178 + row * 8;
        for (int x = (row * 23) % 60; x < 528; x += 60)
            sea.Stroke(x, y, x + 14 + row * 2, y, 0x8ED8EA);
    }
    // A sail on the horizon.
    sea.Shape(QPolygon({QPoint(300, 170), QPoint(320, 170), QPoint(312, 140)}), 0xFFFFFF);
    sea.Box(296, 170, 28, 4, 0x8A5A3A);
    sea.end();
    VerticalGradient(image, 238, 356, 0xF2DEAA, 0xE8CC90);
    Speckle(image, 244, 356, 0xD4B478, 9);
    TFlatPainter sand(&image);
    // Foam where the water meets the sand.
    for (int x = 0; x < 528; x += 4)
        sand.Box(x, 234 + int(3 * std::sin(x / 17.0)), 4, 5, 0xF4FAFC);
    // Palm tree on the right.
    auto trunkAt = [](double t) { return QPoint(int(486 - 40 * t * t), int(312 - 190 * t)); };
    for (int i = 0; i < 24; ++i) {
        const QPoint a = trunkAt(i / 24.0), b = trunkAt((i + 1) / 24.0);
        sand.Stroke(a.x(), a.y(), b.x(), b.y(), 0xA47A48, 16 - i / 4);
        if (i % 2 == 0)
            sand.Stroke(a.x() - 7 + i / 8, a.y(), a.x() + 7 - i / 8, a.y() - 2, 0x7A5230, 2);
    }
    const QPoint top(446, 118);
    const QPoint tips[] = {{376, 132}, {396, 100}, {440, 82}, {490, 96}, {516, 130}, {410, 150}, {486, 150}};
    for (const QPoint &tip : tips) {
        const QPoint middle = (top + tip) / 2 + QPoint(0, -10);
        sand.Shape(QPolygon({top, middle + QPoint(0, -6), tip, middle + QPoint(0, 6)}), 0x3A9A48);
        sand.Stroke(top.x(), top.y(), tip.x(), tip.y(), 0x2A7A38, 2);
    }
    sand.Oval(442, 126, 5, 5, 0x6A4A2A);
    sand.Oval(452, 128, 5, 5, 0x6A4A2A);
    // Towel, umbrella, a bucket and a starfish on the sand.
    sand.Shape(QPolygon({QPoint(60, 300), QPoint(150, 300), QPoint(160, 330), QPoint(50, 330)}), 0xF4F4F4);
    for (int i = 0; i < 4; ++i)
        sand.Shape(QPolygon({QPoint(60 + i * 24, 300), QPoint(72 + i * 24, 300), QPoint(70 + i * 24, 330),
                             QPoint(56 + i * 24, 330)}),
                   0xE04A4A);
    sand.Stroke(200, 206, 206, 300, 0x8A6A4A, 3);
    sand.Shape(QPolygon({QPoint(150, 214), QPoint(200, 190), QPoint(256, 206), QPoint(206, 214)}), 0xF0C040);
    sand.Shape(QPolygon({QPoint(176, 214), QPoint(200, 190), QPoint(228, 214)}), 0xF4F4F4);
    sand.Box(372, 320, 14, 14, 0x4A90D0);
    sand.Box(370, 318, 18, 3, 0x3A70B0);
    sand.Shape(QPolygon({QPoint(300, 330), QPoint(304, 322), QPoint(308, 330), QPoint(316, 331), QPoint(309, 336),
                         QPoint(311, 344), QPoint(304, 339), QPoint(297, 344), QPoint(299, 336), QPoint(292, 331)}),
               0xF08050);
    return image;
}

QImage DrawLoginBackground()
{
    QImage image = Canvas(205, 94);
    VerticalGradient(image, 0, 70, 0xEEE6D6, 0xE0D4BE);
    TFlatPainter p(&image);
    p.Box(0, 58, 205, 3, 0xC8B498);
    p.Box(0, 68, 205, 4, 0xA88E6E);
    p.end();
    WoodFloor(image, 72, 0xC8A47C, 0xA8845C);
    return image;
}

QImage DrawEditorBackground()
{
    QImage image = Canvas(375, 113);
    VerticalGradient(image, 0, 58, 0xDDE6F2, 0xC8D6E8);
    TFlatPainter p(&image);
    for (int x = 10; x < 375; x += 30)
        p.Box(x, 0, 2, 56, 0xD2DDEC);
    p.Box(0, 56, 375, 6, 0xF2F2F6);
    p.end();
    WoodFloor(image, 62, 0xD8B88A, 0xB8966A);
    TFlatPainter floor(&image);
    floor.Oval(182, 98, 44, 9, 0xE8D0A4);
    floor.Oval(182, 98, 34, 6, 0xF0DCB4);
    return image;
}

QImage DrawHighlight()
{
    constexpr QRgb key = 0xFF00FF;
    QImage image = Canvas(58, 84);
    image.fill(key | 0xFF000000u);
    // A soft glowing pillar behind the figure, and a bright spot under the feet.
    Raster::FillEllipse(image, 29, 44, 16, 40, 0xF8E6A0);
    Raster::FillEllipse(image, 29, 44, 14, 38, 0xFFF0BC);
    Raster::FillEllipse(image, 29, 44, 11, 35, 0xFFF8DC);
    Raster::FillEllipse(image, 29, 78, 18, 4, 0xF0C850);
    Raster::FillEllipse(image, 29, 78, 14, 3, 0xFFE488);
    return image;
}
