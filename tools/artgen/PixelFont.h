#pragma once
// A small 5 x 7 pixel font of our own (capitals, digits and a little punctuation), so lettering in
// the pictures looks the same on every machine.
#include <QImage>
#include <QRgb>
#include <QString>

// Draws text with its top-left at (x, y), each font pixel scale x scale; returns the width drawn.
int DrawPixelText(QImage &image, int x, int y, const QString &text, QRgb colour, int scale);
int PixelTextWidth(const QString &text, int scale);
