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
// The feet of a character stand this far below its top: nobody stands above FloorY - FeetOffset.
constexpr int FeetOffset = 54;
constexpr int MemberPanelWidth = 87;
constexpr int InteractionBarHeight = 26;
// The choices of the interaction bar, in the list's order.
const QStringList InteractionChoices = {QStringLiteral("Handshake"), QStringLiteral("High 5"),
                                        QStringLiteral("Hug"), QStringLiteral("Kiss"), QStringLiteral("Wave")};

QString GreenLine(const QString &text) { return ColourCode + QStringLiteral("3*** ") + text; }

// The action mode a choice of the interaction bar starts; 0 for Wave, which is performed at once.
int ActionModeOfChoice(const QString &choice)
{
    if (choice == QLatin1String("Handshake"))
        return 1;
    if (choice == QLatin1String("Kiss"))
        return 2;
    if (choice == QLatin1String("Hug"))
        return 3;
    if (choice == QLatin1String("High 5"))
        return 4;
    return 0;
}

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

// ---- State -------------------------------------------------------------------------------------

TPersonaInst *TframeChatFrame::OwnCharacter() const { return FSpace ? FSpace->Own() : nullptr; }

QString TframeChatFrame::OwnName() const
{
    const TPersonaInst *own = OwnCharacter();
    return own ? own->Name : QString();
}

QString TframeChatFrame::OwnCharacterBlock() const
{
    const TPersonaInst *own = OwnCharacter();
    if (!own)
        return QString();
    return CharacterBlock(own->GetAppearance(), own->TargetX, own->TargetY, own->GetDirectionCode());
}

bool TframeChatFrame::IsIgnored(const QString &Nick) const { return FIgnoreList.contains(Nick, Qt::CaseInsensitive); }

TfrmRequest *TframeChatFrame::RequestDialogOf(const QString &Requester) const
{
    return FRequestDialogs.value(Requester.toLower()).data();
}

bool TframeChatFrame::Bound() const { return OwnCharacter() != nullptr && !FRoomName.isEmpty(); }

bool TframeChatFrame::IsRoomChannel(const QString &Channel) const
{
    return !FRoomName.isEmpty() && Channel.compare(FRoomName, Qt::CaseInsensitive) == 0;
}

bool TframeChatFrame::IsCompanionChannel(const QString &Channel) const
{
    return !FRoomName.isEmpty() && Channel.compare(CompanionOf(FRoomName), Qt::CaseInsensitive) == 0;
}

void TframeChatFrame::SendMessage(const QString &Target, const QString &Text)
{
    if (OnSendMessage)
        OnSendMessage(Target, Text);
}

void TframeChatFrame::SendCommand(const QString &Line)
{
    if (OnSendCommand)
        OnSendCommand(Line);
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
    FIgnoreList.clear();
}

void TframeChatFrame::SetRoom(const QString &Name)
{
    TPersonaInst *own = OwnCharacter();
    if (!own) {
        ShowMessage(this, QStringLiteral("error - need a personainst"));
        return;
    }
    if (Name == FRoomName)
        return;
    FRoomName = Name;
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
    QString text = say->text();
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
    const QString upper = text.toUpper();
    if (upper.startsWith(QLatin1String("/ME"))) {
        text = QChar(0x01) + QStringLiteral("ACTION ") + text.mid(4) + QChar(0x01);
    } else if (upper.startsWith(QLatin1String("/JOIN"))) {
        return;
    } else if (upper.startsWith(QLatin1String("/PART")) || upper.startsWith(QLatin1String("/QUIT"))) {
        btnExitClick();
        return;
    } else if (upper.startsWith(QLatin1Char('/'))) {
        SendCommand(text.mid(1));
        say->clear();
        say->setFocus();
        return;
    }
    SendMessage(FRoomName, text);
    say->clear();
    say->setFocus();
}

void TframeChatFrame::ShowText(const QString &Sender, const QString &Text)
{
    if (IsIgnored(Sender))
        return;
    const QString own = OwnName();
    if (Sender == own && IsPrivateRoomForm(Text))
        return;
    TConversationWriter writer(*frameChatText->txtConversation);
    writer.Write(Sender, Text, [&](const QString &body) {
        if (Sender != own)
            HandlePrivateCtcp(Sender, body);
    });
}

// ---- Avatar messages ---------------------------------------------------------------------------

std::unique_ptr<TPersonaInst> TframeChatFrame::BuildCharacter(const QString &Nick, const TCharacterFields &Fields) const
{
    auto character = std::make_unique<TPersonaInst>(PersonaLib, Fields.Appearance);
    character->Name = Nick;
    character->SetPosition(Fields.X, Fields.Y);
    character->SetDirection(Fields.Direction);
    return character;
}

void TframeChatFrame::PlaceCharacter(std::unique_ptr<TPersonaInst> Character)
{
    // A nick has one character: the earlier one goes first.
    const QString nick = Character->Name;
    if (FSpace->FindInstance(nick))
        FSpace->RemoveInstance(nick);
    FSpace->AddInstance(nick, std::move(Character));
    FSpace->FullRedraw = true;
}

void TframeChatFrame::HandleAvatarMessage(const QString &Sender, const QString &Text)
{
    if (!Bound())
        return;
    switch (RoomFormOf(Text)) {
    case TRoomForm::IAmHere: {
        if (!PersonaLib)
            return;
        // A repeated Announce replaces the earlier character instead of adding a second one.
        PlaceCharacter(BuildCharacter(Sender, ReadAnnounce(Text)));
        SendMessage(Sender, PresentText(OwnCharacterBlock(), FRoomName));
        break;
    }
    case TRoomForm::Move: {
        const QString position = MovePositionOf(Text);
        FSpace->MoveInstance(Sender, position);
        break;
    }
    case TRoomForm::Accept:
        PerformAccept(Sender, Text);
        break;
    case TRoomForm::Request:
    case TRoomForm::None:
        break;
    }
}

void TframeChatFrame::HandlePresent(const QString &Sender, const QString &Text)
{
    if (!Bound() || !PersonaLib)
        return;
    TCharacterFields fields = ReadPresent(Text);
    fields.Y = std::max(fields.Y, FSpace->FloorY - FeetOffset);
    PlaceCharacter(BuildCharacter(Sender, fields));
}

void TframeChatFrame::HandlePrivateMessage(const QString &Sender, const QString &Text)
{
    const QString text = WithoutLeadingColon(Text);
    switch (RoomFormOf(text)) {
    case TRoomForm::IAmHere:
        HandlePresent(Sender, text);
        break;
    case TRoomForm::Request:
        if (!IsIgnored(Sender))
            OpenRequestDialog(Sender, RequestKindOf(text));
        break;
    case TRoomForm::Accept: {
        const QPointer<TframeChatFrame> alive(this);
        if (ReadAccept(text).Answer == RequestAnswer::Yes)
            HandleAvatarMessage(Sender, text);
        else
            ShowMessage(this, QStringLiteral("Your interaction was not accepted by ") + Sender + QLatin1Char('.'));
        if (!alive)
            return;
        FPendingRequest.clear();
        if (FSpace)
            FSpace->ActionMode = 0;
        break;
    }
    case TRoomForm::Move:
    case TRoomForm::None:
        ShowText(Sender, text);
        break;
    }
}

void TframeChatFrame::HandlePrivateCtcp(const QString &Sender, const QString &Body)
{
    const TCtcpParts parts = SplitCtcpBody(Body);
    switch (PrivateFormOf(parts.Keyword)) {
    case TPrivateForm::IAmHere:
        HandlePrivateMessage(Sender, RoomTextOfPrivateForm(parts));
        if (Bound())
            SendMessage(Sender, PrivateAcknowledgementText(OwnCharacterBlock()));
        break;
    case TPrivateForm::IAmHereAck:
    case TPrivateForm::Request:
    case TPrivateForm::Accept:
        HandlePrivateMessage(Sender, RoomTextOfPrivateForm(parts));
        break;
    case TPrivateForm::Move:
        if (Bound()) {
            FSpace->MoveInstance(Sender, parts.Rest);
        }
        break;
    case TPrivateForm::None:
        break;
    }
}

TPersonaInst *TframeChatFrame::CharacterNamed(const QString &Name) const
{
    if (Name == OwnName())
        return OwnCharacter();
    return FSpace ? FSpace->FindInstance(Name) : nullptr;
}

void TframeChatFrame::PerformAccept(const QString &Acceptor, const QString &Text)
{
    const TAcceptFields fields = ReadAccept(Text);
    if (fields.Kind == InteractionKind::Wave) {
        if (TPersonaInst *waver = CharacterNamed(fields.Requester))
            waver->StartWave();
        return;
    }
    using TStart = void (TPersonaInst::*)(TPersonaInst *);
    TStart start = nullptr;
    if (fields.Kind == InteractionKind::Handshake)
        start = &TPersonaInst::StartHandshake;
    else if (fields.Kind == InteractionKind::Kiss)
        start = &TPersonaInst::StartKiss;
    else if (fields.Kind == InteractionKind::Hug)
        start = &TPersonaInst::StartHug;
    else if (fields.Kind == InteractionKind::High5)
        start = &TPersonaInst::StartHigh5;
    if (!start)
        return;
    TPersonaInst *acceptor = CharacterNamed(Acceptor);
    TPersonaInst *requester = CharacterNamed(fields.Requester);
    if (acceptor && requester)
        (requester->*start)(acceptor);
    if (fields.Requester == OwnName()) {
        FPendingRequest.clear();
        FSpace->ActionMode = 0;
    }
}

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
    QString answer;
    switch (Dialog->result()) {
    case TfrmRequest::ResultAccept:
        answer = RequestAnswer::Yes;
        break;
    case TfrmRequest::ResultIgnore:
        if (!IsIgnored(Requester))
            FIgnoreList << Requester;
        return;
    default:
        answer = RequestAnswer::No;
        break;
    }
    const QString own = OwnName();
    if (IsRoomName(FRoomName)) {
        if (answer == RequestAnswer::Yes) {
            const QString accept = AcceptText(Kind, Requester);
            SendMessage(CompanionOf(FRoomName), accept);
            HandleAvatarMessage(own, accept);
        } else {
            SendMessage(Requester, RefuseText(Kind, Requester, FRoomName));
        }
        return;
    }
    SendMessage(Requester, PrivateAnswerText(answer, Kind, Requester));
    if (answer == RequestAnswer::Yes)
        HandleAvatarMessage(own, AcceptText(Kind, Requester));
}

void TframeChatFrame::RequestInteraction(const QString &Kind)
{
    const QString hover = FSpace->HoverName();
    if (!FPendingRequest.isEmpty() && FPendingRequest == hover) {
        const QPointer<TframeChatFrame> alive(this);
        Warn(this, QStringLiteral("You have already requested an interaction from ") + FPendingRequest +
                       QStringLiteral(".  You must wait for that person to respond."));
        if (alive)
            FSpace->ActionMode = 0;
        return;
    }
    if (hover.isEmpty())
        return;
    if (IsRoomName(FRoomName))
        SendMessage(hover, RequestText(Kind, hover, FRoomName));
    else
        SendMessage(hover, PrivateRequestText(Kind, hover, FRoomName));
    FPendingRequest = hover;
    FSpace->ActionMode = 0;
}

// ---- The room surface and the interaction bar ----------------------------------------------------

void TframeChatFrame::SurfaceMouseDown(Qt::MouseButton, int X, int Y)
{
    if (!Bound())
        return;
    FSpace->Click(X, Y);
    const int mode = FSpace->ActionMode;
    if (mode == 0)
        SendOwnPosition();
    else if (const QString kind = KindOfActionMode(mode); !kind.isEmpty())
        RequestInteraction(kind);
}

void TframeChatFrame::SendOwnPosition()
{
    const TPersonaInst *own = OwnCharacter();
    if (IsRoomName(FRoomName))
        SendMessage(CompanionOf(FRoomName), MoveText(own->TargetX, own->TargetY, own->GetDirectionCode()));
    else
        SendMessage(FRoomName, PrivateMoveText(own->TargetX, own->TargetY, own->GetDirectionCode()));
}

void TframeChatFrame::btnPerformClick()
{
    if (!Bound())
        return;
    const QString choice = cboInteraction->currentText();
    if (choice == QLatin1String("Wave")) {
        SendMessage(CompanionOf(FRoomName), WaveText(OwnName()));
        OwnCharacter()->StartWave();
        return;
    }
    if (const int mode = ActionModeOfChoice(choice); mode != 0)
        FSpace->ActionMode = mode;
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
    SendOwnPosition();
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
    if (!FRoomName.isEmpty())
        for (const QString &line : LeaveLines(FRoomName))
            SendCommand(line);
    if (OnCloseWindow)
        OnCloseWindow();
    if (OnRoomClosed)
        OnRoomClosed(FRoomName);
}

// ---- Member lists ------------------------------------------------------------------------------

void TframeChatFrame::AddMember(const QString &Nick, const QString &Channel)
{
    if (IsRoomChannel(Channel))
        AddMemberEntry(*lstUsers, Nick);
    else if (IsCompanionChannel(Channel))
        AddMemberEntry(*lstVisualUsers, Nick);
}

void TframeChatFrame::RemoveMember(const QString &Nick, const QString &Channel)
{
    if (IsRoomChannel(Channel)) {
        if (RemoveMemberEntry(*lstUsers, Nick))
            ShowText(QString(), GreenLine(Nick + QStringLiteral(" has left.")));
    } else if (IsCompanionChannel(Channel)) {
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
    bool companionKick = IsCompanionChannel(Channel);
    if (IsRoomChannel(Channel) && RemoveMemberEntry(*lstUsers, Victim)) {
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
    for (const QString &line : KickLines(FRoomName, nick))
        SendCommand(line);
}

void TframeChatFrame::Ignore1Click()
{
    const QString nick = SelectedMember();
    if (nick.isEmpty())
        return;
    const QString question = QStringLiteral("Do you want to ignore ") + nick +
                             QStringLiteral("?  You will not receive any requests or text messages from this user.");
    if (Confirm(this, question) == TDialogButton::Yes && !IsIgnored(nick))
        FIgnoreList << nick;
}
