#pragma once
// TMxImage: a scroll box holding a paint box, with an off-screen surface bitmap of the control's size.
// Drawing code composes into the surface; every paint of the paint box copies the surface to it unless
// IsOptimized is set. Base class of the cel strip, the room surface and the profile picker.
#include "Bitmap.h"

#include <QScrollArea>
#include <QString>
#include <memory>

class TMxPaintBox;

class TMxImage : public QScrollArea {
    Q_OBJECT
public:
    explicit TMxImage(QWidget *parent = nullptr);
    ~TMxImage() override;

    QString FileName() const { return FFileName; }
    // Stores the name and loads the JPEG file into the surface (which takes the picture's size);
    // throws EFileError when it cannot be decoded.
    void SetFileName(const QString &fileName);

    TMxPaintBox *PaintBox() const { return FPaintBox; }
    // Realized, the control's size, white after every resize; nullptr before the first resize.
    TMxBitmap *SurfaceBitmap() const { return FSurfaceBitmap.get(); }

    // A bitmap a subclass shows (not owned); the paint box takes its size, so the box scrolls over it.
    TMxBitmap *DisplayedBitmap() const { return FDisplayedBitmap; }
    void SetDisplayedBitmap(TMxBitmap *bitmap);

    // When true the base paint copies nothing: the subclass has copied the changed part itself.
    bool IsOptimized() const { return FIsOptimized; }
    void SetIsOptimized(bool optimized) { FIsOptimized = optimized; }

protected:
    // The paint of the paint box: copies the whole surface to target unless IsOptimized.
    // Subclasses compose first and then call this.
    virtual void Paint(QPainter &target);
    // Mouse notifications of the paint box, in paint box pixels.
    virtual void PaintBoxMouseDown(int x, int y, Qt::MouseButton button);
    virtual void PaintBoxMouseMove(int x, int y);
    // A new white surface of the control's size; then the subclass's own resize work.
    void resizeEvent(QResizeEvent *event) override;

private:
    friend class TMxPaintBox;
    void FitPaintBox();
    void CreateSurface(int width, int height);

    QString FFileName;
    TMxPaintBox *FPaintBox = nullptr;
    std::unique_ptr<TMxBitmap> FSurfaceBitmap;
    TMxBitmap *FDisplayedBitmap = nullptr;
    bool FIsOptimized = false;
};
