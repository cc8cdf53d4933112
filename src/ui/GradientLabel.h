#pragma once
// A label drawn on a left-to-right colour gradient: the title strips of Chattle's small dialogs.
#include <QColor>
#include <QLabel>

class TGradientLabel : public QLabel {
    Q_OBJECT
public:
    explicit TGradientLabel(const QString &text, QWidget *parent = nullptr);

    void SetColors(const QColor &from, const QColor &to);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor FFrom;
    QColor FTo;
};
