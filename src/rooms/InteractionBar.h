#pragma once
// The bar under a room: the exit button, the interaction choice with "Do It!", the names toggle and
// the two turn buttons. The room frame binds what they do.
#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;

class TInteractionBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int BarHeight = 26;

    explicit TInteractionBar(QWidget *parent);

    // Controls (objectName = member name).
    QPushButton *btnExit;
    QLabel *lblInteraction;
    QComboBox *cboInteraction; // "Handshake", "High 5", "Hug", "Kiss", "Wave"
    QPushButton *btnPerform;
    QPushButton *btnNames;
    QToolButton *sbutTurnClockwise;
    QToolButton *sbutTurnCounterClockwise;
};
