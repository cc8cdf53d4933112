#include "ChattleLog.h"

#include <map>

#include <QMutex>

#include "WarningLimiter.h"

namespace {
QMutex LimitersLock;

std::map<QString, TWarningLimiter> &Limiters()
{
    static std::map<QString, TWarningLimiter> limiters;
    return limiters;
}
} // namespace

void LogWarning(TLogCategory category, const QString &text)
{
    if (!category().isWarningEnabled())
        return;
    std::optional<QString> admitted;
    {
        const QMutexLocker lock(&LimitersLock);
        admitted = Limiters()[QString::fromLatin1(category().categoryName())].Admit(text);
    }
    if (admitted)
        qCWarning(category).noquote() << *admitted;
}

void LogAbandoned(TLogCategory category, const QString &what, const EChattleError &error)
{
    if (error.Logged)
        return;
    error.Logged = true;
    LogWarning(category, what + QStringLiteral(": ") + error.Message());
}

void ResetWarningLimits()
{
    const QMutexLocker lock(&LimitersLock);
    Limiters().clear();
}
