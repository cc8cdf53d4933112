#include "MentionMatcher.h"

namespace {
bool IsNickCharacter(QChar c)
{
    return c.isLetterOrNumber() || QStringLiteral("[]\\`^{}|_-").contains(c);
}

QString IrcLower(const QString &text)
{
    QString lower = text.toLower();
    for (QChar &c : lower) {
        if (c == QLatin1Char('['))
            c = QLatin1Char('{');
        else if (c == QLatin1Char(']'))
            c = QLatin1Char('}');
        else if (c == QLatin1Char('\\'))
            c = QLatin1Char('|');
        else if (c == QLatin1Char('~'))
            c = QLatin1Char('^');
    }
    return lower;
}
} // namespace

bool MentionsNick(const QString &text, const QString &nick)
{
    if (nick.isEmpty())
        return false;
    const QString haystack = IrcLower(text);
    const QString needle = IrcLower(nick);
    for (int at = haystack.indexOf(needle); at >= 0; at = haystack.indexOf(needle, at + 1)) {
        const int after = at + needle.size();
        if ((at == 0 || !IsNickCharacter(text.at(at - 1))) && (after == text.size() || !IsNickCharacter(text.at(after))))
            return true;
    }
    return false;
}
