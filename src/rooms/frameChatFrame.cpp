#include "frameChatFrame.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "AvatarProtocol.h"
#include "ConversationWriter.h"
#include "Dialogs.h"
#include "ErrorHook.h"
#include "FrameGlyphs.h"
#include "MemberList.h"
#include "PersonaInst.h"
#include "PersonaSpace.h"
#include "frameText.h"
#include "frmRequest.h"

namespace {
const QChar ColourCode(0x03);
const QString SystemSender = QStringLiteral("System");
// A nick taken from the member list keeps at most this many characters after its mark.
constexpr int MaxPrivateNick = 99;
constexpr int MemberPanelWidth = 87;
constexpr int InteractionBarHeight = 26;
// The choices of the interaction bar, in the list's order.
const QStringList InteractionChoices = {QStringLiteral("Handshake"), QStringLiteral("High 5"),
                                        QStringLiteral("Hug"), QStringLiteral("Kiss"), QStringLiteral("Wave")};

QString GreenLine(const QString &text) { return ColourCode + QStringLiteral("3*** ") + text; }

QLabel *MakeLabel(const char *name, const QString &caption, QWidget *parent)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

QListWidget *MakeMemberList(const char *name, QWidget *parent)
{
    auto *list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    PrepareMemberList(*list);
    return list;
}
} // namespace

TframeChatFrame::TframeChatFrame(QWidget *parent)
    : QWidget(parent), pnlChat(new QWidget(this)), frameChatText(new TframeText(pnlChat)),
      timeTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("frameChatFrame"));
    resize(522, 329);

    pnlChat->setObjectName(QStringLiteral("pnlChat"));
    pnlChat->setMaximumSize(TPersonaSpace::RoomWidth, TPersonaSpace::RoomHeight);
    pnlChat->installEventFilter(this);
    frameChatText->setGeometry(4, 5, 357, 172);

    timeTimer->setObjectName(QStringLiteral("timeTimer"));
    timeTimer->setInterval(TimerInterval);

    BuildMemberPanel();
    BuildInteractionBar();

    auto *top = new QHBoxLayout;
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(0);
    top->addWidget(pnlChat, 1);
    top->addWidget(Panel1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(top, 1);
    layout->addWidget(Panel2);

    BindControls();
    BindSession();
}

TframeChatFrame::~TframeChatFrame()
{
    // The surface and its characters go before the dialogs that might still name them.
    timeTimer->stop();
}

void TframeChatFrame::BuildMemberPanel()
{
    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedWidth(MemberPanelWidth);
    lblMembers = MakeLabel("lblMembers", QStringLiteral("Members"), Panel1);
    lstUsers = MakeMemberList("lstUsers", Panel1);
    lblVisualMembers = MakeLabel("lblVisualMembers", QStringLiteral("Visual  Members"), Panel1);
    lblVisualMembers->setWordWrap(true); // wider than the panel in most fonts
    lstVisualUsers = MakeMemberList("lstVisualUsers", Panel1);

    auto *layout = new QVBoxLayout(Panel1);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(lblMembers);
    layout->addWidget(lstUsers, 3);
    layout->addWidget(lblVisualMembers);
    layout->addWidget(lstVisualUsers, 2);

    mnuUserAction = new QMenu(this);
    mnuUserAction->setObjectName(QStringLiteral("mnuUserAction"));
    PrivateChat1 = mnuUserAction->addAction(QStringLiteral("&Private Chat..."));
    PrivateChat1->setObjectName(QStringLiteral("PrivateChat1"));
    Ignore1 = mnuUserAction->addAction(QStringLiteral("&Ignore..."));
    Ignore1->setObjectName(QStringLiteral("Ignore1"));
    Kick1 = mnuUserAction->addAction(QStringLiteral("&Kick Out"));
    Kick1->setObjectName(QStringLiteral("Kick1"));
}

void TframeChatFrame::BuildInteractionBar()
{
    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(InteractionBarHeight);

    btnExit = new QPushButton(ExitGlyph(), QString(), Panel2);
    btnExit->setObjectName(QStringLiteral("btnExit"));
    btnExit->setToolTip(QStringLiteral("Leave"));
    btnExit->setFixedSize(30, 24);
    lblInteraction = MakeLabel("lblInteraction", QStringLiteral("Interaction"), Panel2);
    cboInteraction = new QComboBox(Panel2);
    cboInteraction->setObjectName(QStringLiteral("cboInteraction"));
    cboInteraction->addItems(InteractionChoices);
    cboInteraction->setFixedHeight(22);
    btnPerform = new QPushButton(QStringLiteral("Do It!"), Panel2);
    btnPerform->setObjectName(QStringLiteral("btnPerform"));
    btnPerform->setFixedHeight(24);
    btnNames = new QPushButton(QStringLiteral("Show Names"), Panel2);
    btnNames->setObjectName(QStringLiteral("btnNames"));
    btnNames->setCheckable(true);
    btnNames->setFixedHeight(24);
    sbutTurnClockwise = new QToolButton(Panel2);
    sbutTurnClockwise->setObjectName(QStringLiteral("sbutTurnClockwise"));
    sbutTurnClockwise->setToolTip(QStringLiteral("Turn Clockwise"));
    sbutTurnClockwise->setIcon(TurnGlyph(true));
    sbutTurnClockwise->setAutoRaise(true);
    sbutTurnCounterClockwise = new QToolButton(Panel2);
    sbutTurnCounterClockwise->setObjectName(QStringLiteral("sbutTurnCounterClockwise"));
    sbutTurnCounterClockwise->setToolTip(QStringLiteral("Turn Counter-Clockwise"));
    sbutTurnCounterClockwise->setIcon(TurnGlyph(false));
    sbutTurnCounterClockwise->setAutoRaise(true);

    auto *layout = new QHBoxLayout(Panel2);
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

void TframeChatFrame::BindControls()
{
    auto guard = [](auto handler) { return [handler] { RunGuarded(handler); }; };
    connect(frameChatText->Button1, &QPushButton::clicked, this, guard([this] { frameChatTextButton1Click(); }));
    connect(btnExit, &QPushButton::clicked, this, guard([this] { btnExitClick(); }));
    connect(btnPerform, &QPushButton::clicked, this, guard([this] { btnPerformClick(); }));
    connect(btnNames, &QPushButton::clicked, this, guard([this] { btnNamesClick(); }));
    connect(sbutTurnClockwise, &QToolButton::clicked, this, guard([this] { sbutTurnClockwiseClick(); }));
    connect(sbutTurnCounterClockwise, &QToolButton::clicked, this,
            guard([this] { sbutTurnCounterClockwiseClick(); }));
    connect(PrivateChat1, &QAction::triggered, this, guard([this] { PrivateChat1Click(); }));
    connect(Ignore1, &QAction::triggered, this, guard([this] { Ignore1Click(); }));
    connect(Kick1, &QAction::triggered, this, guard([this] { Kick1Click(); }));
    connect(lstUsers, &QListWidget::itemPressed, this, guard([this] { lstUsersClick(); }));
    connect(lstVisualUsers, &QListWidget::itemPressed, this, guard([this] { lstVisualUsersClick(); }));
    connect(lstUsers, &QListWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { RunGuarded([&] { lstUsersContextPopup(pos); }); });
    connect(lstVisualUsers, &QListWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { RunGuarded([&] { lstVisualUsersContextPopup(pos); }); });
    connect(timeTimer, &QTimer::timeout, this, guard([this] { timeTimerTimer(); }));
}

void TframeChatFrame::BindSession()
{
    FSession.OnSendMessage = [this](QString target, QString text) {
        if (OnSendMessage)
            OnSendMessage(target, text);
    };
    FSession.OnSendCommand = [this](QString line) {
        if (OnSendCommand)
            OnSendCommand(line);
    };
    FSession.OnPlaceCharacter = [this](std::unique_ptr<TPersonaInst> character) { PlaceCharacter(std::move(character)); };
    FSession.OnMoveCharacter = [this](QString nick, QString position) { FSpace->MoveInstance(nick, position); };
    FSession.OnInteract = [this](QString kind, QString requester, QString acceptor) {
        Interact(kind, requester, acceptor);
    };
    FSession.OnActionMode = [this](int mode) {
        if (FSpace)
            FSpace->ActionMode = mode;
    };
    FSession.OnRequest = [this](QString requester, QString kind) { OpenRequestDialog(requester, kind); };
    FSession.OnShowText = [this](QString sender, QString text) { ShowText(sender, text); };
    FSession.OnShowMessage = [this](QString text) { ShowMessage(this, text); };
    FSession.OnWarn = [this](QString text) { Warn(this, text); };
}

TPersonaInst *TframeChatFrame::OwnCharacter() const { return FSpace ? FSpace->Own() : nullptr; }

TfrmRequest *TframeChatFrame::RequestDialogOf(const QString &Requester) const
{
    return FRequestDialogs.value(Requester.toLower()).data();
}

// ---- Binding -----------------------------------------------------------------------------------

void TframeChatFrame::Init(std::unique_ptr<TPersonaInst> Own)
{
    FSpace = new TPersonaSpace(pnlChat);
    FSpace->setObjectName(QStringLiteral("Space"));
    FSpace->OnPaintBoxMouseDown = [this](QObject *, Qt::MouseButton button, int x, int y) {
        SurfaceMouseDown(button, x, y);
    };
    FitSpaceToPanel();
    FSpace->show();
    frameChatText->raise();
    FSpace->FloorY = 300;
    FSpace->SetOwn(std::move(Own));
    cboInteraction->setCurrentIndex(0);
    FSession.Init(FSpace->Own());
}

void TframeChatFrame::SetRoom(const QString &Name)
{
    TPersonaInst *own = OwnCharacter();
    if (!own) {
        ShowMessage(this, QStringLiteral("error - need a personainst"));
        return;
    }
    if (Name == FSession.RoomName())
        return;
    FSession.SetRoom(Name);
    FSpace->FloorY = RoomFloorY;
    own->SetPosition(10, 250);
    timeTimer->start();
    frameChatText->raise();
}

void TframeChatFrame::FitSpaceToPanel()
{
    if (FSpace)
        FSpace->setGeometry(pnlChat->rect());
}

bool TframeChatFrame::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == pnlChat && Event->type() == QEvent::Resize)
        FitSpaceToPanel();
    return QWidget::eventFilter(Watched, Event);
}

void TframeChatFrame::timeTimerTimer()
{
    if (FSpace && FSpace->Own())
        FSpace->Tick();
}

// ---- Saying ------------------------------------------------------------------------------------

void TframeChatFrame::frameChatTextButton1Click()
{
    QLineEdit *say = frameChatText->txtSay;
    const QString text = say->text();
    if (text.isEmpty()) {
        const QPointer<QLineEdit> alive(say);
        ShowMessage(this, QStringLiteral("Type a message!"));
        if (alive)
            say->setFocus();
        return;
    }
    if (!OnSendMessage) {
        say->setFocus();
        return;
    }
    switch (FSession.Say(text)) {
    case TRoomSession::TSaid::Kept:
        return;
    case TRoomSession::TSaid::Leave:
        btnExitClick();
        return;
    case TRoomSession::TSaid::Sent:
        say->clear();
        say->setFocus();
        return;
    }
}

void TframeChatFrame::ShowText(const QString &Sender, const QString &Text)
{
    if (!FSession.Shows(Sender, Text))
        return;
    const QString own = OwnName();
    TConversationWriter writer(*frameChatText->txtConversation);
    writer.Write(Sender, Text, [&](const QString &body) {
        if (Sender != own)
            HandlePrivateCtcp(Sender, body);
    });
}

// ---- The room surface --------------------------------------------------------------------------

void TframeChatFrame::PlaceCharacter(std::unique_ptr<TPersonaInst> Character)
{
    // A nick has one character: the earlier one goes first.
    const QString nick = Character->Name;
    if (FSpace->FindInstance(nick))
        FSpace->RemoveInstance(nick);
    FSpace->AddInstance(nick, std::move(Character));
    FSpace->FullRedraw = true;
}

TPersonaInst *TframeChatFrame::CharacterNamed(const QString &Name) const
{
    if (Name == OwnName())
        return OwnCharacter();
    return FSpace ? FSpace->FindInstance(Name) : nullptr;
}

void TframeChatFrame::Interact(const QString &Kind, const QString &Requester, const QString &Acceptor)
{
    TPersonaInst *requester = CharacterNamed(Requester);
    if (Kind == InteractionKind::Wave) {
        if (requester)
            requester->StartWave();
        return;
    }
    TPersonaInst *acceptor = CharacterNamed(Acceptor);
    if (!requester || !acceptor)
        return;
    if (Kind == InteractionKind::Handshake)
        requester->StartHandshake(acceptor);
    else if (Kind == InteractionKind::Kiss)
        requester->StartKiss(acceptor);
    else if (Kind == InteractionKind::Hug)
        requester->StartHug(acceptor);
    else if (Kind == InteractionKind::High5)
        requester->StartHigh5(acceptor);
}

void TframeChatFrame::SurfaceMouseDown(Qt::MouseButton, int X, int Y)
{
    if (!Bound())
        return;
    FSpace->Click(X, Y);
    FSession.SurfaceClicked(FSpace->ActionMode, FSpace->HoverName());
}

void TframeChatFrame::RequestInteraction(const QString &Kind) { FSession.RequestInteraction(Kind, FSpace->HoverName()); }

// ---- Requests ----------------------------------------------------------------------------------

void TframeChatFrame::OpenRequestDialog(const QString &Sender, const QString &Kind)
{
    // One dialog per requester: a new request from the same nick updates the one already there.
    TfrmRequest *dialog = RequestDialogOf(Sender);
    if (!dialog) {
        dialog = new TfrmRequest(this);
        dialog->OnAnswer = [this](TfrmRequest *answered, const QString &requester, const QString &kind) {
            AnswerRequest(answered, requester, kind);
        };
        FRequestDialogs.insert(Sender.toLower(), dialog);
    }
    dialog->SetRequest(Kind, Sender);
    dialog->show();
    dialog->raise();
}

void TframeChatFrame::AnswerRequest(TfrmRequest *Dialog, const QString &Requester, const QString &Kind)
{
    using TAnswer = TRoomSession::TAnswer;
    const int result = Dialog->result();
    const TAnswer answer = result == TfrmRequest::ResultAccept   ? TAnswer::Accept
                           : result == TfrmRequest::ResultIgnore ? TAnswer::Ignore
                                                                 : TAnswer::Reject;
    FSession.AnswerRequest(answer, Requester, Kind);
}

// ---- The interaction bar -----------------------------------------------------------------------

void TframeChatFrame::btnPerformClick()
{
    if (Bound())
        FSession.Perform(cboInteraction->currentText());
}

void TframeChatFrame::Turn(bool Clockwise)
{
    if (!Bound())
        return;
    TPersonaInst *own = OwnCharacter();
    if (Clockwise)
        own->TurnClockwise();
    else
        own->TurnCounterClockwise();
    FSession.SendOwnPosition();
    FSpace->FullRedraw = true;
}

void TframeChatFrame::sbutTurnClockwiseClick() { Turn(true); }

void TframeChatFrame::sbutTurnCounterClockwiseClick() { Turn(false); }

void TframeChatFrame::btnNamesClick()
{
    if (FSpace) {
        FSpace->ShowAllNames = btnNames->isChecked();
        FSpace->FullRedraw = true;
    }
}

void TframeChatFrame::btnExitClick()
{
    timeTimer->stop();
    FSession.Leave();
    if (OnCloseWindow)
        OnCloseWindow();
    if (OnRoomClosed)
        OnRoomClosed(FSession.RoomName());
}

// ---- Member lists ------------------------------------------------------------------------------

void TframeChatFrame::AddMember(const QString &Nick, const QString &Channel)
{
    if (FSession.IsRoomChannel(Channel))
        AddMemberEntry(*lstUsers, Nick);
    else if (FSession.IsCompanionChannel(Channel))
        AddMemberEntry(*lstVisualUsers, Nick);
}

void TframeChatFrame::RemoveMember(const QString &Nick, const QString &Channel)
{
    if (FSession.IsRoomChannel(Channel)) {
        if (RemoveMemberEntry(*lstUsers, Nick))
            ShowText(QString(), GreenLine(Nick + QStringLiteral(" has left.")));
    } else if (FSession.IsCompanionChannel(Channel)) {
        if (RemoveMemberEntry(*lstVisualUsers, Nick) && Bound())
            FSpace->RemoveInstance(Nick);
    }
}

bool TframeChatFrame::HasMember(const QString &Nick) const
{
    return FindMemberEntry(*lstUsers, Nick) || FindMemberEntry(*lstVisualUsers, Nick);
}

void TframeChatFrame::NickChanged(const QString &OldNick, const QString &NewNick)
{
    TPersonaInst *own = OwnCharacter();
    if (own && own->Name == OldNick)
        own->Name = NewNick;
    if (TPersonaInst *remote = FSpace ? FSpace->FindInstance(OldNick) : nullptr)
        remote->Name = NewNick;
    if (RenameMemberEntry(*lstUsers, OldNick, NewNick))
        ShowText(QString(), GreenLine(OldNick + QStringLiteral(" is now know as ") + NewNick));
    RenameMemberEntry(*lstVisualUsers, OldNick, NewNick);
}

void TframeChatFrame::UserKicked(const QString &Channel, const QString &Kicker, const QString &Victim,
                                 const QString &Message)
{
    bool companionKick = FSession.IsCompanionChannel(Channel);
    if (FSession.IsRoomChannel(Channel) && RemoveMemberEntry(*lstUsers, Victim)) {
        ShowText(SystemSender, Victim + QStringLiteral(" was Kicked out by ") + Kicker + QStringLiteral(" : ") + Message);
        companionKick = true;
    }
    if (companionKick && RemoveMemberEntry(*lstVisualUsers, Victim) && Bound())
        FSpace->RemoveInstance(Victim);
}

void TframeChatFrame::Kicked(const QString &, const QString &Kicker, const QString &Message)
{
    ShowMessage(this, QStringLiteral("You were Kicked Out by ") + Kicker + QStringLiteral("!  Reason: ") + Message);
}

void TframeChatFrame::lstUsersClick() { lstVisualUsers->clearSelection(); }

void TframeChatFrame::lstVisualUsersClick() { lstUsers->clearSelection(); }

void TframeChatFrame::ShowPopup(QListWidget *List, const QPoint &Pos)
{
    if (List->selectedItems().isEmpty())
        return;
    mnuUserAction->popup(List->viewport()->mapToGlobal(Pos));
}

void TframeChatFrame::lstUsersContextPopup(const QPoint &Pos) { ShowPopup(lstUsers, Pos); }

void TframeChatFrame::lstVisualUsersContextPopup(const QPoint &Pos) { ShowPopup(lstVisualUsers, Pos); }

QString TframeChatFrame::SelectedMember() const
{
    QList<QListWidgetItem *> selected = lstUsers->selectedItems();
    if (selected.isEmpty())
        selected = lstVisualUsers->selectedItems();
    return selected.isEmpty() ? QString() : WithoutMemberMark(selected.first()->text());
}

void TframeChatFrame::PrivateChat1Click()
{
    const QString nick = SelectedMember().left(MaxPrivateNick);
    if (!nick.isEmpty() && OnOpenPrivate)
        OnOpenPrivate(nick);
}

void TframeChatFrame::Kick1Click()
{
    const QString nick = SelectedMember();
    if (nick.isEmpty())
        return;
    FSession.Kick(nick);
}

void TframeChatFrame::Ignore1Click()
{
    const QString nick = SelectedMember();
    if (nick.isEmpty())
        return;
    const QString question = QStringLiteral("Do you want to ignore ") + nick +
                             QStringLiteral("?  You will not receive any requests or text messages from this user.");
    if (Confirm(this, question) == TDialogButton::Yes)
        FSession.Ignore(nick);
}
