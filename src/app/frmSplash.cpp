#include "frmSplash.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ErrorHook.h"
#include "LoginWindow.h"
#include "ProductInfo.h"

namespace {
constexpr int IconSide = 48;

QLabel *MakeLabel(const QString &name, const QString &text, int pixelSize, bool bold, const QColor &colour,
                  QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    label->setFont(font);
    QPalette colours = label->palette();
    colours.setColor(QPalette::WindowText, colour);
    label->setPalette(colours);
    return label;
}
} // namespace

TfrmSplash::TfrmSplash(TLoginWindow *LoginWindow, QWidget *Owner)
    : QDialog(Owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      FLoginWindow(LoginWindow)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Welcome to %1!").arg(ProductName));
    setFixedSize(367, 169);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);

    imgIcon = new QLabel(this);
    imgIcon->setObjectName(QStringLiteral("imgIcon"));
    imgIcon->setFixedSize(IconSide, IconSide);
    imgIcon->setPixmap(QApplication::windowIcon().pixmap(IconSide, IconSide));

    auto *title = MakeLabel(QStringLiteral("lblTitle"), ProductName, 24, true, QColor(0, 0, 0x80), this);
    auto *maker = MakeLabel(QStringLiteral("lblMaker"), QStringLiteral("by %1").arg(MakerName), 12, false,
                            QColor(0x40, 0x40, 0x40), this);
    auto *loading = MakeLabel(QStringLiteral("lblLoading"), LoadingText, 12, false, Qt::black, this);

    btnOk = new QPushButton(QStringLiteral("&Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setEnabled(false);
    btnOk->setMinimumWidth(75);
    connect(btnOk, &QPushButton::clicked, this, [this] { RunGuarded([this] { btnOkClick(); }); });

    auto *heading = new QVBoxLayout;
    heading->setSpacing(2);
    heading->addWidget(title);
    heading->addWidget(maker);
    auto *top = new QHBoxLayout;
    top->setSpacing(14);
    top->addWidget(imgIcon, 0, Qt::AlignTop);
    top->addLayout(heading);
    top->addStretch();
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(loading, 0, Qt::AlignVCenter);
    bottom->addStretch();
    bottom->addWidget(btnOk);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->addLayout(top);
    layout->addStretch();
    layout->addLayout(bottom);
}

void TfrmSplash::LoadingDone()
{
    btnOk->setEnabled(true);
    btnOk->setDefault(true);
    activateWindow();
    btnOk->setFocus();
}

void TfrmSplash::btnOkClick()
{
    if (!btnOk->isEnabled())
        return;
    FConfirmed = true;
    if (FLoginWindow)
        FLoginWindow->ShowLogin();
    accept();
}

void TfrmSplash::reject()
{
    if (FConfirmed)
        QDialog::reject();
    else if (btnOk->isEnabled())
        btnOkClick();
}
