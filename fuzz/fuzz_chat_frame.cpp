// A room or private chat window fed a burst of received texts: the frame's avatar handlers, its CTCP
// handling and ShowText, with the room ticking in between. Each input line is one event: its first
// character picks the handler and the sender, the rest is the text. Message boxes are answered by
// script; characters come from the tiny test artwork.
#include "ChattleError.h"
#include "Dialogs.h"
#include "FuzzRooms.h"
#include "FuzzSupport.h"
#include "PersonaInst.h"
#include "PersonaSpace.h"
#include "frameChatFrame.h"

#include <QStringList>

namespace {
const QString Own = QStringLiteral("alice");

// A room and a private chat frame live for the whole run; each input starts on one of them emptied
// of members, characters, text and open request boxes.
struct TFrames {
    std::unique_ptr<TframeChatFrame> Room = Make(QStringLiteral("#lobby"));
    std::unique_ptr<TframeChatFrame> Private = Make(QStringLiteral("peer"));

    static std::unique_ptr<TframeChatFrame> Make(const QString &room)
    {
        auto frame = std::make_unique<TframeChatFrame>();
        frame->PersonaLib = &MiniLibrary();
        frame->OnSendMessage = [](QString target, QString text) { Touch(target + text); };
        frame->OnSendCommand = [](QString line) { Touch(line); };
        auto character = std::make_unique<TPersonaInst>(&MiniLibrary());
        character->Name = Own;
        frame->Init(std::move(character));
        frame->SetRoom(room);
        return frame;
    }
};

TFrames &Frames()
{
    static TFrames *frames = new TFrames;
    return *frames;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    EnsureApplication();
    MiniLibrary();
    SetDialogResponder([](TDialogKind, const QString &text) {
        Touch(text);
        return TDialogButton::No;
    });
    Frames();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QStringList senders = {QStringLiteral("peer"), QStringLiteral("bob"), Own};
    TframeChatFrame &frame = size % 2 == 0 ? *Frames().Room : *Frames().Private;
    EmptyChatFrame(frame, Own);
    DeliverPostedEvents();

    for (const QString &line : FuzzText(data, size).split(QLatin1Char('\n'))) {
        if (line.isEmpty())
            continue;
        const int pick = line.at(0).unicode();
        const QString &sender = senders.at(pick / 8 % senders.size());
        const QString text = line.mid(1);
        try {
            switch (pick % 8) {
            case 0:
                frame.HandleAvatarMessage(sender, text);
                break;
            case 1:
                frame.HandlePrivateMessage(sender, text);
                break;
            case 2:
                frame.ShowText(sender, text);
                break;
            case 3:
                frame.HandlePrivateCtcp(sender, text);
                break;
            case 4:
                frame.RemoveMember(sender, text);
                break;
            case 5:
                frame.AddMember(sender, text);
                break;
            default:
                for (qsizetype tick = 0; tick < text.size() % 64; ++tick)
                    frame.timeTimerTimer();
                break;
            }
        } catch (const EChattleError &) {
            // The one message is abandoned, as the connection's guard does.
        }
    }
    for (int tick = 0; tick < 20; ++tick)
        frame.timeTimerTimer();
    for (const TNamedPersona &entry : frame.Space()->Instances())
        Touch(entry.Persona->X + entry.Persona->Y + entry.Persona->Frame);
    return 0;
}
