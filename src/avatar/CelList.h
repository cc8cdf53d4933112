#pragma once
// TMxCelList: the part picker strip of the character editor. Shows the cels of a borrowed sprite side by
// side in framed cells, outlines the selected one in red, and tells NotifyTarget when a click selects
// another cel.
#include "Image.h"
#include "Sprite.h"

#include <functional>
#include <memory>

class TMxCelList : public TMxImage {
    Q_OBJECT
public:
    explicit TMxCelList(QWidget *parent = nullptr);
    ~TMxCelList() override;

    TMxSprite *Sprite() const { return FSprite; }
    // Takes the cell size from the sprite; GroupEnd := CelCount - 1.
    void SetSprite(TMxSprite *sprite);

    // The sprite's CurrentIndex (-1 without a sprite).
    int Selected() const;
    void SetSelected(int index);

    // Cells shown: FirstIndex .. (FirstIndex == 0 ? GroupEnd - 1 : CelCount - 1), kept within the sprite.
    int FirstIndex = 0;
    int GroupEnd = 0;
    int RangeFirst() const;
    int RangeLast() const;

    int LeftMargin = 6;
    int TopMargin = 6;
    int CellWidth = 0;
    int CellHeight = 0;
    int Gap = 10;

    // The editor's handler of the selection notice (the window message 3024, both parameters 0).
    std::function<void()> NotifyTarget;

    // The index of the cell strictly inside whose frame (x, y) lies, or -1.
    int HitTest(int x, int y) const;
    // A mouse-down at (x, y): selects a new cell, repaints and notifies once.
    void Click(int x, int y);

protected:
    void Paint(QPainter &target) override;
    void PaintBoxMouseDown(int x, int y, Qt::MouseButton button) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void DrawCells();

    TMxSprite *FSprite = nullptr;
    std::unique_ptr<TMxBitmap> FDrawingBitmap;
};
