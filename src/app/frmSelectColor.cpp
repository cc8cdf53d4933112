#include "frmSelectColor.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <cmath>

#include "ErrorHook.h"
#include "PaintBox.h"

namespace {
QColor ToQColor(TPixel pixel) { return QColor::fromRgb(pixel & 0xFFFFFF); }

// The gradient box: shows the dialog's gradient picture and reports mouse-downs.
class TGradientBox : public QWidget {
public:
    explicit TGradientBox(TfrmSelectColor *Owner) : QWidget(Owner), FOwner(Owner) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        RunGuarded([this] {
            QPainter painter(this);
            painter.drawImage(0, 0, FOwner->GradientImage());
        });
    }
    void mousePressEvent(QMouseEvent *event) override
    {
        const QPoint at = TMxPaintBox::PixelAt(event->position());
        RunGuarded([&] { FOwner->pboxGradientMouseDown(at.x(), at.y()); });
    }

private:
    TfrmSelectColor *FOwner;
};

// The sample of the current colour, framed.
class TColorSample : public QWidget {
public:
    TColorSample(QWidget *Parent, const TPixel &Color) : QWidget(Parent), FColor(Color) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), ToQColor(FColor));
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

private:
    const TPixel &FColor;
};

QPushButton *MakeButton(const char *Name, const QString &Caption, const QRect &Place, QWidget *Parent)
{
    auto *button = new QPushButton(Caption, Parent);
    button->setObjectName(QLatin1String(Name));
    button->setGeometry(Place);
    return button;
}
} // namespace

TfrmSelectColor::TfrmSelectColor(QWidget *Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("frmSelectColor"));
    setWindowTitle(QStringLiteral("frmSelectColor"));
    setFixedSize(406, 191);

    pboxGradient = new TGradientBox(this);
    pboxGradient->setObjectName(QStringLiteral("pboxGradient"));
    pboxGradient->setGeometry(33, 16, 340, 80);
    pboxGradient->setCursor(Qt::CrossCursor);

    lblColor = new QLabel(QStringLiteral("Color"), this);
    lblColor->setObjectName(QStringLiteral("lblColor"));
    lblColor->setGeometry(33, 112, 40, 20);

    pboxSelection = new TColorSample(this, FCurrentColor);
    pboxSelection->setObjectName(QStringLiteral("pboxSelection"));
    pboxSelection->setGeometry(76, 108, 90, 28);

    Button2 = MakeButton("Button2", QStringLiteral("&Ok"), QRect(217, 150, 75, 27), this);
    Button1 = MakeButton("Button1", QStringLiteral("&Cancel"), QRect(298, 150, 75, 27), this);
    Button2->setDefault(true);
    connect(Button2, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmSelectColor::Clear()
{
    FGradients.clear();
    Changed();
}

void TfrmSelectColor::AddGradient(TPixel From, TPixel To)
{
    FGradients.append({From, To});
    FCurrentColor = From;
    Changed();
}

TPixel TfrmSelectColor::CellColor(const TGradientColors &Gradient, int Cell)
{
    const double share = double(Cell) / CellsPerRow;
    TPixel result = 0;
    for (int shift : {16, 8, 0}) {
        const int from = int((Gradient.From >> shift) & 0xFF);
        const int to = int((Gradient.To >> shift) & 0xFF);
        // nearbyint rounds in the current mode: to nearest, a half to the even neighbour.
        const auto channel = TPixel(std::nearbyint(from + (to - from) * share));
        result |= channel << shift;
    }
    return result;
}

QImage TfrmSelectColor::GradientImage() const
{
    QImage image(pboxGradient->size(), QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Window));
    QPainter painter(&image);
    const int cellWidth = image.width() / CellsPerRow;
    for (int k = 1; k <= FGradients.size(); ++k) {
        for (int j = 0; j < CellsPerRow; ++j)
            painter.fillRect(j * cellWidth, RowHeight * k, cellWidth, RowHeight,
                             ToQColor(CellColor(FGradients[k - 1], j)));
    }
    return image;
}

void TfrmSelectColor::pboxGradientMouseDown(int X, int Y)
{
    const QImage image = GradientImage();
    if (!image.valid(X, Y))
        return;
    const TPixel picked = image.pixel(X, Y) & 0xFFFFFF;
    if (picked != (palette().color(QPalette::Window).rgb() & 0xFFFFFF))
        FCurrentColor = picked;
    Changed();
}

void TfrmSelectColor::Changed()
{
    pboxGradient->update();
    pboxSelection->update();
}
