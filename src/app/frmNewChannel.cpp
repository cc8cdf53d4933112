#include "frmNewChannel.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "AvatarProtocol.h"

namespace {
const QStringList BackgroundNames = {QStringLiteral("Manor"), QStringLiteral("Living Room"), QStringLiteral("Beach")};
}

TfrmNewChannel::TfrmNewChannel(QWidget *Owner)
    : QDialog(Owner, Qt::Dialog | Qt::WindowStaysOnTopHint), txtChannel(new QLineEdit(this)),
      txtDesc(new QLineEdit(this)), radBG(new QGroupBox(QStringLiteral("Background Image"), this)),
      radBGItems(new QButtonGroup(this)), btnOk(new QPushButton(QStringLiteral("&Ok"), this)),
      btnCancel(new QPushButton(QStringLiteral("&Cancel"), this))
{
    setObjectName(QStringLiteral("frmNewChannel"));
    setWindowTitle(QStringLiteral("Create New Channel"));
    txtChannel->setObjectName(QStringLiteral("txtChannel"));
    txtDesc->setObjectName(QStringLiteral("txtDesc"));
    radBG->setObjectName(QStringLiteral("radBG"));
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto *pictures = new QHBoxLayout(radBG);
    for (int i = 0; i < BackgroundNames.size(); ++i) {
        auto *item = new QRadioButton(BackgroundNames.at(i), radBG);
        radBGItems->addButton(item, i);
        pictures->addWidget(item);
    }

    btnOk->setDefault(true);
    connect(btnOk, &QPushButton::clicked, this, &TfrmNewChannel::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Channel / Room Name"), this));
    layout->addWidget(txtChannel);
    layout->addWidget(new QLabel(QStringLiteral("Description"), this));
    layout->addWidget(txtDesc);
    layout->addWidget(radBG);
    layout->addLayout(buttons);
    setFixedWidth(360);
    Reset();
}

void TfrmNewChannel::Reset()
{
    txtChannel->clear();
    txtDesc->clear();
    radBGItems->button(0)->setChecked(true);
    txtChannel->setFocus();
}

QString TfrmNewChannel::BackgroundFile() const
{
    switch (radBGItems->checkedId()) {
    case 0:
        return RoomBackground::Manor;
    case 1:
        return RoomBackground::LivingRoom;
    default:
        return RoomBackground::Beach;
    }
}

void TfrmNewChannel::btnOkClick()
{
    // An empty name is refused without a word; the dialog stays.
    if (txtChannel->text().isEmpty())
        return;
    if (!txtChannel->text().startsWith(QLatin1Char('#')))
        txtChannel->setText(QLatin1Char('#') + txtChannel->text());
    accept();
}
