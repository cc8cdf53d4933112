#include "AppIcon.h"

#include "ArtColours.h"
#include "Raster.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

// The bubble's body in the coordinates of a 256-pixel icon.
QPainterPath BubbleBody(double scale)
{
    QPainterPath body;
    body.addRoundedRect(QRectF(14, 12, 228, 190), 46, 46);
    return QTransform::fromScale(scale, scale).map(body);
}

// The body with its tail to the lower left.
QPainterPath Bubble(double scale)
{
    QPainterPath tail;
    tail.moveTo(58, 180);
    tail.lineTo(112, 196);
    tail.lineTo(30, 244);
    tail.closeSubpath();
    return BubbleBody(scale).united(QTransform::fromScale(scale, scale).map(tail)).simplified();
}

// The head and shoulders of a friendly character facing the viewer, cut from its standing cel.
QImage Portrait(const TPartSet &parts)
{
    TLook look;
    look.Hair = 0x7A3E12;
    look.Shirt = 0x3A8AD8;
    QImage portrait = ComposeCharacter(parts, look, 0).copy(18, 3, 28, 34);
    // The corners of the mouth (31..33, 21 in the cel) turned up into a smile, and rosy cheeks.
    Raster::Plot(portrait, 12, 17, ArtColours::Mouth);
    Raster::Plot(portrait, 16, 17, ArtColours::Mouth);
    Raster::Plot(portrait, 10, 16, ArtColours::Blush);
    Raster::Plot(portrait, 18, 16, ArtColours::Blush);
    return portrait;
}

} // namespace

QImage DrawAppIcon(const TPartSet &parts, int size)
{
    const double scale = size / 256.0;
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);

    const QPainterPath bubble = Bubble(scale);
    painter.fillPath(bubble.translated(5 * scale, 7 * scale), QColor(0, 0, 0, 56));
    QLinearGradient light(0, 12 * scale, 0, 202 * scale);
    light.setColorAt(0, QColor(0xFFFFFF));
    light.setColorAt(1, QColor(0xD6E8FA));
    painter.fillPath(bubble, light);

    // Pixel art stays pixel art: whole-number magnification, no smoothing, cut off by the bubble.
    const int zoom = qMax(1, qRound(6 * scale));
    const QImage head = Raster::Zoom(Portrait(parts), zoom);
    painter.save();
    painter.setClipPath(BubbleBody(scale));
    painter.drawImage(QPointF(qRound(128 * scale - head.width() / 2.0), qRound(30 * scale)), head);
    painter.restore();

    painter.setPen(QPen(QColor(ArtColours::Outline), qMax(2.0, 8 * scale), Qt::SolidLine, Qt::RoundCap,
                        Qt::RoundJoin));
    painter.drawPath(bubble);
    return icon;
}
