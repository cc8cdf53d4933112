#pragma once
// Tab completion of nicks in the input line: the word before the cursor is completed from the
// candidates (letter case ignored, in the order given); a repeated Tab on the line it left moves on to
// the next candidate. A nick completed at the start of the line is followed by ": ", elsewhere by " ".
#include <QString>
#include <QStringList>
#include <optional>

struct TCompletedLine {
    QString Text;
    int Cursor = 0;
};

class TNickCompleter {
public:
    // Candidates in order of preference; none or no match leaves the line alone.
    std::optional<TCompletedLine> Complete(const QString &line, int cursor, const QStringList &candidates);

private:
    // What the last completion left, so that the next Tab on it cycles.
    QString FLeftText;
    int FLeftCursor = -1;
    QString FHead;      // the line before the completed word
    QString FTail;      // the line after the cursor
    QStringList FMatches;
    int FIndex = 0;
};

// The candidates of a room: the recent speakers first (most recent first), then the other members
// alphabetically; the member marks "@" and "+" and the own nick left out.
QStringList CompletionOrder(const QStringList &recentSpeakers, const QStringList &memberEntries, const QString &ownNick);
