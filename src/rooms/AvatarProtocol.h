#pragma once
// The avatar layer inside ordinary IRC traffic: the texts that carry characters, moves and
// interactions, the fields read back out of them, and the raw lines that create, join, leave and
// police a room pair. A room R talks on R; its characters talk on the companion channel R + ".av";
// a private chat carries the same information CTCP-framed. Field positions in the comments count
// from 1, as the texts are laid out on the wire.
#include "ProductInfo.h"
#include <optional>

#include <QString>
#include <QStringList>

// Keywords, matched at the start of a text with letter case counting.
namespace AvatarKeyword {
inline const QString IAmHere = QStringLiteral("AV_IAMHERE");
inline const QString Move = QStringLiteral("AV_MOVE");
inline const QString Request = QStringLiteral("AV_REQUEST");
inline const QString Accept = QStringLiteral("AV_ACCEPT");
inline const QString PrivateIAmHere = QStringLiteral("AVP_IAMHERE");
inline const QString PrivateIAmHereAck = QStringLiteral("AVP_IAMHEREACK");
inline const QString PrivateMove = QStringLiteral("AVP_MOVE");
inline const QString PrivateRequest = QStringLiteral("AVP_REQUEST");
inline const QString PrivateAccept = QStringLiteral("AVP_ACCEPT");
} // namespace AvatarKeyword

// Interaction kinds as they travel: always nine characters.
namespace InteractionKind {
inline const QString Handshake = QStringLiteral("HANDSHAKE");
inline const QString Kiss = QStringLiteral("KISS-----");
inline const QString Hug = QStringLiteral("HUG------");
inline const QString High5 = QStringLiteral("HIGH5----");
inline const QString Wave = QStringLiteral("WAVE-----"); // announced only, never requested
} // namespace InteractionKind

// The answer field of an Accept: always three characters.
namespace RequestAnswer {
inline const QString Yes = QStringLiteral("YES");
inline const QString No = QStringLiteral("NO-");
} // namespace RequestAnswer

namespace RoomBackground {
inline const QString Manor = QStringLiteral("manor.jpg");
inline const QString LivingRoom = QStringLiteral("room.jpg");
inline const QString Beach = QStringLiteral("beach.jpg");
} // namespace RoomBackground

// ---- Names -------------------------------------------------------------------------------------

// A window whose name begins with "#" shows a room; any other window is a private chat with that nick.
bool IsRoomName(const QString &windowName);
// Ends in ".av" with something before it: "#a.avx.av" is the companion of "#a.avx".
bool IsCompanionName(const QString &channel);
// The room a channel belongs to: a companion name without its ".av", any other name unchanged.
QString RoomOfChannel(const QString &channel);
QString CompanionOf(const QString &room);

// ---- Building ----------------------------------------------------------------------------------

// The last width characters of "00000000" followed by the decimal value: ZeroPad(123, 4) = "0123",
// ZeroPad(-5, 4) = "00-5"; digits beyond the width are lost. A width below 1 gives "".
QString ZeroPad(int value, int width);

// A position field: four characters, zero-padded ("0010"; -5 is "00-5"; 12345 keeps "2345").
QString PositionField(int value);
// x, y and the two-character direction code: the ten characters a Move carries.
QString PositionText(int x, int y, const QString &direction);
// The 65-character appearance text followed by the position text: 75 characters.
QString CharacterBlock(const QString &appearance, int x, int y, const QString &direction);

// Room forms, plain text.
QString AnnounceText(const QString &characterBlock);                       // to the companion
QString PresentText(const QString &characterBlock, const QString &room);   // to the announcing nick
QString MoveText(int x, int y, const QString &direction);                  // to the companion
QString RequestText(const QString &kind, const QString &targetNick, const QString &room); // to the target
QString AcceptText(const QString &kind, const QString &requester);         // to the companion
QString RefuseText(const QString &kind, const QString &requester, const QString &room); // to the requester
QString WaveText(const QString &ownNick);                                  // to the companion

// Private forms, CTCP-framed (0x01 keyword blank payload 0x01), all to the other party.
QString PrivateAnnounceText(const QString &characterBlock);
QString PrivateAcknowledgementText(const QString &characterBlock);
QString PrivateMoveText(int x, int y, const QString &direction);
QString PrivateRequestText(const QString &kind, const QString &targetNick, const QString &windowName);
QString PrivateAnswerText(const QString &answer, const QString &kind, const QString &requester);

// ---- Reading -----------------------------------------------------------------------------------
// Readers never look past the end of a text: a field that runs past it reads as what is there. Some
// servers strip trailing blanks, so a one-letter direction at the very end of a text ("S" of "S ")
// reads as that direction with its blank.
// A number that does not read throws EConvertError, which abandons that one message.

enum class TRoomForm { None, IAmHere, Move, Request, Accept };
// Which room form a text is, by the keyword at its very start.
TRoomForm RoomFormOf(const QString &text);
// A room move or a private move: a newer one to the same target makes a waiting one pointless.
bool IsMoveText(const QString &text);
// A room form that travels privately and names its window after its first blank
// (Present, Request, Refuse): texts starting with AV_REQUEST, AV_IAMHERE or AV_ACCEPT.
bool IsPrivateRoomForm(const QString &text);
// The window named by a privately sent room form: the text after the first blank, trimmed;
// none when the text holds no blank.
std::optional<QString> WindowNameOfPrivateForm(const QString &text);
// A private text may arrive with a leading ":"; it is removed before the text is examined.
QString WithoutLeadingColon(const QString &text);

struct TCharacterFields {
    QString Appearance; // characters 11-75
    int X = 0;          // 76-79
    int Y = 0;          // 80-83
    QString Direction;  // 84-85
};
// An Announce on the companion channel: x and y read as plain decimal numbers.
TCharacterFields ReadAnnounce(const QString &text);
// A Present (or a private announce handled as one): x is read from a "-" on when the field holds
// one, so "00-5" is -5. The caller raises y to its floor.
TCharacterFields ReadPresent(const QString &text);
// The ten characters of a Move from position 8: what the room surface's MoveInstance reads.
QString MovePositionOf(const QString &text);
// A position text as it arrived (a Move's or a private move's): x, y and the direction code.
QString ReadPosition(const QString &position);

// The kind of a Request, characters 11-19, trimmed.
QString RequestKindOf(const QString &text);

struct TAcceptFields {
    QString Answer;    // 10-12: "YES" or "NO-"
    QString Kind;      // 13-21, trimmed
    QString Requester; // 22 to the end, trimmed (a Refuse's room name stays part of it)
};
TAcceptFields ReadAccept(const QString &text);

// A CTCP body split at its first blank; the rest is trimmed.
struct TCtcpParts {
    QString Keyword;
    QString Rest;
};
TCtcpParts SplitCtcpBody(const QString &body);

enum class TPrivateForm { None, IAmHere, IAmHereAck, Move, Request, Accept };
TPrivateForm PrivateFormOf(const QString &keyword);
// The room text a private form is handled as: "AV_IAMHERE" + rest for both announce forms,
// "AV_REQUEST" + rest, "AV_ACCEPT" + rest; empty for a private move (its rest goes straight to
// MoveInstance) and for unknown keywords.
QString RoomTextOfPrivateForm(const TCtcpParts &parts);

// ---- Interactions ------------------------------------------------------------------------------

// Handshake, kiss, hug and high five: the kinds that can be requested (and take a partner).
bool IsRequestableKind(const QString &kind);
// The kind requested in ActionMode 1-4 (handshake, kiss, hug, high five); empty for any other mode.
QString KindOfActionMode(int actionMode);
// How the request dialog words a kind: "shake your hand!" ... "????" for anything else.
QString RequestPhrase(const QString &kind);

// ---- Room pairs and backgrounds ----------------------------------------------------------------

// One of the three room pictures, or "manor.jpg" for anything else.
QString KnownBackground(const QString &background);
// The picture named between the first "^[" and the first "]^" of a companion topic, or "manor.jpg".
QString BackgroundFromTopic(const QString &topic);
QString CompanionTopic(const QString &background);
// The raw lines that create a room pair, in sending order (the room topic only for a description
// that is not blank).
QStringList CreateRoomLines(const QString &room, const QString &description, const QString &background);
QStringList JoinRoomLines(const QString &room);
// Leaving a window parts both channels; a private window parts its nick and nick + ".av" alike.
QStringList LeaveLines(const QString &windowName);
QStringList KickLines(const QString &room, const QString &nick);
