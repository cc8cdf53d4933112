#include "AvatarMessage.h"

using TKind = TAvatarMessage::TKind;

namespace {
// An Accept on the companion channel performs only a "YES" to a kind that can be requested, or a wave.
bool IsPerformable(const TAcceptFields &accept)
{
    return accept.Answer == RequestAnswer::Yes &&
           (IsRequestableKind(accept.Kind) || accept.Kind == InteractionKind::Wave);
}

// An answer to the user's request says "YES" or "NO-" to a kind that can be requested.
bool IsAnswer(const TAcceptFields &answer)
{
    return (answer.Answer == RequestAnswer::Yes || answer.Answer == RequestAnswer::No) &&
           IsRequestableKind(answer.Kind);
}
} // namespace

TAvatarMessage ReadCompanionMessage(const QString &text)
{
    TAvatarMessage message;
    switch (RoomFormOf(text)) {
    case TRoomForm::IAmHere:
        message.Kind = TKind::Announce;
        message.Character = ReadAnnounce(text);
        break;
    case TRoomForm::Move:
        message.Kind = TKind::Move;
        message.Position = MovePositionOf(text);
        break;
    case TRoomForm::Accept:
        message.Answer = ReadAccept(text);
        if (IsPerformable(message.Answer))
            message.Kind = TKind::Accept;
        break;
    case TRoomForm::Request:
    case TRoomForm::None:
        break;
    }
    return message;
}

TAvatarMessage ReadPrivateMessage(const QString &text)
{
    TAvatarMessage message;
    const QString bare = WithoutLeadingColon(text);
    switch (RoomFormOf(bare)) {
    case TRoomForm::IAmHere:
        message.Kind = TKind::Present;
        message.Character = ReadPresent(bare);
        break;
    case TRoomForm::Request:
        message.Interaction = RequestKindOf(bare);
        if (IsRequestableKind(message.Interaction))
            message.Kind = TKind::Request;
        break;
    case TRoomForm::Accept:
        message.Answer = ReadAccept(bare);
        if (IsAnswer(message.Answer))
            message.Kind = TKind::Answer;
        break;
    case TRoomForm::Move:
    case TRoomForm::None:
        message.Kind = TKind::Text;
        message.Text = bare;
        break;
    }
    return message;
}

TAvatarMessage ReadPrivateCtcp(const QString &body)
{
    const TCtcpParts parts = SplitCtcpBody(body);
    TAvatarMessage message;
    switch (PrivateFormOf(parts.Keyword)) {
    case TPrivateForm::Move:
        message.Kind = TKind::Move;
        message.Position = ReadPosition(parts.Rest);
        break;
    case TPrivateForm::IAmHere:
    case TPrivateForm::IAmHereAck:
    case TPrivateForm::Request:
    case TPrivateForm::Accept:
        message = ReadPrivateMessage(RoomTextOfPrivateForm(parts));
        message.Acknowledge = PrivateFormOf(parts.Keyword) == TPrivateForm::IAmHere;
        break;
    case TPrivateForm::None:
        break;
    }
    return message;
}
