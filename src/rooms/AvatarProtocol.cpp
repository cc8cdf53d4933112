#include "AvatarProtocol.h"

#include "ChattleError.h"
#include "StrictNumber.h"


namespace {
const QChar CtcpDelimiter(0x01);
const QString CompanionSuffix = QStringLiteral(".av");

// The 0-based text of the 1-based positions first..last; shorter (or empty) where the text ends.
QString Field(const QString &text, int first, int last) { return text.mid(first - 1, last - first + 1); }
QString FieldToEnd(const QString &text, int first) { return text.mid(first - 1); }

QString CtcpFramed(const QString &keyword, const QString &payload)
{
    return CtcpDelimiter + keyword + QLatin1Char(' ') + payload + CtcpDelimiter;
}

// A direction code that lost its trailing blank in transit ("S", "W", "N", "E") gets it back.
QString WithDirectionBlank(const QString &direction)
{
    static const QString OneLetter = QStringLiteral("SWNE");
    if (direction.size() == 1 && OneLetter.contains(direction.front()))
        return direction + QLatin1Char(' ');
    return direction;
}

// Characters 11-85 of an "AV_IAMHERE" text; readX decides how the x field is read.
template <typename ReadX>
TCharacterFields ReadCharacterBlock(const QString &text, ReadX readX)
{
    TCharacterFields fields;
    fields.Appearance = Field(text, 11, 75);
    fields.X = readX(Field(text, 76, 79));
    fields.Y = StrictToInt(Field(text, 80, 83));
    fields.Direction = text.size() == 84 ? WithDirectionBlank(Field(text, 84, 84)) : Field(text, 84, 85);
    return fields;
}
} // namespace

// ---- Names -------------------------------------------------------------------------------------

bool IsRoomName(const QString &windowName) { return windowName.startsWith(QLatin1Char('#')); }

bool IsCompanionName(const QString &channel)
{
    return channel.size() > CompanionSuffix.size() && channel.endsWith(CompanionSuffix);
}

QString RoomOfChannel(const QString &channel)
{
    return IsCompanionName(channel) ? channel.chopped(CompanionSuffix.size()) : channel;
}

QString CompanionOf(const QString &room) { return room + CompanionSuffix; }

// ---- Building ----------------------------------------------------------------------------------

QString ZeroPad(int value, int width)
{
    if (width < 1)
        return QString();
    return (QStringLiteral("00000000") + QString::number(value)).right(width);
}

QString PositionField(int value) { return ZeroPad(value, 4); }

QString PositionText(int x, int y, const QString &direction)
{
    return PositionField(x) + PositionField(y) + direction;
}

QString CharacterBlock(const QString &appearance, int x, int y, const QString &direction)
{
    return appearance + PositionText(x, y, direction);
}

QString AnnounceText(const QString &characterBlock) { return AvatarKeyword::IAmHere + characterBlock; }

QString PresentText(const QString &characterBlock, const QString &room)
{
    return AvatarKeyword::IAmHere + characterBlock + QLatin1Char(' ') + room;
}

QString MoveText(int x, int y, const QString &direction)
{
    return AvatarKeyword::Move + PositionText(x, y, direction);
}

QString RequestText(const QString &kind, const QString &targetNick, const QString &room)
{
    return AvatarKeyword::Request + kind + targetNick + QLatin1Char(' ') + room;
}

QString AcceptText(const QString &kind, const QString &requester)
{
    return AvatarKeyword::Accept + RequestAnswer::Yes + kind + requester;
}

QString RefuseText(const QString &kind, const QString &requester, const QString &room)
{
    return AvatarKeyword::Accept + RequestAnswer::No + kind + requester + QLatin1Char(' ') + room;
}

QString WaveText(const QString &ownNick) { return AcceptText(InteractionKind::Wave, ownNick); }

QString PrivateAnnounceText(const QString &characterBlock)
{
    return CtcpFramed(AvatarKeyword::PrivateIAmHere, characterBlock);
}

QString PrivateAcknowledgementText(const QString &characterBlock)
{
    return CtcpFramed(AvatarKeyword::PrivateIAmHereAck, characterBlock);
}

QString PrivateMoveText(int x, int y, const QString &direction)
{
    return CtcpFramed(AvatarKeyword::PrivateMove, PositionText(x, y, direction));
}

QString PrivateRequestText(const QString &kind, const QString &targetNick, const QString &windowName)
{
    return CtcpFramed(AvatarKeyword::PrivateRequest, kind + targetNick + QLatin1Char(' ') + windowName);
}

QString PrivateAnswerText(const QString &answer, const QString &kind, const QString &requester)
{
    return CtcpFramed(AvatarKeyword::PrivateAccept, answer + kind + requester);
}

// ---- Reading -----------------------------------------------------------------------------------

TRoomForm RoomFormOf(const QString &text)
{
    if (text.startsWith(AvatarKeyword::IAmHere))
        return TRoomForm::IAmHere;
    if (text.startsWith(AvatarKeyword::Move))
        return TRoomForm::Move;
    if (text.startsWith(AvatarKeyword::Request))
        return TRoomForm::Request;
    if (text.startsWith(AvatarKeyword::Accept))
        return TRoomForm::Accept;
    return TRoomForm::None;
}

bool IsMoveText(const QString &text)
{
    return RoomFormOf(text) == TRoomForm::Move ||
           text.startsWith(CtcpDelimiter + AvatarKeyword::PrivateMove + QLatin1Char(' '));
}

bool IsPrivateRoomForm(const QString &text)
{
    const TRoomForm form = RoomFormOf(text);
    return form == TRoomForm::IAmHere || form == TRoomForm::Request || form == TRoomForm::Accept;
}

std::optional<QString> WindowNameOfPrivateForm(const QString &text)
{
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return std::nullopt;
    return text.mid(blank + 1).trimmed();
}

QString WithoutLeadingColon(const QString &text)
{
    return text.startsWith(QLatin1Char(':')) ? text.mid(1) : text;
}

TCharacterFields ReadAnnounce(const QString &text) { return ReadCharacterBlock(text, StrictToInt); }

TCharacterFields ReadPresent(const QString &text)
{
    return ReadCharacterBlock(text, [](const QString &field) {
        const qsizetype minus = field.indexOf(QLatin1Char('-'));
        return StrictToInt(minus < 0 ? field : field.mid(minus));
    });
}

QString MovePositionOf(const QString &text) { return ReadPosition(FieldToEnd(text, 8)).left(10); }

QString ReadPosition(const QString &position)
{
    constexpr int DirectionAt = 8; // after the four characters of x and of y
    if (position.size() != DirectionAt + 1)
        return position;
    return position.left(DirectionAt) + WithDirectionBlank(position.mid(DirectionAt));
}

QString RequestKindOf(const QString &text) { return Field(text, 11, 19).trimmed(); }

TAcceptFields ReadAccept(const QString &text)
{
    return {Field(text, 10, 12), Field(text, 13, 21).trimmed(), FieldToEnd(text, 22).trimmed()};
}

TCtcpParts SplitCtcpBody(const QString &body)
{
    const qsizetype blank = body.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return {body, QString()};
    return {body.left(blank), body.mid(blank + 1).trimmed()};
}

TPrivateForm PrivateFormOf(const QString &keyword)
{
    if (keyword == AvatarKeyword::PrivateIAmHere)
        return TPrivateForm::IAmHere;
    if (keyword == AvatarKeyword::PrivateIAmHereAck)
        return TPrivateForm::IAmHereAck;
    if (keyword == AvatarKeyword::PrivateMove)
        return TPrivateForm::Move;
    if (keyword == AvatarKeyword::PrivateRequest)
        return TPrivateForm::Request;
    if (keyword == AvatarKeyword::PrivateAccept)
        return TPrivateForm::Accept;
    return TPrivateForm::None;
}

QString RoomTextOfPrivateForm(const TCtcpParts &parts)
{
    switch (PrivateFormOf(parts.Keyword)) {
    case TPrivateForm::IAmHere:
    case TPrivateForm::IAmHereAck:
        return AvatarKeyword::IAmHere + parts.Rest;
    case TPrivateForm::Request:
        return AvatarKeyword::Request + parts.Rest;
    case TPrivateForm::Accept:
        return AvatarKeyword::Accept + parts.Rest;
    case TPrivateForm::Move:
    case TPrivateForm::None:
        break;
    }
    return QString();
}

// ---- Interactions ------------------------------------------------------------------------------

bool IsRequestableKind(const QString &kind)
{
    return kind == InteractionKind::Handshake || kind == InteractionKind::Kiss || kind == InteractionKind::Hug ||
           kind == InteractionKind::High5;
}

QString KindOfActionMode(int actionMode)
{
    switch (actionMode) {
    case 1:
        return InteractionKind::Handshake;
    case 2:
        return InteractionKind::Kiss;
    case 3:
        return InteractionKind::Hug;
    case 4:
        return InteractionKind::High5;
    default:
        return QString();
    }
}

QString RequestPhrase(const QString &kind)
{
    if (kind == InteractionKind::Handshake)
        return QStringLiteral("shake your hand!");
    if (kind == InteractionKind::Kiss)
        return QStringLiteral("kiss you!");
    if (kind == InteractionKind::Hug)
        return QStringLiteral("hug you!");
    if (kind == InteractionKind::High5)
        return QStringLiteral("give you a High 5!");
    return QStringLiteral("????");
}

// ---- Room pairs and backgrounds ----------------------------------------------------------------

QString KnownBackground(const QString &background)
{
    if (background == RoomBackground::LivingRoom || background == RoomBackground::Beach)
        return background;
    return RoomBackground::Manor;
}

QString BackgroundFromTopic(const QString &topic)
{
    const qsizetype open = topic.indexOf(QStringLiteral("^["));
    const qsizetype close = topic.indexOf(QStringLiteral("]^"));
    if (open < 0 || close <= open)
        return RoomBackground::Manor;
    return KnownBackground(topic.mid(open + 2, close - open - 2));
}

QString CompanionTopic(const QString &background)
{
    return QStringLiteral("Visit ") + MakerWebAddress + QStringLiteral(" for animated IRC!  ^[") +
           KnownBackground(background) + QStringLiteral("]^");
}

QStringList CreateRoomLines(const QString &room, const QString &description, const QString &background)
{
    QStringList lines{QStringLiteral("join ") + room};
    if (!description.trimmed().isEmpty())
        lines << QStringLiteral("topic ") + room + QStringLiteral(" :") + description;
    lines << QStringLiteral("join ") + CompanionOf(room)
          << QStringLiteral("mode ") + CompanionOf(room) + QStringLiteral(" +tn")
          << QStringLiteral("topic ") + CompanionOf(room) + QStringLiteral(" :") + CompanionTopic(background);
    return lines;
}

QStringList JoinRoomLines(const QString &room)
{
    return {QStringLiteral("join ") + room, QStringLiteral("join ") + CompanionOf(room)};
}

QStringList LeaveLines(const QString &windowName)
{
    return {QStringLiteral("PART ") + windowName, QStringLiteral("PART ") + CompanionOf(windowName)};
}

QStringList KickLines(const QString &room, const QString &nick)
{
    return {QStringLiteral("KICK ") + room + QLatin1Char(' ') + nick,
            QStringLiteral("KICK ") + CompanionOf(room) + QLatin1Char(' ') + nick};
}
