#include "RoomSession.h"

#include <QPointer>
#include <algorithm>

#include "AvatarMessage.h"
#include "ChattleLog.h"
#include "PersonaInst.h"
#include "RoomsLog.h"

namespace {
using TKind = TAvatarMessage::TKind;

const QChar CtcpDelimiter(0x01);
// The feet of a character stand this far below its top: nobody stands above the floor minus this.
constexpr int FeetOffset = 54;

template <typename TEvent, typename... TArgs>
void Raise(const TEvent &event, TArgs &&...args)
{
    if (event)
        event(std::forward<TArgs>(args)...);
}

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

QString AbandonedMessage(const QString &sender, const QString &text)
{
    return QStringLiteral("Abandoned avatar message from %1 \"%2\"").arg(sender, text);
}
} // namespace

// ---- State -------------------------------------------------------------------------------------

void TRoomSession::Init(const TPersonaInst *own)
{
    FOwn = own;
    FIgnoreList.clear();
}

bool TRoomSession::Bound() const { return FOwn != nullptr && !FRoomName.isEmpty(); }

QString TRoomSession::OwnName() const { return FOwn ? FOwn->Name : QString(); }

QString TRoomSession::OwnCharacterBlock() const
{
    if (!FOwn)
        return QString();
    return CharacterBlock(FOwn->GetAppearance(), FOwn->TargetX, FOwn->TargetY, FOwn->GetDirectionCode());
}

bool TRoomSession::IsIgnored(const QString &nick) const { return FIgnoreList.contains(nick, Qt::CaseInsensitive); }

void TRoomSession::Ignore(const QString &nick)
{
    if (!IsIgnored(nick))
        FIgnoreList << nick;
}

bool TRoomSession::IsRoomChannel(const QString &channel) const
{
    return !FRoomName.isEmpty() && channel.compare(FRoomName, Qt::CaseInsensitive) == 0;
}

bool TRoomSession::IsCompanionChannel(const QString &channel) const
{
    return !FRoomName.isEmpty() && channel.compare(CompanionOf(FRoomName), Qt::CaseInsensitive) == 0;
}

bool TRoomSession::Shows(const QString &sender, const QString &text) const
{
    return !IsIgnored(sender) && !(sender == OwnName() && IsPrivateRoomForm(text));
}

// ---- Received texts ----------------------------------------------------------------------------

void TRoomSession::HandleAvatarMessage(const QString &sender, const QString &text)
{
    if (Bound())
        LoggingAbandoned(lcRooms, AbandonedMessage(sender, text),
                         [&] { Dispatch(sender, ReadCompanionMessage(text)); });
}

void TRoomSession::HandlePrivateMessage(const QString &sender, const QString &text)
{
    LoggingAbandoned(lcRooms, AbandonedMessage(sender, text), [&] { Dispatch(sender, ReadPrivateMessage(text)); });
}

void TRoomSession::HandlePrivateCtcp(const QString &sender, const QString &body)
{
    // A room window's texts come from its channel, where the private forms mean nothing.
    if (IsRoomName(FRoomName))
        return;
    LoggingAbandoned(lcRooms, AbandonedMessage(sender, body), [&] { Dispatch(sender, ReadPrivateCtcp(body)); });
}

void TRoomSession::Dispatch(const QString &sender, const TAvatarMessage &message)
{
    switch (message.Kind) {
    case TKind::Announce:
        if (!PersonaLib)
            return;
        // A repeated Announce replaces the earlier character instead of adding a second one.
        if (HasRoomFor(sender))
            PlaceCharacter(sender, message);
        SendMessage(sender, PresentText(OwnCharacterBlock(), FRoomName));
        break;
    case TKind::Present:
        if (Bound() && PersonaLib && HasRoomFor(sender))
            PlaceCharacter(sender, message);
        if (message.Acknowledge && Bound())
            SendMessage(sender, PrivateAcknowledgementText(OwnCharacterBlock()));
        break;
    case TKind::Move:
        if (Bound())
            Raise(OnMoveCharacter, sender, message.Position);
        break;
    case TKind::Request:
        if (!IsIgnored(sender))
            Raise(OnRequest, sender, message.Interaction);
        break;
    case TKind::Accept:
        PerformAccept(sender, message.Answer);
        break;
    case TKind::Answer:
        TakeAnswer(sender, message.Answer);
        break;
    case TKind::Text:
        Raise(OnShowText, sender, message.Text);
        break;
    case TKind::Ignored:
        break;
    }
}

void TRoomSession::PlaceCharacter(const QString &nick, const TAvatarMessage &message)
{
    const TCharacterFields &fields = message.Character;
    auto character = std::make_unique<TPersonaInst>(PersonaLib, fields.Appearance);
    character->Name = nick;
    // A character sent privately never stands above the floor line.
    const int y = message.Kind == TKind::Present ? std::max(fields.Y, RoomFloorY - FeetOffset) : fields.Y;
    character->SetPosition(fields.X, y);
    character->SetDirection(fields.Direction);
    Raise(OnPlaceCharacter, std::move(character));
}

bool TRoomSession::HasRoomFor(const QString &nick) const
{
    if (!CharacterCount || (HasCharacter && HasCharacter(nick)) || CharacterCount() < MaxCharacters)
        return true;
    qCDebug(lcRooms).noquote() << "The room is full: the character of" << nick << "is not drawn";
    return false;
}

void TRoomSession::TakeAnswer(const QString &sender, const TAcceptFields &answer)
{
    // Only the person the user asked answers; anyone else's answer, refusal or not, is nothing.
    if (FPendingRequest.isEmpty() || FPendingRequest.compare(sender, Qt::CaseInsensitive) != 0) {
        qCDebug(lcRooms).noquote() << "Ignored an answer from" << sender << "who was not asked";
        return;
    }
    FPendingRequest.clear();
    ResetActionMode();
    if (answer.Answer == RequestAnswer::Yes) {
        if (Bound())
            PerformAccept(sender, answer);
    } else {
        Raise(OnShowMessage, sender, QStringLiteral("Your interaction was not accepted by ") + sender + QLatin1Char('.'));
    }
}

void TRoomSession::PerformAccept(const QString &acceptor, const TAcceptFields &fields)
{
    if (fields.Kind == InteractionKind::Wave) {
        Raise(OnInteract, fields.Kind, fields.Requester, QString());
        return;
    }
    if (!IsRequestableKind(fields.Kind))
        return;
    Raise(OnInteract, fields.Kind, fields.Requester, acceptor);
    if (fields.Requester == OwnName()) {
        FPendingRequest.clear();
        ResetActionMode();
    }
}

// ---- The user's intents ------------------------------------------------------------------------

TRoomSession::TSaid TRoomSession::Say(const QString &text)
{
    const QString upper = text.toUpper();
    if (upper.startsWith(QLatin1String("/ME"))) {
        SendMessage(FRoomName, CtcpDelimiter + QStringLiteral("ACTION ") + text.mid(4) + CtcpDelimiter);
        return TSaid::Sent;
    }
    if (upper.startsWith(QLatin1String("/JOIN")))
        return TSaid::Kept;
    if (upper.startsWith(QLatin1String("/PART")) || upper.startsWith(QLatin1String("/QUIT")))
        return TSaid::Leave;
    if (upper.startsWith(QLatin1Char('/')))
        SendCommand(text.mid(1));
    else
        SendMessage(FRoomName, text);
    return TSaid::Sent;
}

void TRoomSession::SurfaceClicked(int actionMode, const QString &hoverName)
{
    if (actionMode == 0)
        SendOwnPosition();
    else if (const QString kind = KindOfActionMode(actionMode); !kind.isEmpty())
        RequestInteraction(kind, hoverName);
}

void TRoomSession::RequestInteraction(const QString &kind, const QString &hoverName)
{
    if (!FPendingRequest.isEmpty() && FPendingRequest == hoverName) {
        const QPointer<TRoomSession> alive(this);
        Raise(OnWarn, QStringLiteral("You have already requested an interaction from ") + FPendingRequest +
                          QStringLiteral(".  You must wait for that person to respond."));
        if (alive)
            ResetActionMode();
        return;
    }
    if (hoverName.isEmpty())
        return;
    if (IsRoomName(FRoomName))
        SendMessage(hoverName, RequestText(kind, hoverName, FRoomName));
    else
        SendMessage(hoverName, PrivateRequestText(kind, hoverName, FRoomName));
    FPendingRequest = hoverName;
    ResetActionMode();
}

void TRoomSession::Perform(const QString &choice)
{
    if (choice == QLatin1String("Wave")) {
        SendMessage(CompanionOf(FRoomName), WaveText(OwnName()));
        Raise(OnInteract, InteractionKind::Wave, OwnName(), QString());
        return;
    }
    if (const int mode = ActionModeOfChoice(choice); mode != 0)
        Raise(OnActionMode, mode);
}

void TRoomSession::SendOwnPosition()
{
    if (IsRoomName(FRoomName))
        SendMessage(CompanionOf(FRoomName), MoveText(FOwn->TargetX, FOwn->TargetY, FOwn->GetDirectionCode()));
    else
        SendMessage(FRoomName, PrivateMoveText(FOwn->TargetX, FOwn->TargetY, FOwn->GetDirectionCode()));
}

void TRoomSession::AnswerRequest(TAnswer answer, const QString &requester, const QString &kind)
{
    if (answer == TAnswer::Ignore) {
        Ignore(requester);
        return;
    }
    const bool accepted = answer == TAnswer::Accept;
    if (IsRoomName(FRoomName)) {
        if (accepted) {
            const QString accept = AcceptText(kind, requester);
            SendMessage(CompanionOf(FRoomName), accept);
            HandleAvatarMessage(OwnName(), accept);
        } else {
            SendMessage(requester, RefuseText(kind, requester, FRoomName));
        }
        return;
    }
    SendMessage(requester, PrivateAnswerText(accepted ? RequestAnswer::Yes : RequestAnswer::No, kind, requester));
    if (accepted)
        HandleAvatarMessage(OwnName(), AcceptText(kind, requester));
}

void TRoomSession::Leave()
{
    if (!FRoomName.isEmpty())
        for (const QString &line : LeaveLines(FRoomName))
            SendCommand(line);
}

void TRoomSession::Kick(const QString &nick)
{
    for (const QString &line : KickLines(FRoomName, nick))
        SendCommand(line);
}

void TRoomSession::SendMessage(const QString &target, const QString &text) { Raise(OnSendMessage, target, text); }

void TRoomSession::SendCommand(const QString &line) { Raise(OnSendCommand, line); }

void TRoomSession::ResetActionMode() { Raise(OnActionMode, 0); }

void StartInteraction(const QString &kind, TPersonaInst &requester, TPersonaInst *acceptor)
{
    if (kind == InteractionKind::Wave)
        requester.StartWave();
    else if (!acceptor)
        return;
    else if (kind == InteractionKind::Handshake)
        requester.StartHandshake(acceptor);
    else if (kind == InteractionKind::Kiss)
        requester.StartKiss(acceptor);
    else if (kind == InteractionKind::Hug)
        requester.StartHug(acceptor);
    else if (kind == InteractionKind::High5)
        requester.StartHigh5(acceptor);
}
