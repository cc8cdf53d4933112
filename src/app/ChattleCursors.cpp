#include "ChattleCursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "CursorTable.h"

namespace {
constexpr int CursorSize = 32;
const QColor Ink(0, 0, 0);
const QColor Paper(255, 255, 255);

// Black outline on white fill, no anti-aliasing: crisp on every background.
class TCursorPen {
public:
    TCursorPen() : FPixmap(CursorSize, CursorSize)
    {
        FPixmap.fill(Qt::transparent);
        FPainter.begin(&FPixmap);
        FPainter.setRenderHint(QPainter::Antialiasing, false);
        FPainter.setPen(QPen(Ink, 1));
        FPainter.setBrush(Paper);
    }
    QPainter &Painter() { return FPainter; }
    QCursor Finish(int hotX, int hotY)
    {
        FPainter.end();
        return QCursor(FPixmap, hotX, hotY);
    }

private:
    QPixmap FPixmap;
    QPainter FPainter;
};

// A rounded bubble with its tail ending at (tailX, tailY) below its left part.
void DrawBubble(QPainter &painter, const QRect &body, int tailX, int tailY)
{
    QPainterPath path;
    path.addRoundedRect(body, 6, 6);
    QPainterPath tail;
    const int base = body.left() + body.width() / 4;
    tail.moveTo(base, body.bottom() - 2);
    tail.lineTo(tailX, tailY);
    tail.lineTo(base + 7, body.bottom() - 2);
    tail.closeSubpath();
    painter.drawPath(path.united(tail));
}

QCursor Talk()
{
    TCursorPen pen;
    QPainter &p = pen.Painter();
    DrawBubble(p, QRect(6, 1, 24, 17), 1, 27);
    p.drawLine(11, 7, 24, 7);
    p.drawLine(11, 11, 20, 11);
    return pen.Finish(1, 27);
}

QCursor Sit()
{
    TCursorPen pen;
    QPainter &p = pen.Painter();
    // A chair seen from the side: back rest on the left, seat, two legs.
    p.drawRect(6, 2, 4, 26);    // back rest and back leg
    p.drawRect(6, 15, 19, 4);   // seat
    p.drawRect(21, 19, 4, 9);   // front leg
    return pen.Finish(16, 16);
}

void DrawFoot(QPainter &p, int x, int y)
{
    p.drawEllipse(x, y + 5, 7, 11); // sole
    p.drawEllipse(x + 1, y, 5, 5);  // heel
}

QCursor Walk()
{
    TCursorPen pen;
    QPainter &p = pen.Painter();
    // Two footprints, one step apart, walking up the picture.
    p.save();
    p.translate(CursorSize, CursorSize);
    p.rotate(180);
    DrawFoot(p, 17, 2);
    DrawFoot(p, 6, 12);
    p.restore();
    return pen.Finish(15, 15);
}

QCursor Shake()
{
    TCursorPen pen;
    QPainter &p = pen.Painter();
    // An open hand held out, fingers up; the hot spot is the tip of the middle finger.
    QPainterPath hand;
    hand.addRoundedRect(QRectF(8, 13, 16, 16), 4, 4); // palm
    hand.addRoundedRect(QRectF(8, 4, 3, 12), 1.5, 1.5); // fingers, a pixel apart
    hand.addRoundedRect(QRectF(12, 1, 3, 14), 1.5, 1.5);
    hand.addRoundedRect(QRectF(16, 2, 3, 14), 1.5, 1.5);
    hand.addRoundedRect(QRectF(20, 6, 3, 11), 1.5, 1.5);
    hand.addRoundedRect(QRectF(2, 14, 10, 5), 2, 2);  // thumb
    hand.setFillRule(Qt::WindingFill);
    p.drawPath(hand.simplified());
    return pen.Finish(13, 1);
}

QCursor Profile()
{
    TCursorPen pen;
    QPainter &p = pen.Painter();
    // A head on shoulders, as on an identity card.
    p.drawEllipse(9, 2, 14, 16);
    p.drawChord(3, 19, 26, 20, 0, 180 * 16);
    p.setBrush(Ink);
    p.drawRect(13, 8, 1, 2);
    p.drawRect(18, 8, 1, 2);
    p.drawLine(14, 13, 17, 13);
    return pen.Finish(16, 16);
}

QCursor PrivateChat()
{
    TCursorPen pen;
    QPainter &p = pen.Painter();
    // Two bubbles, the front one speaking down to the hot spot.
    DrawBubble(p, QRect(12, 1, 19, 13), 27, 19);
    DrawBubble(p, QRect(4, 9, 19, 13), 1, 29);
    p.drawLine(8, 15, 18, 15);
    return pen.Finish(1, 29);
}
} // namespace

QCursor DrawChattleCursor(int number)
{
    switch (number) {
    case crTalk:
        return Talk();
    case crSit:
        return Sit();
    case crWalk:
        return Walk();
    case crShake:
        return Shake();
    case crProfile:
        return Profile();
    case crPrivateChat:
        return PrivateChat();
    default:
        return QCursor(Qt::ArrowCursor);
    }
}

void RegisterChattleCursors()
{
    for (int number = crTalk; number <= crPrivateChat; ++number)
        RegisterCursor(number, DrawChattleCursor(number));
}
