#pragma once
// A received avatar text read once into what it is and the fields it carries, so that a window
// dispatches on the kind instead of reading positions itself. The readers throw EConvertError for a
// number that does not read, as the field readers do: that one message is abandoned.
#include "AvatarProtocol.h"

struct TAvatarMessage {
    enum class TKind {
        Ignored,  // nothing for the avatar layer and nothing to show
        Text,     // a private text that is no protocol form: shown as conversation (Text)
        Announce, // a newcomer's character on the companion channel (Character)
        Present,  // a character sent privately in answer or as a private announce (Character)
        Move,     // a character's walk target (Position)
        Request,  // someone asks the user for an interaction (Interaction)
        Accept,   // an interaction to perform, as the companion channel carries it (Answer)
        Answer,   // the answer to the user's own request, sent privately (Answer)
    };
    TKind Kind = TKind::Ignored;
    TCharacterFields Character;
    QString Position;    // the ten characters the room surface's MoveInstance reads
    QString Interaction; // the kind requested
    TAcceptFields Answer;
    QString Text;
    bool Acknowledge = false; // a private announce, answered with the own character block
};

// A text on the companion channel: Announce, Move or Accept (a "YES" to a kind that can be requested,
// or a wave); anything else is ignored.
TAvatarMessage ReadCompanionMessage(const QString &text);
// A private text, a leading ":" removed: Present, Request, Answer, or else Text. A Request or Answer
// whose kind cannot be requested (or an Answer neither "YES" nor "NO-") is ignored.
TAvatarMessage ReadPrivateMessage(const QString &text);
// A CTCP body, in any window: the private forms read as the room forms they stand for (a private
// move as Move); an unknown keyword is ignored.
TAvatarMessage ReadPrivateCtcp(const QString &body);
