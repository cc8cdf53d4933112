#include "PaintBox.h"

#include "ErrorHook.h"
#include "Image.h"

#include <QMouseEvent>
#include <QPainter>
#include <QtMath>

TMxPaintBox::TMxPaintBox(TMxImage *image) : QWidget(image), FImage(image)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

QPoint TMxPaintBox::PixelAt(const QPointF &position)
{
    return QPoint(qFloor(position.x()), qFloor(position.y()));
}

void TMxPaintBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // The room is pixel art: scaling for the screen must never blur it.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    RunGuarded([&] { FImage->Paint(painter); });
}

void TMxPaintBox::mousePressEvent(QMouseEvent *event)
{
    const QPoint at = PixelAt(event->position());
    const Qt::MouseButton button = event->button();
    RunGuarded([&] { FImage->PaintBoxMouseDown(at.x(), at.y(), button); });
}

void TMxPaintBox::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = PixelAt(event->position());
    RunGuarded([&] { FImage->PaintBoxMouseMove(at.x(), at.y()); });
}
