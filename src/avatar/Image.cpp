#include "Image.h"

#include "Canvas.h"
#include "PaintBox.h"

#include <QPainter>
#include <QResizeEvent>
#include <algorithm>

namespace {
constexpr TPixel White = 0xFFFFFF;
}

TMxImage::TMxImage(QWidget *parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setAttribute(Qt::WA_OpaquePaintEvent);
    FPaintBox = new TMxPaintBox(this);
    setWidget(FPaintBox);
    setWidgetResizable(false);
}

TMxImage::~TMxImage() = default;

void TMxImage::SetFileName(const QString &fileName)
{
    FFileName = fileName;
    if (!FSurfaceBitmap)
        CreateSurface(0, 0);
    FSurfaceBitmap->LoadFromJPEGFile(fileName);
}

void TMxImage::SetDisplayedBitmap(TMxBitmap *bitmap)
{
    FDisplayedBitmap = bitmap;
    FitPaintBox();
}

void TMxImage::Paint(QPainter &target)
{
    if (FSurfaceBitmap && !FIsOptimized)
        FSurfaceBitmap->Draw(target);
}

void TMxImage::PaintBoxMouseDown(int, int, Qt::MouseButton) {}

void TMxImage::PaintBoxMouseMove(int, int) {}

void TMxImage::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    CreateSurface(width(), height());
    FSurfaceBitmap->Fill(White);
    FitPaintBox();
}

void TMxImage::CreateSurface(int width, int height)
{
    FSurfaceBitmap.reset();
    FSurfaceBitmap = std::make_unique<TMxBitmap>(width, height);
    FSurfaceBitmap->Realize();
}

// The paint box fills the client area, and covers a larger displayed bitmap so the box scrolls over it.
void TMxImage::FitPaintBox()
{
    QSize size = viewport()->size();
    if (FDisplayedBitmap)
        size = size.expandedTo(QSize(FDisplayedBitmap->Width(), FDisplayedBitmap->Height()));
    FPaintBox->resize(size);
}
