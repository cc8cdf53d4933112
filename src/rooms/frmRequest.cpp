#include "frmRequest.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPaintEvent>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "AvatarProtocol.h"
#include "Dialogs.h"
#include "ErrorHook.h"
#include "GradientLabel.h"

namespace {
const int ButtonBarHeight = 52;

const QString IgnoreQuestion = QStringLiteral(
    "Do you want to ignore this user?  You will not receive any requests or text messages from this user.");

enum class TGlyph { Check, Cross, Block };

// The small pictures on the three buttons, drawn rather than loaded.
QIcon GlyphIcon(TGlyph glyph)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen;
    pen.setWidthF(2.6);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    switch (glyph) {
    case TGlyph::Check: {
        pen.setColor(QColor(0x1e, 0x8c, 0x2e));
        painter.setPen(pen);
        QPainterPath tick;
        tick.moveTo(2.5, 8.5);
        tick.lineTo(6.5, 12.5);
        tick.lineTo(13.5, 3.5);
        painter.drawPath(tick);
        break;
    }
    case TGlyph::Cross:
        pen.setColor(QColor(0xc6, 0x28, 0x28));
        painter.setPen(pen);
        painter.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        painter.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        break;
    case TGlyph::Block:
        pen.setColor(QColor(0x6e, 0x6e, 0x6e));
        pen.setWidthF(2.0);
        painter.setPen(pen);
        painter.drawEllipse(QRectF(2, 2, 12, 12));
        painter.drawLine(QPointF(4.3, 11.7), QPointF(11.7, 4.3));
        break;
    }
    return QIcon(pixmap);
}

// Buttons that never take the focus and never answer Enter.
QPushButton *MakeButton(const QString &name, const QString &caption, TGlyph glyph, QWidget *parent)
{
    auto *button = new QPushButton(GlyphIcon(glyph), caption, parent);
    button->setObjectName(name);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setMinimumHeight(28);
    return button;
}
} // namespace

TfrmRequest::TfrmRequest(QWidget *owner) : QDialog(owner, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmRequest"));
    setWindowTitle(QStringLiteral("Interaction Request"));
    setFixedSize(388, 188);
    setModal(false);

    LMDLabelFill1 = new TGradientLabel(QStringLiteral("Request"), this);
    LMDLabelFill1->setObjectName(QStringLiteral("LMDLabelFill1"));
    QFont titleFont(QStringLiteral("Arial"), 20, QFont::Bold);
    titleFont.setStyleHint(QFont::SansSerif);
    LMDLabelFill1->setFont(titleFont);
    LMDLabelFill1->setFixedHeight(50);
    LMDLabelFill1->setIndent(22);
    LMDLabelFill1->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    lblDescription = new QLabel(this);
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setTextFormat(Qt::PlainText); // the nick comes from the network
    lblDescription->setWordWrap(true);
    lblDescription->setFixedSize(344, 35);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont descriptionFont = lblDescription->font();
    descriptionFont.setPointSizeF(descriptionFont.pointSizeF() + 1.5);
    lblDescription->setFont(descriptionFont);

    BitBtn1 = MakeButton(QStringLiteral("BitBtn1"), QStringLiteral("Accept"), TGlyph::Check, this);
    QFont bold = BitBtn1->font();
    bold.setBold(true);
    BitBtn1->setFont(bold);
    BitBtn2 = MakeButton(QStringLiteral("BitBtn2"), QStringLiteral("Reject"), TGlyph::Cross, this);
    btnIgnore = MakeButton(QStringLiteral("btnIgnore"), QStringLiteral("Ignore this User..."), TGlyph::Block, this);
    BitBtn1->setMinimumWidth(92);
    BitBtn2->setMinimumWidth(92);

    auto *descriptionRow = new QHBoxLayout;
    descriptionRow->setContentsMargins(22, 0, 22, 0);
    descriptionRow->addWidget(lblDescription);
    descriptionRow->addStretch();

    auto *buttonRow = new QHBoxLayout;
    buttonRow->setContentsMargins(22, 0, 22, (ButtonBarHeight - 28) / 2);
    buttonRow->setSpacing(8);
    buttonRow->addWidget(BitBtn1);
    buttonRow->addWidget(BitBtn2);
    buttonRow->addStretch();
    buttonRow->addWidget(btnIgnore);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(LMDLabelFill1);
    layout->addStretch(1);
    layout->addLayout(descriptionRow);
    layout->addStretch(1);
    layout->addLayout(buttonRow);

    connect(BitBtn1, &QPushButton::clicked, this, [this] { BitBtn1Click(ResultAccept); });
    connect(BitBtn2, &QPushButton::clicked, this, [this] { BitBtn1Click(ResultReject); });
    connect(btnIgnore, &QPushButton::clicked, this, [this] { RunGuarded([this] { btnIgnoreClick(); }); });
}

void TfrmRequest::SetRequest(const QString &kind, const QString &requester)
{
    FKind = kind;
    FRequester = requester;
    lblDescription->setText(requester + QStringLiteral(" would like to ") + RequestPhrase(kind));
}

void TfrmRequest::FormActivate()
{
    if (QWidget *focused = focusWidget())
        focused->clearFocus();
}

void TfrmRequest::BitBtn1Click(int result)
{
    setResult(result);
    const QPointer<TfrmRequest> alive(this);
    // Whatever the answer's handler does, the dialog closes: the user has answered.
    RunGuarded([&] {
        if (OnAnswer)
            OnAnswer(this, FRequester, FKind);
    });
    if (alive)
        done(result);
}

void TfrmRequest::btnIgnoreClick()
{
    if (Confirm(this, IgnoreQuestion) == TDialogButton::Yes)
        BitBtn1Click(ResultIgnore);
}

void TfrmRequest::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!FActivated) {
        FActivated = true;
        FormActivate();
    }
}

void TfrmRequest::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    // A slightly darker bar behind the buttons sets them off from the question.
    QPainter painter(this);
    const QRect bar(0, height() - ButtonBarHeight, width(), ButtonBarHeight);
    painter.fillRect(bar, palette().color(QPalette::Window).darker(106));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(bar.topLeft(), bar.topRight());
}

void TfrmRequest::keyPressEvent(QKeyEvent *event)
{
    // Enter and Escape would answer or dismiss the request behind the user's back.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
