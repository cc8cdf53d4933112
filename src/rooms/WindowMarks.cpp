#include "WindowMarks.h"

#include <QMdiSubWindow>
#include <QPainter>
#include <QPixmap>

namespace {
const char *const MarkProperty = "chattleWindowMark";

QIcon Dot(const QColor &colour)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(colour.darker(140));
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    return QIcon(pixmap);
}
} // namespace

TWindowMark WindowMarkOf(const QMdiSubWindow *window)
{
    return window ? static_cast<TWindowMark>(window->property(MarkProperty).toInt()) : TWindowMark::None;
}

void MarkWindow(QMdiSubWindow *window, TWindowMark mark)
{
    if (!window || mark <= WindowMarkOf(window))
        return;
    window->setProperty(MarkProperty, static_cast<int>(mark));
    window->setWindowIcon(WindowMarkIcon(mark));
}

void ClearWindowMark(QMdiSubWindow *window)
{
    if (!window || WindowMarkOf(window) == TWindowMark::None)
        return;
    window->setProperty(MarkProperty, static_cast<int>(TWindowMark::None));
    window->setWindowIcon(QIcon());
}

QIcon WindowMarkIcon(TWindowMark mark)
{
    switch (mark) {
    case TWindowMark::Unread:
        return Dot(QColor(0x2f, 0x6f, 0xd0));
    case TWindowMark::Mention:
        return Dot(QColor(0xf0, 0x8c, 0x00));
    case TWindowMark::None:
        break;
    }
    return QIcon();
}
