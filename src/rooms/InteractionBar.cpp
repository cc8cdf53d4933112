#include "InteractionBar.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "FrameGlyphs.h"

namespace {
template <typename TControl>
TControl *Named(TControl *control, const char *name)
{
    control->setObjectName(QLatin1String(name));
    return control;
}

QToolButton *TurnButton(const char *name, const QString &hint, bool clockwise, QWidget *parent)
{
    auto *button = Named(new QToolButton(parent), name);
    button->setToolTip(hint);
    button->setIcon(TurnGlyph(clockwise));
    button->setAutoRaise(true);
    return button;
}
} // namespace

TInteractionBar::TInteractionBar(QWidget *parent)
    : QWidget(parent), btnExit(Named(new QPushButton(ExitGlyph(), QString(), this), "btnExit")),
      lblInteraction(Named(new QLabel(QStringLiteral("Interaction"), this), "lblInteraction")),
      cboInteraction(Named(new QComboBox(this), "cboInteraction")),
      btnPerform(Named(new QPushButton(QStringLiteral("Do It!"), this), "btnPerform")),
      btnNames(Named(new QPushButton(QStringLiteral("Show Names"), this), "btnNames")),
      sbutTurnClockwise(TurnButton("sbutTurnClockwise", QStringLiteral("Turn Clockwise"), true, this)),
      sbutTurnCounterClockwise(
          TurnButton("sbutTurnCounterClockwise", QStringLiteral("Turn Counter-Clockwise"), false, this))
{
    setObjectName(QStringLiteral("Panel2"));
    setFixedHeight(BarHeight);
    btnExit->setToolTip(QStringLiteral("Leave"));
    btnExit->setFixedSize(30, 24);
    cboInteraction->addItems({QStringLiteral("Handshake"), QStringLiteral("High 5"), QStringLiteral("Hug"),
                              QStringLiteral("Kiss"), QStringLiteral("Wave")});
    cboInteraction->setFixedHeight(22);
    btnPerform->setFixedHeight(24);
    btnNames->setCheckable(true);
    btnNames->setFixedHeight(24);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(4);
    layout->addWidget(btnExit);
    layout->addSpacing(6);
    layout->addWidget(lblInteraction);
    layout->addWidget(cboInteraction);
    layout->addWidget(btnPerform);
    layout->addSpacing(6);
    layout->addWidget(btnNames);
    layout->addWidget(sbutTurnCounterClockwise);
    layout->addWidget(sbutTurnClockwise);
    layout->addStretch(1);
}
