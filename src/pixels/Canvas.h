#pragma once
// TMxCanvas: the drawing surface of a realized TMxBitmap, a QImage (RGB32) wrapping the bitmap's section
// pixels with one QPainter that stays open while the bitmap is realized. It keeps a pen, a brush and a
// font like a window's drawing context. Qt writes 0xFF into the top byte of what it draws; the bitmap's
// pixel reads mask it off.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdint>

class TMxCanvas {
public:
    // pixels: width x height 32-bit pixels that outlive the canvas.
    TMxCanvas(std::uint32_t *pixels, int width, int height);
    ~TMxCanvas();
    TMxCanvas(const TMxCanvas &) = delete;
    TMxCanvas &operator=(const TMxCanvas &) = delete;

    QColor PenColor() const { return FPenColor; }
    void SetPenColor(const QColor &c) { FPenColor = c; }
    QColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(const QColor &c) { FBrushColor = c; }
    // Qt::SolidPattern (the default) or Qt::NoBrush: no fill, and text without a background box.
    Qt::BrushStyle BrushStyle() const { return FBrushStyle; }
    void SetBrushStyle(Qt::BrushStyle style) { FBrushStyle = style; }
    QFont Font() const { return FFont; }
    void SetFont(const QFont &font) { FFont = font; }
    QColor FontColor() const { return FFontColor; }
    void SetFontColor(const QColor &c) { FFontColor = c; }

    int TextWidth(const QString &text) const;
    int TextHeight(const QString &text) const;
    // Text with its cell's top-left corner at (x, y); the cell is filled with the brush colour first
    // unless the brush style is Qt::NoBrush.
    void TextOut(int x, int y, const QString &text);
    // Outline with the pen and interior with the brush; right and bottom are exclusive.
    void Rectangle(int left, int top, int right, int bottom);

    // For anything else; the pen, brush and font above are applied by the operations of this class only.
    QPainter &Painter() { return FPainter; }
    const QImage &Image() const { return FImage; }

private:
    QImage FImage;
    QPainter FPainter;
    QColor FPenColor = Qt::black;
    QColor FBrushColor = Qt::white;
    Qt::BrushStyle FBrushStyle = Qt::SolidPattern;
    QFont FFont;
    QColor FFontColor = Qt::black;
};
