#pragma once
// TMxPaintBox: the child of a TMxImage that receives the copies of the surface. It hands its paint and
// mouse notifications to its image, each inside the application's error guard.
// One logical pixel is one surface pixel. On a high-resolution screen the copy is scaled by the device
// pixel ratio with nearest-neighbour sampling: at a whole ratio every surface pixel becomes an exact
// square block; at a fractional ratio (1.5) the surface still fills its logical size, in blocks of
// uneven width but never blended. Mouse positions are floored to the surface pixel shown under them.
#include <QWidget>

class TMxImage;

class TMxPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TMxPaintBox(TMxImage *image);

    // The pixel a mouse position lies in. Between logical pixels on a high-resolution screen (device
    // pixel 21 at ratio 2 is 10.5) rounding would pick the next pixel for half of every block.
    static QPoint PixelAt(const QPointF &position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    TMxImage *FImage;
};
