#include "frmChannels.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "AppShell.h"
#include "AvatarProtocol.h"
#include "ChannelRowDelegate.h"
#include "ErrorHook.h"
#include "MxIRCConnection.h"
#include "frmNewChannel.h"

namespace {
const QString RelistCommand = QStringLiteral("LIST >1 ");

QPushButton *NewButton(const QString &name, const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    return button;
}
} // namespace

TfrmChannels::TfrmChannels(QWidget *Owner, TAppShell *Shell)
    : QWidget(Owner, Qt::Window | Qt::WindowStaysOnTopHint),
      lblPrompt(new QLabel(QStringLiteral("Select a Channel and press the Go! button, or create a new Channel"), this)),
      radAllChannels(new QRadioButton(QStringLiteral("All Channels"), this)),
      radAVOnly(new QRadioButton(QStringLiteral("Channels with Visual Users Only"), this)),
      btnSortChannel(NewButton(QStringLiteral("btnSortChannel"), QStringLiteral("Channel"), this)),
      btnSortUsers(NewButton(QStringLiteral("btnSortUsers"), QStringLiteral("# Users"), this)),
      btnSortDesc(NewButton(QStringLiteral("btnSortDesc"), QStringLiteral("Description"), this)),
      lstChannels(new QListView(this)),
      btnStopListing(NewButton(QStringLiteral("btnStopListing"), QStringLiteral("Stop Listing"), this)),
      btnNewChannel(NewButton(QStringLiteral("btnNewChannel"), QStringLiteral("Create New Channel..."), this)),
      btnGo(NewButton(QStringLiteral("btnGo"), QStringLiteral("Go!"), this)),
      btnCancel(NewButton(QStringLiteral("btnCancel"), QStringLiteral("Cancel"), this)), FShell(Shell),
      FChannels(new TChannelListModel(this)), FCommitTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("frmChannels"));
    setWindowTitle(QStringLiteral("Channels"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(600, 345);
    lblPrompt->setObjectName(QStringLiteral("lblPrompt"));
    radAllChannels->setObjectName(QStringLiteral("radAllChannels"));
    radAVOnly->setObjectName(QStringLiteral("radAVOnly"));
    lstChannels->setObjectName(QStringLiteral("lstChannels"));
    radAllChannels->setChecked(true);
    FCommitTimer->setSingleShot(true);
    FCommitTimer->setInterval(0);
    connect(FCommitTimer, &QTimer::timeout, this, [this] { FChannels->Commit(FSort); });

    lstChannels->setModel(FChannels);
    lstChannels->setItemDelegate(new TChannelRowDelegate(lstChannels));
    lstChannels->setUniformItemSizes(true);
    lstChannels->setSelectionMode(QAbstractItemView::SingleSelection);
    lstChannels->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstChannels->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstChannels->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto guarded = [this](void (TfrmChannels::*handler)()) {
        return [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); };
    };
    connect(radAllChannels, &QRadioButton::clicked, this, guarded(&TfrmChannels::radAVOnlyClick));
    connect(radAVOnly, &QRadioButton::clicked, this, guarded(&TfrmChannels::radAVOnlyClick));
    connect(btnSortChannel, &QPushButton::clicked, this, [this] { SortBy(TChannelSort::ByChannel); });
    connect(btnSortUsers, &QPushButton::clicked, this, [this] { SortBy(TChannelSort::ByUsers); });
    connect(btnSortDesc, &QPushButton::clicked, this, [this] { SortBy(TChannelSort::ByDescription); });
    connect(lstChannels, &QListView::doubleClicked, this, guarded(&TfrmChannels::btnGoClick));
    connect(btnStopListing, &QPushButton::clicked, this, guarded(&TfrmChannels::btnStopListingClick));
    connect(btnNewChannel, &QPushButton::clicked, this, guarded(&TfrmChannels::btnNewChannelClick));
    connect(btnGo, &QPushButton::clicked, this, guarded(&TfrmChannels::btnGoClick));
    connect(btnCancel, &QPushButton::clicked, this, &QWidget::close);

    auto *filters = new QHBoxLayout;
    filters->addWidget(radAllChannels);
    filters->addSpacing(16);
    filters->addWidget(radAVOnly);
    filters->addStretch(1);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnStopListing);
    buttons->addWidget(btnNewChannel);
    buttons->addStretch(1);
    buttons->addWidget(btnGo);
    buttons->addWidget(btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lblPrompt);
    layout->addLayout(filters);
    layout->addSpacing(4);
    layout->addWidget(ColumnHeader());
    layout->addWidget(lstChannels, 1);
    layout->addLayout(buttons);
    layout->setSpacing(4);
    layout->setContentsMargins(8, 8, 8, 8);
}

// The sort buttons sit over the columns the rows are drawn in.
QWidget *TfrmChannels::ColumnHeader()
{
    auto *header = new QWidget(this);
    auto *row = new QHBoxLayout(header);
    const int frame = lstChannels->frameWidth();
    row->setContentsMargins(frame, 0, frame, 0);
    row->setSpacing(0);
    btnSortChannel->setFixedWidth(TChannelRowDelegate::UsersX);
    btnSortUsers->setFixedWidth(TChannelRowDelegate::DescX - TChannelRowDelegate::UsersX);
    row->addWidget(btnSortChannel);
    row->addWidget(btnSortUsers);
    row->addWidget(btnSortDesc, 1);
    for (QPushButton *button : {btnSortChannel, btnSortUsers, btnSortDesc})
        button->setFocusPolicy(Qt::NoFocus);
    return header;
}

void TfrmChannels::ShowBrowser()
{
    show();
    raise();
    activateWindow();
}

void TfrmChannels::AddChannel(const QString &Name, int Users, const QString &Topic)
{
    if (Name.isEmpty())
        return; // nothing anyone could join
    const QString topic = WithoutModePrefix(Topic);
    const bool companion = IsCompanionName(Name);
    const QString room = RoomOfChannel(Name);
    if (companion) {
        if (TChannelInfo *entry = FChannels->FindName(room)) {
            entry->CompanionTopic = topic;
            return;
        }
    }
    if (radAVOnly->isChecked() != companion) {
        // A companion listed before its room still gives the room its picture.
        if (companion)
            FEarlyCompanionTopics.insert(room, topic);
        return;
    }
    // In the visual-only mode a row is its companion, so its topic is the companion topic.
    const QString companionTopic = companion ? topic : FEarlyCompanionTopics.take(room);
    if (FChannels->Queue(TChannelInfo{room, topic, companionTopic, Users}) && !FCommitTimer->isActive())
        FCommitTimer->start();
}

void TfrmChannels::SortBy(TChannelSort Sort)
{
    FSort = Sort;
    FChannels->Sort(Sort);
}

void TfrmChannels::radAVOnlyClick()
{
    FChannels->Clear();
    FEarlyCompanionTopics.clear();
    if (FShell && FShell->Connection())
        FShell->Connection()->SendCommand(RelistCommand);
}

void TfrmChannels::btnStopListingClick()
{
    if (FShell)
        FShell->StopChannelListing();
}

void TfrmChannels::btnGoClick()
{
    const QModelIndexList selected = lstChannels->selectionModel()->selectedRows();
    if (selected.isEmpty())
        return;
    const TChannelInfo chosen = FChannels->Entry(selected.first().row());
    if (OnJoinChannel)
        OnJoinChannel(chosen.ChannelName, chosen.CompanionTopic);
    close();
}

void TfrmChannels::btnNewChannelClick()
{
    const QPointer<TfrmChannels> self(this);
    const bool ownDialog = !NewChannelDialog;
    const QPointer<TfrmNewChannel> dialog = ownDialog ? new TfrmNewChannel(this) : NewChannelDialog.data();
    dialog->Reset();
    const bool created = dialog->exec() == QDialog::Accepted;
    if (!self || !dialog)
        return;
    const QString name = dialog->txtChannel->text();
    const QString description = dialog->txtDesc->text();
    const QString background = dialog->BackgroundFile();
    if (ownDialog)
        delete dialog;
    if (!created)
        return;
    if (OnNewChannel)
        OnNewChannel(name, description, background);
    close();
}

void TfrmChannels::closeEvent(QCloseEvent *Event)
{
    if (auto closed = std::exchange(OnClosed, nullptr))
        closed();
    Event->accept();
}

void TfrmChannels::keyPressEvent(QKeyEvent *Event)
{
    if (Event->key() == Qt::Key_Return || Event->key() == Qt::Key_Enter)
        RunGuarded([this] { btnGoClick(); });
    else if (Event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(Event);
}
