#include "LinkFinder.h"

#include <QRegularExpression>

namespace {
const QRegularExpression &LinkStart()
{
    static const QRegularExpression start(QStringLiteral("\\b(?:https?://|www\\.)"),
                                          QRegularExpression::CaseInsensitiveOption);
    return start;
}

// Punctuation after an address belongs to the sentence; a ")" only when the address opened none.
int TrimmedLength(const QString &text, int start, int length)
{
    static const QString trailing = QStringLiteral(".,;:!?'\"");
    while (length > 0) {
        const QChar last = text.at(start + length - 1);
        const QStringView address = QStringView(text).mid(start, length);
        if (trailing.contains(last) || (last == QLatin1Char(')') && address.count(u'(') < address.count(u')')) ||
            (last == QLatin1Char(']') && address.count(u'[') < address.count(u']')))
            --length;
        else
            break;
    }
    return length;
}

// "<" and ">" are the usual brackets around an address in text; neither may stand in one unescaped.
bool EndsAddress(QChar c)
{
    return c.isSpace() || c.category() == QChar::Other_Control || c == QLatin1Char('<') || c == QLatin1Char('>');
}
} // namespace

QList<TFoundLink> FindLinks(const QString &text)
{
    QList<TFoundLink> links;
    int from = 0;
    while (from < text.size()) {
        const QRegularExpressionMatch match = LinkStart().match(text, from);
        if (!match.hasMatch())
            break;
        const int start = match.capturedStart();
        int end = match.capturedEnd();
        while (end < text.size() && !EndsAddress(text.at(end)))
            ++end;
        const int length = TrimmedLength(text, start, end - start);
        from = end;
        if (length <= match.capturedLength())
            continue;
        QString address = text.mid(start, length);
        if (address.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
            address.prepend(QStringLiteral("http://"));
        const QUrl url(address, QUrl::TolerantMode);
        if (url.isValid() && !url.host().isEmpty())
            links.append({start, length, url});
    }
    return links;
}
