#include "AvatarMessage.h"

using TKind = TAvatarMessage::TKind;

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
        message.Kind = TKind::Accept;
        message.Answer = ReadAccept(text);
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
        message.Kind = TKind::Request;
        message.Interaction = RequestKindOf(bare);
        break;
    case TRoomForm::Accept:
        message.Kind = TKind::Answer;
        message.Answer = ReadAccept(bare);
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
        message.Position = parts.Rest;
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
