#include "NickNameRules.h"

namespace {
constexpr int ShortestNick = 3;
const QString Forbidden = QStringLiteral("/\\,*?!@");
const QString ForbiddenAtStart = QStringLiteral("#:0123456789");
} // namespace

QString NickNameFault(const QString &Nick)
{
    if (Nick.size() < ShortestNick)
        return QStringLiteral("Nick Name is too short!");
    if (Nick.contains(QLatin1Char(' ')))
        return QStringLiteral("Nick Name can't have any spaces!");
    for (const QChar c : Nick) {
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("Nick Name can't have control characters!");
        if (Forbidden.contains(c))
            return QStringLiteral("Nick Name can't have any of these characters:  / \\ , * ? ! @");
    }
    if (ForbiddenAtStart.contains(Nick.front()))
        return QStringLiteral("Nick Name can't begin with #, : or a digit!");
    return QString();
}
