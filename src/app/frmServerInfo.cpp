#include "frmServerInfo.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "Dialogs.h"
#include "ErrorHook.h"
#include "ServerList.h"

namespace {
const QString ExampleHost = QStringLiteral("irc.undernet.org");

QLineEdit *MakeEdit(const QString &Name, const QString &Caption, QWidget *Parent, QVBoxLayout *Layout)
{
    auto *label = new QLabel(Caption, Parent);
    auto *edit = new QLineEdit(Parent);
    edit->setObjectName(Name);
    label->setBuddy(edit);
    Layout->addWidget(label);
    Layout->addWidget(edit);
    Layout->addSpacing(6);
    return edit;
}
} // namespace

TfrmServerInfo::TfrmServerInfo(QWidget *Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("frmServerInfo"));
    setWindowTitle(QStringLiteral("Server Information"));
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(3);
    txtDesc = MakeEdit(QStringLiteral("txtDesc"), QStringLiteral("Server Description"), this, layout);
    txtAddress = MakeEdit(QStringLiteral("txtAddress"), QStringLiteral("Server Address"), this, layout);
    txtPort = MakeEdit(QStringLiteral("txtPort"), QStringLiteral("Port"), this, layout);
    // Digits only; the box may still pass through 0 or 70000 while typing, which "&Ok" refuses.
    txtPort->setValidator(new QIntValidator(1, 65535, txtPort));
    txtPort->setMaxLength(5);
    txtPort->setFixedWidth(80);

    chkSecure = new QCheckBox(QStringLiteral("Secure connection (TLS)"), this);
    chkSecure->setObjectName(QStringLiteral("chkSecure"));
    chkPasswordWithoutTls = new QCheckBox(QStringLiteral("Allow password login without TLS"), this);
    chkPasswordWithoutTls->setObjectName(QStringLiteral("chkPasswordWithoutTls"));
    chkPasswordWithoutTls->setToolTip(
        QStringLiteral("Lets the character's password go to the server's login over a connection anyone on the "
                       "way can read."));
    layout->addWidget(chkSecure);
    layout->addWidget(chkPasswordWithoutTls);
    connect(chkSecure, &QCheckBox::toggled, this, [this](bool secure) {
        chkPasswordWithoutTls->setEnabled(!secure);
        const QString from = QString::number(secure ? ServerList::DefaultPort : ServerList::DefaultSecurePort);
        if (txtPort->text() == from)
            txtPort->setText(QString::number(secure ? ServerList::DefaultSecurePort : ServerList::DefaultPort));
    });

    btnOk = new QPushButton(QStringLiteral("&Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    connect(btnOk, &QPushButton::clicked, this, [this] { RunGuarded([this] { btnOkClick(); }); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(320, sizeHint().height());
}

void TfrmServerInfo::btnOkClick()
{
    if (txtDesc->text().trimmed().isEmpty())
        ShowMessage(this, QStringLiteral("Please enter a description."));
    else if (txtAddress->text().trimmed().isEmpty())
        ShowMessage(this, QStringLiteral("Please enter a server address.  ie. ") + ExampleHost);
    else if (!txtPort->text().isEmpty() && !ServerList::ParsePort(txtPort->text()))
        ShowMessage(this, QStringLiteral("Please enter a port number from 1 to 65535."));
    else
        accept();
}
