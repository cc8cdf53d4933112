#include "GradientLabel.h"

#include <QLinearGradient>
#include <QPainter>

TGradientLabel::TGradientLabel(const QString &text, QWidget *parent)
    : QLabel(text, parent), FFrom(0x1b, 0x3a, 0x8c), FTo(0x6c, 0xb4, 0xf0)
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);
}

void TGradientLabel::SetColors(const QColor &from, const QColor &to)
{
    FFrom = from;
    FTo = to;
    update();
}

void TGradientLabel::paintEvent(QPaintEvent *event)
{
    {
        QPainter painter(this);
        QLinearGradient gradient(rect().topLeft(), rect().topRight());
        gradient.setColorAt(0, FFrom);
        gradient.setColorAt(1, FTo);
        painter.fillRect(rect(), gradient);
    }
    QLabel::paintEvent(event);
}
