#pragma once
// TfrmSelectColor: the editor's colour picker for skin and hair. It shows rows of colour gradients,
// 20 cells each, and a click on a cell makes that cell's colour the current one.
#include <QDialog>
#include <QImage>
#include <QList>

#include "Bitmap.h"

class QLabel;
class QPushButton;

struct TGradientColors {
    TPixel From = 0; // 0x00RRGGBB
    TPixel To = 0;
};

class TfrmSelectColor : public QDialog {
    Q_OBJECT
public:
    static constexpr int CellsPerRow = 20;
    static constexpr int RowHeight = 15;

    explicit TfrmSelectColor(QWidget *Parent = nullptr);

    // Removes every gradient.
    void Clear();
    // Appends a row from From to To and makes From the current colour.
    void AddGradient(TPixel From, TPixel To);
    const QList<TGradientColors> &Gradients() const { return FGradients; }

    // The chosen colour (0x00RRGGBB), read after the dialog closed with Accepted.
    TPixel CurrentColor() const { return FCurrentColor; }

    // Cell (0 to 19) of a gradient: From plus Cell/20 of the way to To, per channel, a half rounded to
    // the even neighbour.
    static TPixel CellColor(const TGradientColors &Gradient, int Cell);

    // The gradient box as painted: the dialog's background with one row of cells per gradient.
    QImage GradientImage() const;
    // A mouse-down on the gradient box: the colour under the mouse becomes current unless it is the
    // dialog's background.
    void pboxGradientMouseDown(int X, int Y);

private:
    void Changed();

    QWidget *pboxGradient;
    QLabel *lblColor;
    QWidget *pboxSelection;
    QPushButton *Button2;
    QPushButton *Button1;

    QList<TGradientColors> FGradients;
    TPixel FCurrentColor = 0;
};
