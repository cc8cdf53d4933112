#include "Canvas.h"

#include <QFontMetrics>

namespace {
// 96 dots per inch, so that point sizes give the pixel sizes of a usual desktop screen.
constexpr int DotsPerMeter = 3780;
} // namespace

TMxCanvas::TMxCanvas(std::uint32_t *pixels, int width, int height)
    : FImage(reinterpret_cast<uchar *>(pixels), width, height, width * 4, QImage::Format_RGB32)
{
    FImage.setDotsPerMeterX(DotsPerMeter);
    FImage.setDotsPerMeterY(DotsPerMeter);
    if (!FImage.isNull())
        FPainter.begin(&FImage);
}

TMxCanvas::~TMxCanvas()
{
    if (FPainter.isActive())
        FPainter.end();
}

int TMxCanvas::TextWidth(const QString &text) const
{
    return QFontMetrics(FFont, &FImage).horizontalAdvance(text);
}

int TMxCanvas::TextHeight(const QString &text) const
{
    return QFontMetrics(FFont, &FImage).boundingRect(text).height();
}

void TMxCanvas::TextOut(int x, int y, const QString &text)
{
    if (!FPainter.isActive())
        return;
    const QFontMetrics metrics(FFont, &FImage);
    if (FBrushStyle != Qt::NoBrush)
        FPainter.fillRect(x, y, metrics.horizontalAdvance(text), metrics.height(), FBrushColor);
    FPainter.setFont(FFont);
    FPainter.setPen(FFontColor);
    FPainter.drawText(x, y + metrics.ascent(), text);
}

void TMxCanvas::Rectangle(int left, int top, int right, int bottom)
{
    if (!FPainter.isActive() || right <= left || bottom <= top)
        return;
    if (FBrushStyle != Qt::NoBrush)
        FPainter.fillRect(left, top, right - left, bottom - top, QBrush(FBrushColor, FBrushStyle));
    FPainter.setPen(QPen(FPenColor, 0));
    FPainter.setBrush(Qt::NoBrush);
    // A cosmetic pen outlines x .. x + width inclusive, so the last column is right - 1.
    FPainter.drawRect(left, top, right - left - 1, bottom - top - 1);
}
