#include "NickCompleter.h"

#include <algorithm>

#include "MemberList.h"

namespace {
QString Suffix(const QString &head) { return head.isEmpty() ? QStringLiteral(": ") : QStringLiteral(" "); }
} // namespace

std::optional<TCompletedLine> TNickCompleter::Complete(const QString &line, int cursor, const QStringList &candidates)
{
    const bool cycling = !FMatches.isEmpty() && line == FLeftText && cursor == FLeftCursor;
    if (cycling) {
        FIndex = (FIndex + 1) % FMatches.size();
    } else {
        const int start = line.lastIndexOf(QLatin1Char(' '), cursor - 1) + 1;
        const QString prefix = line.mid(start, cursor - start);
        FMatches.clear();
        if (prefix.isEmpty())
            return std::nullopt;
        for (const QString &nick : candidates)
            if (nick.startsWith(prefix, Qt::CaseInsensitive) && !FMatches.contains(nick, Qt::CaseInsensitive))
                FMatches << nick;
        if (FMatches.isEmpty())
            return std::nullopt;
        FHead = line.left(start);
        FTail = line.mid(cursor);
        FIndex = 0;
    }
    const QString completed = FHead + FMatches.at(FIndex) + Suffix(FHead);
    FLeftText = completed + FTail;
    FLeftCursor = completed.size();
    return TCompletedLine{FLeftText, FLeftCursor};
}

QStringList CompletionOrder(const QStringList &recentSpeakers, const QStringList &memberEntries, const QString &ownNick)
{
    QStringList others;
    for (const QString &entry : memberEntries)
        others << WithoutMemberMark(entry);
    std::sort(others.begin(), others.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    QStringList order;
    for (const QString &nick : recentSpeakers + others)
        if (nick.compare(ownNick, Qt::CaseInsensitive) != 0 && !order.contains(nick, Qt::CaseInsensitive))
            order << nick;
    return order;
}
