#include "Raster.h"

#include <algorithm>
#include <cmath>

namespace Raster {

QImage NewLayer(int width, int height)
{
    QImage layer(width, height, QImage::Format_ARGB32);
    layer.fill(0u);
    return layer;
}

bool IsSet(const QImage &layer, int x, int y)
{
    if (x < 0 || y < 0 || x >= layer.width() || y >= layer.height())
        return false;
    return qAlpha(layer.pixel(x, y)) != 0;
}

void Plot(QImage &image, int x, int y, QRgb colour)
{
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return;
    reinterpret_cast<QRgb *>(image.scanLine(y))[x] = colour | 0xFF000000u;
}

void FillRect(QImage &image, int left, int top, int right, int bottom, QRgb colour)
{
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x)
            Plot(image, x, y, colour);
}

void FillEllipse(QImage &image, double cx, double cy, double rx, double ry, QRgb colour)
{
    for (int y = int(std::floor(cy - ry)); y <= int(std::ceil(cy + ry)); ++y)
        for (int x = int(std::floor(cx - rx)); x <= int(std::ceil(cx + rx)); ++x) {
            const double u = (x - cx) / rx, v = (y - cy) / ry;
            if (u * u + v * v <= 1.0)
                Plot(image, x, y, colour);
        }
}

void FillPolygon(QImage &image, const QPolygonF &polygon, QRgb colour)
{
    const QRectF box = polygon.boundingRect();
    for (int y = int(std::floor(box.top())); y <= int(std::ceil(box.bottom())); ++y)
        for (int x = int(std::floor(box.left())); x <= int(std::ceil(box.right())); ++x)
            if (polygon.containsPoint(QPointF(x, y), Qt::OddEvenFill))
                Plot(image, x, y, colour);
}

void Capsule(QImage &image, QPointF a, QPointF b, double radius, QRgb colour)
{
    const double left = std::min(a.x(), b.x()) - radius, right = std::max(a.x(), b.x()) + radius;
    const double top = std::min(a.y(), b.y()) - radius, bottom = std::max(a.y(), b.y()) + radius;
    const QPointF d = b - a;
    const double length2 = QPointF::dotProduct(d, d);
    for (int y = int(std::floor(top)); y <= int(std::ceil(bottom)); ++y)
        for (int x = int(std::floor(left)); x <= int(std::ceil(right)); ++x) {
            const QPointF p(x, y);
            double t = length2 > 0 ? QPointF::dotProduct(p - a, d) / length2 : 0.0;
            t = std::clamp(t, 0.0, 1.0);
            const QPointF q = a + d * t - p;
            if (QPointF::dotProduct(q, q) <= radius * radius)
                Plot(image, x, y, colour);
        }
}

void Line(QImage &image, QPoint a, QPoint b, QRgb colour)
{
    int x = a.x(), y = a.y();
    const int dx = std::abs(b.x() - x), dy = -std::abs(b.y() - y);
    const int sx = x < b.x() ? 1 : -1, sy = y < b.y() ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        Plot(image, x, y, colour);
        if (x == b.x() && y == b.y())
            break;
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y += sy;
        }
    }
}

void ShadeRowEnds(QImage &layer, QRgb lit, QRgb shade, int count)
{
    lit |= 0xFF000000u;
    for (int y = 0; y < layer.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(layer.scanLine(y));
        int left = count;
        for (int x = layer.width() - 1; x >= 0 && left > 0; --x) {
            if (qAlpha(row[x]) == 0)
                continue;
            if (row[x] == lit)
                row[x] = shade | 0xFF000000u;
            --left;
        }
    }
}

void ReplaceColour(QImage &layer, QRgb from, QRgb to)
{
    from |= 0xFF000000u;
    for (int y = 0; y < layer.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(layer.scanLine(y));
        for (int x = 0; x < layer.width(); ++x)
            if (row[x] == from)
                row[x] = to | 0xFF000000u;
    }
}

void ClearColour(QImage &layer, QRgb key)
{
    for (int y = 0; y < layer.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(layer.scanLine(y));
        for (int x = 0; x < layer.width(); ++x)
            if ((row[x] & 0xFFFFFF) == (key & 0xFFFFFF))
                row[x] = 0;
    }
}

void AddOutline(QImage &layer, QRgb colour, const QImage *keepOut)
{
    const QImage source = layer;
    for (int y = 0; y < layer.height(); ++y)
        for (int x = 0; x < layer.width(); ++x) {
            if (IsSet(source, x, y) || (keepOut && IsSet(*keepOut, x, y)))
                continue;
            if (IsSet(source, x - 1, y) || IsSet(source, x + 1, y) || IsSet(source, x, y - 1) ||
                IsSet(source, x, y + 1))
                Plot(layer, x, y, colour);
        }
}

void Over(QImage &destination, const QImage &source, int dx, int dy)
{
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const QRgb c = source.pixel(x, y);
            if (qAlpha(c) != 0)
                Plot(destination, x + dx, y + dy, c);
        }
}

QImage MirrorFrame(const QImage &layer)
{
    QImage result = NewLayer(layer.width(), layer.height());
    for (int y = 0; y < layer.height(); ++y)
        for (int x = 0; x < layer.width(); ++x) {
            const QRgb c = layer.pixel(x, y);
            if (qAlpha(c) != 0)
                Plot(result, layer.width() - x, y, c);
        }
    return result;
}

QImage Zoom(const QImage &image, int factor)
{
    QImage result(image.width() * factor, image.height() * factor, image.format());
    for (int y = 0; y < result.height(); ++y)
        for (int x = 0; x < result.width(); ++x)
            result.setPixel(x, y, image.pixel(x / factor, y / factor));
    return result;
}

QImage Flatten(const QImage &layer, QRgb background)
{
    QImage result(layer.width(), layer.height(), QImage::Format_RGB32);
    result.fill(background | 0xFF000000u);
    Over(result, layer);
    return result;
}

} // namespace Raster
