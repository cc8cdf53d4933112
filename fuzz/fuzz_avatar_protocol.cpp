// Avatar protocol texts as a room or private chat receives them: every reader of AvatarProtocol.h,
// the character built from an Announce, a Move walked on the room surface, an Accept played out, and
// SetAppearance / SetInfo on a character of the tiny test artwork.
#include "AvatarProtocol.h"
#include "ChattleError.h"
#include "FuzzSupport.h"
#include "PersonaInst.h"
#include "PersonaSpace.h"

namespace {
// Walks and animations end within a few thousand ticks; a bound keeps a stuck one from hanging.
constexpr int MaxSteps = 5000;

struct TRoom {
    TPersonaSpace Space;
    TPersonaInst *Peer = nullptr;
    TPersonaInst *Own = nullptr;

    TRoom()
    {
        Space.SetOwn(std::make_unique<TPersonaInst>(&MiniLibrary()));
        Own = Space.Own();
        Own->Name = QStringLiteral("me");
        auto peer = std::make_unique<TPersonaInst>(&MiniLibrary());
        peer->Name = QStringLiteral("peer");
        Peer = peer.get();
        const QString name = peer->Name; // gcc moves the argument out before reading the name
        Space.AddInstance(name, std::move(peer));
    }

    // Both characters standing still at their start, free of interactions, with the default looks.
    void Reset()
    {
        for (TPersonaInst *character : {Own, Peer}) {
            character->EndInteraction();
            character->Walking = false;
            character->Facing = 0;
            character->WalkDirection = NoWalkDirection;
            character->Frame = 0;
        }
        Own->SetPosition(100, 220);
        Peer->SetPosition(300, 220);
    }

    void StepUntilStill()
    {
        for (int i = 0; i < MaxSteps; ++i) {
            const bool ownMoved = Own->Step();
            const bool peerMoved = Peer->Step();
            if (!ownMoved && !peerMoved)
                return;
        }
        __builtin_trap(); // a walk or an animation that never ends
    }
};

TRoom &Room()
{
    static TRoom *room = new TRoom;
    return *room;
}

void TouchCharacter(const TPersonaInst &character)
{
    Touch(character.GetAppearance());
    Touch(character.GetInfo());
    Touch(character.X + character.Y + character.Frame);
    if (character.Sprite && character.Frame >= character.Sprite->CelCount())
        Touch(-1);
}

// What the room frame does with an Announce or Present: a character from the fields.
void BuildCharacter(const TCharacterFields &fields)
{
    try {
        TPersonaInst character(&MiniLibrary(), fields.Appearance);
        character.SetPosition(fields.X, fields.Y);
        character.SetDirection(fields.Direction);
        TouchCharacter(character);
    } catch (const EChattleError &) {
    }
}

void PlayAccept(TRoom &room, const TAcceptFields &fields)
{
    Touch(fields.Answer + fields.Requester);
    using TStart = void (TPersonaInst::*)(TPersonaInst *);
    const std::pair<QString, TStart> paired[] = {{InteractionKind::Handshake, &TPersonaInst::StartHandshake},
                                                 {InteractionKind::Kiss, &TPersonaInst::StartKiss},
                                                 {InteractionKind::Hug, &TPersonaInst::StartHug},
                                                 {InteractionKind::High5, &TPersonaInst::StartHigh5}};
    for (const auto &[kind, start] : paired)
        if (fields.Kind == kind)
            (room.Peer->*start)(room.Own);
    if (fields.Kind == InteractionKind::Wave)
        room.Peer->StartWave();
    room.StepUntilStill();
}

void MovePeer(TRoom &room, const QString &position)
{
    try {
        room.Space.MoveInstance(room.Peer->Name, position);
    } catch (const EConvertError &) {
        return;
    }
    room.StepUntilStill();
    TouchCharacter(*room.Peer);
}

void ReadAll(TRoom &room, const QString &text, bool nested)
{
    room.Reset();
    Touch(static_cast<int>(RoomFormOf(text)) + IsPrivateRoomForm(text) + IsRoomName(text) + IsCompanionName(text));
    Touch(WindowNameOfPrivateForm(text).value_or(QString()));
    Touch(WithoutLeadingColon(text) + RoomOfChannel(text) + BackgroundFromTopic(text) + KnownBackground(text));
    try {
        BuildCharacter(ReadAnnounce(text));
    } catch (const EConvertError &) {
    }
    try {
        BuildCharacter(ReadPresent(text));
    } catch (const EConvertError &) {
    }
    MovePeer(room, MovePositionOf(text));
    Touch(RequestPhrase(RequestKindOf(text)));
    PlayAccept(room, ReadAccept(text));

    // The same text as the body of a private CTCP message.
    const TCtcpParts parts = SplitCtcpBody(text);
    const TPrivateForm form = PrivateFormOf(parts.Keyword);
    if (form == TPrivateForm::Move)
        MovePeer(room, parts.Rest);
    const QString roomText = RoomTextOfPrivateForm(parts);
    if (!nested && !roomText.isEmpty())
        ReadAll(room, roomText, true);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    EnsureApplication();
    Room();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    DeliverPostedEvents();
    TRoom &room = Room();
    const QString text = FuzzText(data, size);
    ReadAll(room, text, false);

    // The text as an appearance and as an info record of the own character.
    TPersonaInst &own = *room.Own;
    const QString before = own.GetAppearance();
    try {
        own.SetAppearance(text);
        own.Rebuild();
    } catch (const EChattleError &) {
    }
    own.SetInfo(text);
    TouchCharacter(own);
    own.SetAppearance(before);
    return 0;
}
