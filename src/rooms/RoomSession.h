#pragma once
// TRoomSession: one room or private window's side of the avatar protocol, without widgets. It knows
// the window's name and its own character, the request the user has pending and the ignore list. It
// takes received texts and the user's intents and answers through its events: the lines to send, the
// changes to the room surface, and the boxes, dialogs and conversation lines to show. The room frame
// owns one and carries the changes out. Every event may be unset; an unset one is skipped.
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class TPersonaInst;
class TPersonaLib;
struct TAvatarMessage;
struct TAcceptFields;

// A QObject only so that it notices when a box it raised closed the window, and with it the session.
class TRoomSession : public QObject {
public:
    // The floor line of a bound room: nobody stands above RoomFloorY - 54.
    static constexpr int RoomFloorY = 270;
    // A room draws at most this many other characters: past it an Announce or Present is not drawn.
    static constexpr int MaxCharacters = 150;

    // What the input line asked for: sent (the line may be cleared), kept in the line, or leaving.
    enum class TSaid { Sent, Kept, Leave };
    // The user's answer in the request dialog.
    enum class TAnswer { Accept, Reject, Ignore };

    TPersonaLib *PersonaLib = nullptr; // remote characters are built with it; not owned

    std::function<void(QString Target, QString Text)> OnSendMessage;
    std::function<void(QString Line)> OnSendCommand;
    // The room surface: a placed character replaces an earlier one of its name.
    std::function<void(std::unique_ptr<TPersonaInst> Character)> OnPlaceCharacter;
    std::function<void(QString Nick, QString Position)> OnMoveCharacter;
    // The room surface's census: how many other characters it holds, and whether nick has one there.
    // While CharacterCount is unset every character is placed.
    std::function<int()> CharacterCount;
    std::function<bool(QString Nick)> HasCharacter;
    // Requester starts the interaction Kind with Acceptor as its partner; a wave names no acceptor.
    std::function<void(QString Kind, QString Requester, QString Acceptor)> OnInteract;
    std::function<void(int Mode)> OnActionMode;
    // What the user sees: the request dialog, a conversation line, a message box, a warning.
    std::function<void(QString Requester, QString Kind)> OnRequest;
    std::function<void(QString Sender, QString Text)> OnShowText;
    std::function<void(QString From, QString Text)> OnShowMessage; // a box about what From did
    std::function<void(QString Text)> OnWarn;

    // A fresh start with the own character (held by the room surface; may be null) and no ignored nick.
    void Init(const TPersonaInst *own);
    void SetRoom(const QString &name) { FRoomName = name; }
    QString RoomName() const { return FRoomName; }
    // An own character and a room: only then are characters placed and moved.
    bool Bound() const;
    QString OwnName() const;
    // The own character block for Announce and Present (its walking target and direction code);
    // empty without an own character.
    QString OwnCharacterBlock() const;
    QString PendingRequest() const { return FPendingRequest; }
    const QStringList &IgnoreList() const { return FIgnoreList; }
    bool IsIgnored(const QString &nick) const;
    void Ignore(const QString &nick);
    bool IsRoomChannel(const QString &channel) const;
    bool IsCompanionChannel(const QString &channel) const;
    // Whether a received text is shown: not from an ignored nick, not the echo of an own private form.
    bool Shows(const QString &sender, const QString &text) const;

    // Received texts: on the companion channel, privately, and as a CTCP body of a private chat's text
    // (a room window's texts come from its channel, so it ignores the private forms). An answer is
    // taken only from the person the user asked.
    void HandleAvatarMessage(const QString &sender, const QString &text);
    void HandlePrivateMessage(const QString &sender, const QString &text);
    void HandlePrivateCtcp(const QString &sender, const QString &body);

    // The user's intents. Say takes a non-empty input line.
    TSaid Say(const QString &text);
    // After the surface took a click: walk (mode 0) or ask the character under the mouse.
    void SurfaceClicked(int actionMode, const QString &hoverName);
    void RequestInteraction(const QString &kind, const QString &hoverName);
    // "Do It!" with a choice of the interaction bar.
    void Perform(const QString &choice);
    // The own walking target and facing to the others (after a walk or a turn).
    void SendOwnPosition();
    void AnswerRequest(TAnswer answer, const QString &requester, const QString &kind);
    void Leave();
    void Kick(const QString &nick);

private:
    void Dispatch(const QString &sender, const TAvatarMessage &message);
    void PlaceCharacter(const QString &nick, const TAvatarMessage &message);
    bool HasRoomFor(const QString &nick) const;
    void TakeAnswer(const QString &sender, const TAcceptFields &answer);
    void PerformAccept(const QString &acceptor, const TAcceptFields &fields);
    void SendMessage(const QString &target, const QString &text);
    void SendCommand(const QString &line);
    void ResetActionMode();

    QString FRoomName;
    const TPersonaInst *FOwn = nullptr;
    QString FPendingRequest;
    QStringList FIgnoreList;
};

// Starts the interaction kind on requester with acceptor as its partner (handshake, kiss, hug, high
// five: nothing without a partner), or requester's wave; any other kind does nothing.
void StartInteraction(const QString &kind, TPersonaInst &requester, TPersonaInst *acceptor);
