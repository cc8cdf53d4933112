#pragma once
// Pixel-exact drawing on QImage: every shape samples pixel centres (integer coordinates), nothing is
// blended, so key colours stay exact. Layers are ARGB32 images whose alpha 0 means "nothing here".
#include <QImage>
#include <QPointF>
#include <QPolygonF>
#include <QRgb>

namespace Raster {

QImage NewLayer(int width, int height);
bool IsSet(const QImage &layer, int x, int y);
void Plot(QImage &image, int x, int y, QRgb colour);
void FillRect(QImage &image, int left, int top, int right, int bottom, QRgb colour); // inclusive
void FillEllipse(QImage &image, double cx, double cy, double rx, double ry, QRgb colour);
void FillPolygon(QImage &image, const QPolygonF &polygon, QRgb colour);
// A thick segment: every pixel within radius of the segment a-b.
void Capsule(QImage &image, QPointF a, QPointF b, double radius, QRgb colour);
void Line(QImage &image, QPoint a, QPoint b, QRgb colour); // one pixel wide

// Replaces, in every row, the last `count` set pixels of colour `lit` by `shade` (the far side).
void ShadeRowEnds(QImage &layer, QRgb lit, QRgb shade, int count);
void ReplaceColour(QImage &layer, QRgb from, QRgb to);
// Makes every pixel of colour `key` transparent (the layer must have an alpha channel).
void ClearColour(QImage &layer, QRgb key);
// Adds a one-pixel ring of colour around everything set; pixels in `keepOut` (if not null) stay free.
void AddOutline(QImage &layer, QRgb colour, const QImage *keepOut = nullptr);
// Copies every set pixel of source onto destination at (dx, dy).
void Over(QImage &destination, const QImage &source, int dx = 0, int dy = 0);
// Mirrors about the column 32 of a 64-wide frame (column c goes to 64 - c).
QImage MirrorFrame(const QImage &layer);
// Nearest-neighbour magnification; keeps every colour exact.
QImage Zoom(const QImage &image, int factor);
// Flattens a layer onto an opaque background colour.
QImage Flatten(const QImage &layer, QRgb background);

} // namespace Raster
