#pragma once
// The slash commands a window carries out itself: /msg, /query, /topic, /notice, /clear and /help.
// "/me", "/join", "/part" and "/quit" are the room session's; everything else, /nick and /whois among
// them, goes to the server raw as the user typed it.
#include <QString>
#include <QStringList>
#include <functional>

struct TSlashActions {
    QString RoomName; // the window's room channel or the other party's nick
    std::function<void(QString Target, QString Text)> SendMessage;
    std::function<void(QString Line)> SendCommand;
    std::function<void(QString Nick)> OpenPrivate;
    std::function<void()> ClearConversation;
    // A line of its own in the window's conversation (usage, help, what /msg sent).
    std::function<void(QString Text)> ShowLine;
};

enum class TSlashResult {
    NotMine, // not one of these commands: the session handles the line
    Done,    // carried out; the input line may be cleared
    Kept,    // wrongly used: a usage line was shown and the input line stays
};

TSlashResult RunSlashCommand(const QString &line, const TSlashActions &actions);

// The help text, one line per command.
QStringList SlashCommandHelp();
