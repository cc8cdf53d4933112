#pragma once
// TMxPaintBox: the child of a TMxImage that receives the copies of the surface. It hands its paint and
// mouse notifications to its image, each inside the application's error guard.
#include <QWidget>

class TMxImage;

class TMxPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TMxPaintBox(TMxImage *image);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    TMxImage *FImage;
};
