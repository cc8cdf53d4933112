#include "SlashCommands.h"

#include "AvatarProtocol.h"

namespace {
struct TCommandLine {
    QString Word;   // upper case, without the "/"
    QString First;  // the first argument
    QString Rest;   // everything after the first argument
    QString All;    // everything after the command word
};

TCommandLine Split(const QString &line)
{
    TCommandLine parts;
    const int blank = line.indexOf(QLatin1Char(' '));
    parts.Word = line.mid(1, blank < 0 ? -1 : blank - 1).toUpper();
    parts.All = blank < 0 ? QString() : line.mid(blank + 1).trimmed();
    const int second = parts.All.indexOf(QLatin1Char(' '));
    parts.First = second < 0 ? parts.All : parts.All.left(second);
    parts.Rest = second < 0 ? QString() : parts.All.mid(second + 1).trimmed();
    return parts;
}

template <typename TEvent, typename... TArgs> void Raise(const TEvent &event, TArgs &&...args)
{
    if (event)
        event(std::forward<TArgs>(args)...);
}

TSlashResult Usage(const TSlashActions &actions, const QString &usage)
{
    Raise(actions.ShowLine, QStringLiteral("Usage: ") + usage);
    return TSlashResult::Kept;
}
} // namespace

TSlashResult RunSlashCommand(const QString &line, const TSlashActions &actions)
{
    if (!line.startsWith(QLatin1Char('/')))
        return TSlashResult::NotMine;
    const TCommandLine c = Split(line);
    if (c.Word == QLatin1String("MSG")) {
        if (c.Rest.isEmpty())
            return Usage(actions, QStringLiteral("/msg nick text"));
        Raise(actions.SendMessage, c.First, c.Rest);
        Raise(actions.ShowLine, QStringLiteral("-> ") + c.First + QStringLiteral(": ") + c.Rest);
    } else if (c.Word == QLatin1String("QUERY")) {
        if (c.First.isEmpty())
            return Usage(actions, QStringLiteral("/query nick [text]"));
        Raise(actions.OpenPrivate, c.First);
        if (!c.Rest.isEmpty())
            Raise(actions.SendMessage, c.First, c.Rest);
    } else if (c.Word == QLatin1String("TOPIC")) {
        if (!IsRoomName(actions.RoomName))
            return Usage(actions, QStringLiteral("/topic [text], in a room"));
        Raise(actions.SendCommand, QStringLiteral("TOPIC ") + actions.RoomName +
                                       (c.All.isEmpty() ? QString() : QStringLiteral(" :") + c.All));
    } else if (c.Word == QLatin1String("NOTICE")) {
        if (c.Rest.isEmpty())
            return Usage(actions, QStringLiteral("/notice nick-or-#room text"));
        Raise(actions.SendCommand, QStringLiteral("NOTICE ") + c.First + QStringLiteral(" :") + c.Rest);
        Raise(actions.ShowLine, QStringLiteral("-> -") + c.First + QStringLiteral("- ") + c.Rest);
    } else if (c.Word == QLatin1String("CLEAR")) {
        Raise(actions.ClearConversation);
    } else if (c.Word == QLatin1String("HELP")) {
        for (const QString &help : SlashCommandHelp())
            Raise(actions.ShowLine, help);
    } else {
        return TSlashResult::NotMine;
    }
    return TSlashResult::Done;
}

QStringList SlashCommandHelp()
{
    return {
        QStringLiteral("Commands:"),
        QStringLiteral("  /me text            an action: \"yournick text\""),
        QStringLiteral("  /msg nick text      a private message, without opening a window"),
        QStringLiteral("  /query nick [text]  opens a private chat (and says text)"),
        QStringLiteral("  /nick newnick       changes your nick"),
        QStringLiteral("  /topic [text]       shows or sets the room's topic"),
        QStringLiteral("  /notice nick text   a notice to a nick or a room"),
        QStringLiteral("  /whois nick         who that is (the answer is in the console)"),
        QStringLiteral("  /clear              empties this conversation"),
        QStringLiteral("  /part, /quit        leaves this room"),
        QStringLiteral("  /help               this list"),
        QStringLiteral("  /anything else      is sent to the server as it stands"),
    };
}
