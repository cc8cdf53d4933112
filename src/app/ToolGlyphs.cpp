#include "ToolGlyphs.h"

#include <QPainter>
#include <QFileInfo>
#include <QPainterPath>

#include "FrameGlyphs.h"

QIcon ConnectGlyph()
{
    QPixmap pixmap = EmptyGlyph();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor outline(0x2c, 0x4a, 0x1e);
    // The plug on the left with two prongs, the socket on the right, a cable leaving the plug.
    painter.setPen(QPen(outline, 1.0));
    painter.setBrush(QColor(0x5c, 0xb0, 0x3c));
    painter.drawRoundedRect(QRectF(3.5, 5.5, 6, 7), 1.5, 1.5);
    painter.setBrush(QColor(0xd8, 0xd8, 0xd0));
    painter.drawRect(QRectF(9.5, 6.5, 3, 1.5));
    painter.drawRect(QRectF(9.5, 10.0, 3, 1.5));
    painter.setBrush(QColor(0x9a, 0x9a, 0x92));
    painter.drawRoundedRect(QRectF(13.0, 3.5, 4, 11), 1, 1);
    QPen cable(outline, 1.6);
    cable.setCapStyle(Qt::RoundCap);
    painter.setPen(cable);
    painter.drawLine(QPointF(3.5, 9.0), QPointF(1.0, 9.0));
    return QIcon(pixmap);
}

QIcon ChannelsGlyph()
{
    QPixmap pixmap = EmptyGlyph();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // A sheet with three rows, each a blue "#" and a grey line of text.
    painter.setPen(QPen(QColor(0x60, 0x60, 0x60), 1.0));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(1.5, 1.5, 15, 15));
    for (int row = 0; row < 3; ++row) {
        const qreal y = 4.5 + row * 4.5;
        painter.setPen(QPen(QColor(0x1f, 0x4e, 0x9c), 1.0));
        painter.drawLine(QPointF(4.0, y - 1.5), QPointF(4.0, y + 1.5));
        painter.drawLine(QPointF(6.0, y - 1.5), QPointF(6.0, y + 1.5));
        painter.drawLine(QPointF(3.0, y - 0.5), QPointF(7.0, y - 0.5));
        painter.drawLine(QPointF(3.0, y + 0.8), QPointF(7.0, y + 0.8));
        painter.setPen(QPen(QColor(0x90, 0x90, 0x90), 1.4));
        painter.drawLine(QPointF(9.0, y), QPointF(14.5, y));
    }
    return QIcon(pixmap);
}

QIcon ChattleEmblem()
{
    QIcon emblem;
    for (const int size : {16, 32, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 32.0, size / 32.0);
        auto bubble = [&painter](const QRectF &body, const QPointF &tip, const QColor &fill) {
            QPainterPath path;
            path.addRoundedRect(body, 5, 5);
            QPainterPath tail;
            tail.moveTo(body.left() + body.width() * 0.25, body.bottom() - 1);
            tail.lineTo(tip);
            tail.lineTo(body.left() + body.width() * 0.5, body.bottom() - 1);
            painter.setPen(QPen(fill.darker(160), 1.5));
            painter.setBrush(fill);
            painter.drawPath(path.united(tail));
        };
        bubble(QRectF(11, 2, 19, 14), QPointF(26, 21), QColor(0xf5, 0x9e, 0x2a));
        bubble(QRectF(2, 9, 20, 15), QPointF(4, 30), QColor(0x3b, 0x7d, 0xd8));
        emblem.addPixmap(pixmap);
    }
    return emblem;
}

QIcon ApplicationIcon(const QString &ArtworkDir)
{
    QIcon icon;
    for (const int size : {48, 128, 256}) {
        const QString path = ArtworkDir + QStringLiteral("/chattle%1.png").arg(size);
        if (QFileInfo::exists(path))
            icon.addFile(path, QSize(size, size));
    }
    return icon.isNull() ? ChattleEmblem() : icon;
}
