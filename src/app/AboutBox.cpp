#include "AboutBox.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "ProductInfo.h"

TAboutBox::TAboutBox(QWidget *Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("dlgAbout"));
    setWindowTitle(QStringLiteral("About ") + ProductName);

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("imgIcon"));
    icon->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);

    auto *name = new QLabel(ProductName, this);
    name->setObjectName(QStringLiteral("lblName"));
    QFont nameFont = name->font();
    nameFont.setPixelSize(24);
    nameFont.setBold(true);
    name->setFont(nameFont);
    name->setStyleSheet(QStringLiteral("color: navy"));

    auto *version = new QLabel(QStringLiteral("Beta Version ") + ProductVersion, this);
    version->setObjectName(QStringLiteral("lblVersion"));
    auto *maker = new QLabel(QStringLiteral("Copyright \u00a9 ") + MakerName, this);
    maker->setObjectName(QStringLiteral("lblMaker"));
    auto *link = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(MakerWebAddress.toHtmlEscaped()), this);
    link->setObjectName(QStringLiteral("lblWebsite"));
    link->setTextFormat(Qt::RichText);
    link->setOpenExternalLinks(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto *texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addSpacing(8);
    texts->addWidget(maker);
    texts->addWidget(link);
    auto *top = new QHBoxLayout;
    if (!icon->pixmap().isNull())
        top->addWidget(icon);
    else
        icon->hide();
    top->addSpacing(8);
    top->addLayout(texts, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
