#include "CelList.h"

#include "Canvas.h"
#include "ColourConversions.h"
#include "PaintBox.h"

#include <QResizeEvent>
#include <algorithm>

namespace {
constexpr TPixel White = 0xFFFFFF;
// The selection outline: red in the platform's colour form.
constexpr std::uint32_t SelectionPenColour = 255;
} // namespace

TMxCelList::TMxCelList(QWidget *parent) : TMxImage(parent) {}

TMxCelList::~TMxCelList()
{
    // The paint box may still point at the drawing bitmap until the base class goes.
    SetDisplayedBitmap(nullptr);
}

void TMxCelList::SetSprite(TMxSprite *sprite)
{
    FSprite = sprite;
    if (FSprite) {
        CellWidth = FSprite->Width();
        CellHeight = FSprite->Height();
        GroupEnd = FSprite->CelCount() - 1;
    }
}

int TMxCelList::Selected() const { return FSprite ? FSprite->CurrentIndex : -1; }

void TMxCelList::SetSelected(int index)
{
    if (FSprite)
        FSprite->CurrentIndex = index;
}

int TMxCelList::RangeFirst() const { return std::max(FirstIndex, 0); }

int TMxCelList::RangeLast() const
{
    if (!FSprite)
        return -1;
    const int last = FirstIndex == 0 ? GroupEnd - 1 : FSprite->CelCount() - 1;
    return std::min(last, FSprite->CelCount() - 1);
}

int TMxCelList::HitTest(int x, int y) const
{
    int left = LeftMargin;
    for (int i = RangeFirst(); i <= RangeLast(); ++i) {
        if (left < x && x < left + CellWidth + 2 && TopMargin < y && y < TopMargin + CellHeight + 2)
            return i;
        left += CellWidth + Gap;
    }
    return -1;
}

void TMxCelList::Click(int x, int y)
{
    const int i = HitTest(x, y);
    if (i == -1 || i == Selected())
        return;
    SetSelected(i);
    PaintBox()->update();
    if (NotifyTarget)
        NotifyTarget();
}

void TMxCelList::PaintBoxMouseDown(int x, int y, Qt::MouseButton) { Click(x, y); }

void TMxCelList::resizeEvent(QResizeEvent *event)
{
    TMxImage::resizeEvent(event);
    if (!FDrawingBitmap) {
        FDrawingBitmap = std::make_unique<TMxBitmap>(width(), height());
        FDrawingBitmap->Realize();
    } else {
        FDrawingBitmap->SetSize(width(), height());
    }
    SetDisplayedBitmap(FDrawingBitmap.get());
}

void TMxCelList::DrawCells()
{
    TMxCanvas &canvas = *FDrawingBitmap->Canvas();
    const QColor black(Qt::black);
    FDrawingBitmap->Fill(White);
    canvas.SetPenColor(black);
    int x = LeftMargin;
    const int y = TopMargin;
    for (int i = RangeFirst(); i <= RangeLast(); ++i) {
        canvas.Rectangle(x, y, x + CellWidth + 2, y + CellHeight + 2);
        if (i == Selected()) {
            canvas.SetPenColor(QColor::fromRgb(SwapRedBlue(SelectionPenColour)));
            canvas.SetBrushStyle(Qt::NoBrush);
            canvas.Rectangle(x - 1, y - 1, x + CellWidth + 3, y + CellHeight + 3);
            canvas.SetPenColor(black);
            canvas.SetBrushStyle(Qt::SolidPattern);
        }
        FSprite->CelBitmap(i).DrawTo(*FDrawingBitmap, x + 1, y + 1);
        x += CellWidth + Gap;
    }
}

void TMxCelList::Paint(QPainter &target)
{
    if (FSprite && FDrawingBitmap && SurfaceBitmap()) {
        DrawCells();
        FDrawingBitmap->DrawTo(*SurfaceBitmap(), 0, 0);
    }
    TMxImage::Paint(target);
}
