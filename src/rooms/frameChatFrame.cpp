#include "frameChatFrame.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTextEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "AvatarProtocol.h"
#include "ConversationWriter.h"
#include "Dialogs.h"
#include "ErrorHook.h"
#include "FrameComforts.h"
#include "InteractionBar.h"
#include "MemberList.h"
#include "MemberPanel.h"
#include "MessageBoxOnce.h"
#include "PersonaInst.h"
#include "PersonaSpace.h"
#include "frameText.h"
#include "frmRequest.h"

namespace {
const QChar ColourCode(0x03);
const QString SystemSender = QStringLiteral("System");
// The kinds of message box of which one per nick is up at a time.
const QString RefusalBox = QStringLiteral("refusal");
const QString KickBox = QStringLiteral("kick");
// A nick taken from the member list keeps at most this many characters after its mark.
constexpr int MaxPrivateNick = 99;

const QChar ResetCode(0x0F);
QString GreenLine(const QString &text) { return ColourCode + QStringLiteral("3*** ") + text; }
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

    BuildPanels();

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
    FComforts = new TFrameComforts(frameChatText->txtSay, frameChatText->txtConversation, this);
    FComforts->MemberEntries = [this] {
        QStringList entries;
        for (int row = 0; row < lstUsers->count(); ++row)
            entries << lstUsers->item(row)->text();
        return entries;
    };
    FComforts->OwnNick = [this] { return OwnName(); };
    FComforts->RoomName = [this] { return RoomName(); };
}

TframeChatFrame::~TframeChatFrame()
{
    // The surface and its characters go before the dialogs that might still name them.
    timeTimer->stop();
}

void TframeChatFrame::BuildPanels()
{
    auto *members = new TMemberPanel(this);
    FMembers = members;
    Panel1 = members;
    lblMembers = members->lblMembers;
    lstUsers = members->lstUsers;
    lblVisualMembers = members->lblVisualMembers;
    lstVisualUsers = members->lstVisualUsers;
    mnuUserAction = members->mnuUserAction;
    PrivateChat1 = members->PrivateChat1;
    Ignore1 = members->Ignore1;
    Kick1 = members->Kick1;

    auto *bar = new TInteractionBar(this);
    Panel2 = bar;
    btnExit = bar->btnExit;
    lblInteraction = bar->lblInteraction;
    cboInteraction = bar->cboInteraction;
    btnPerform = bar->btnPerform;
    btnNames = bar->btnNames;
    sbutTurnClockwise = bar->sbutTurnClockwise;
    sbutTurnCounterClockwise = bar->sbutTurnCounterClockwise;
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
    FSession.OnPlaceCharacter = [this](std::unique_ptr<TPersonaInst> character) {
        // A nick has one character: the earlier one goes first.
        const QString nick = character->Name;
        if (FSpace->FindInstance(nick))
            FSpace->RemoveInstance(nick);
        FSpace->AddInstance(nick, std::move(character));
        FSpace->FullRedraw = true;
    };
    FSession.OnMoveCharacter = [this](QString nick, QString position) { FSpace->MoveInstance(nick, position); };
    FSession.CharacterCount = [this] { return FSpace ? int(FSpace->Instances().size()) : 0; };
    FSession.HasCharacter = [this](QString nick) { return FSpace && FSpace->FindInstance(nick); };
    FSession.OnInteract = [this](QString kind, QString requester, QString acceptor) {
        if (TPersonaInst *initiator = CharacterNamed(requester))
            StartInteraction(kind, *initiator, kind == InteractionKind::Wave ? nullptr : CharacterNamed(acceptor));
    };
    FSession.OnActionMode = [this](int mode) {
        if (FSpace)
            FSpace->ActionMode = mode;
    };
    FSession.OnRequest = [this](QString requester, QString kind) { OpenRequestDialog(requester, kind); };
    FSession.OnShowText = [this](QString sender, QString text) { ShowText(sender, text); };
    FSession.OnShowMessage = [this](QString from, QString text) { ShowMessageOnce(this, RefusalBox, from, text); };
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
    const TSlashResult command = RunSlashCommand(text, SlashActions());
    if (command == TSlashResult::Kept)
        return;
    const TRoomSession::TSaid said = command == TSlashResult::Done ? TRoomSession::TSaid::Sent : FSession.Say(text);
    if (said != TRoomSession::TSaid::Kept)
        FComforts->History().Add(text);
    switch (said) {
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
    const QPointer<TframeChatFrame> alive(this);
    const QTextCursor mark = FComforts->MarkEnd();
    TConversationWriter writer = Conversation();
    writer.Write(Sender, Text, [&](const QString &body) {
        if (Sender != own)
            HandlePrivateCtcp(Sender, body);
    });
    if (alive)
        FComforts->TextShown(mark, Sender);
}

TSlashActions TframeChatFrame::SlashActions()
{
    TSlashActions actions;
    actions.RoomName = RoomName();
    actions.SendMessage = OnSendMessage;
    actions.SendCommand = OnSendCommand;
    actions.OpenPrivate = OnOpenPrivate;
    actions.ClearConversation = [this] { frameChatText->txtConversation->clear(); };
    actions.ShowLine = [this](const QString &line) {
        Conversation().Write(QString(), line, nullptr);
    };
    return actions;
}

void TframeChatFrame::ShowNotice(const QString &Sender, const QString &Text)
{
    if (!FSession.Shows(Sender, Text))
        return;
    ShowLine(QLatin1Char('-') + Sender + QStringLiteral("- "), Text, Sender);
}

void TframeChatFrame::ShowTopic(const QString &ChangedBy, const QString &Topic)
{
    // The announcement in green, the topic as its author formatted it.
    const QString announcement = ChangedBy.isEmpty() ? QStringLiteral("The topic is: ")
                                                     : ChangedBy + QStringLiteral(" changes the topic to: ");
    ShowLine(QString(), GreenLine(announcement) + ResetCode + Topic, QString());
}

TConversationWriter TframeChatFrame::Conversation() const
{
    return TConversationWriter(*frameChatText->txtConversation, TframeText::ConversationLineLimit);
}

void TframeChatFrame::ShowLine(const QString &Lead, const QString &Text, const QString &Sender)
{
    const QTextCursor mark = FComforts->MarkEnd();
    Conversation().WriteLine(Lead, Text);
    FComforts->TextShown(mark, Sender);
}

// ---- The room surface --------------------------------------------------------------------------

TPersonaInst *TframeChatFrame::CharacterNamed(const QString &Name) const
{
    if (Name == OwnName())
        return OwnCharacter();
    return FSpace ? FSpace->FindInstance(Name) : nullptr;
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

void TframeChatFrame::MemberMarkChanged(const QString &Nick, const QString &Channel, const QString &Mark)
{
    if (FSession.IsRoomChannel(Channel))
        MarkMemberEntry(*lstUsers, Nick, Mark);
    else if (FSession.IsCompanionChannel(Channel))
        MarkMemberEntry(*lstVisualUsers, Nick, Mark);
}

bool TframeChatFrame::HasMember(const QString &Nick) const { return FMembers->HasMember(Nick); }

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
    ShowMessageOnce(this, KickBox, Kicker,
                    QStringLiteral("You were Kicked Out by ") + Kicker + QStringLiteral("!  Reason: ") + Message);
}

void TframeChatFrame::lstUsersClick() { lstVisualUsers->clearSelection(); }

void TframeChatFrame::lstVisualUsersClick() { lstUsers->clearSelection(); }

void TframeChatFrame::lstUsersContextPopup(const QPoint &Pos) { FMembers->ShowPopup(lstUsers, Pos); }

void TframeChatFrame::lstVisualUsersContextPopup(const QPoint &Pos) { FMembers->ShowPopup(lstVisualUsers, Pos); }

void TframeChatFrame::PrivateChat1Click()
{
    const QString nick = FMembers->SelectedMember().left(MaxPrivateNick);
    if (!nick.isEmpty() && OnOpenPrivate)
        OnOpenPrivate(nick);
}

void TframeChatFrame::Kick1Click()
{
    const QString nick = FMembers->SelectedMember();
    if (nick.isEmpty())
        return;
    FSession.Kick(nick);
}

void TframeChatFrame::Ignore1Click()
{
    const QString nick = FMembers->SelectedMember();
    if (nick.isEmpty())
        return;
    const QString question = QStringLiteral("Do you want to ignore ") + nick +
                             QStringLiteral("?  You will not receive any requests or text messages from this user.");
    if (Confirm(this, question) == TDialogButton::Yes)
        FSession.Ignore(nick);
}
