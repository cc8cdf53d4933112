#include "FrameGlyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
constexpr int GlyphSize = 18;
} // namespace

QPixmap EmptyGlyph()
{
    QPixmap pixmap(GlyphSize, GlyphSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QIcon ExitGlyph()
{
    QPixmap pixmap = EmptyGlyph();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // A brown door standing open, with a red arrow leaving through it.
    painter.setPen(QPen(QColor(0x5a, 0x36, 0x1a), 1.2));
    painter.setBrush(QColor(0xa8, 0x6a, 0x32));
    painter.drawRect(QRectF(2.5, 1.5, 8, 15));
    painter.setBrush(QColor(0xf2, 0xd0, 0x60));
    painter.drawEllipse(QPointF(8.6, 9.5), 0.9, 0.9);
    QPen arrow(QColor(0xc6, 0x28, 0x28), 2.2);
    arrow.setCapStyle(Qt::RoundCap);
    arrow.setJoinStyle(Qt::RoundJoin);
    painter.setPen(arrow);
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(QPointF(9.5, 9.0), QPointF(16.0, 9.0));
    QPainterPath head;
    head.moveTo(13.0, 6.0);
    head.lineTo(16.0, 9.0);
    head.lineTo(13.0, 12.0);
    painter.drawPath(head);
    return QIcon(pixmap);
}

QIcon TurnGlyph(bool clockwise)
{
    QPixmap pixmap = EmptyGlyph();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!clockwise) {
        painter.translate(GlyphSize, 0);
        painter.scale(-1, 1);
    }
    QPen pen(QColor(0x1f, 0x4e, 0x9c), 2.0);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(pen);
    // Three quarters of a circle, the arrow head at its end pointing on clockwise.
    const QRectF circle(3.0, 3.0, 12.0, 12.0);
    painter.drawArc(circle, 120 * 16, -270 * 16);
    QPainterPath head;
    head.moveTo(1.6, 8.4);
    head.lineTo(6.4, 10.9);
    head.lineTo(1.2, 13.6);
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(pen.color());
    painter.drawPath(head);
    return QIcon(pixmap);
}
