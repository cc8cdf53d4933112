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

void LogAbandoned(TLogCategory category, const QString &what, const std::exception &error)
{
    if (const auto *own = dynamic_cast<const EChattleError *>(&error)) {
        if (own->Logged)
            return;
        own->Logged = true;
    }
    LogWarning(category, what + QStringLiteral(": ") + QString::fromUtf8(error.what()));
}

void ResetWarningLimits()
{
    const QMutexLocker lock(&LimitersLock);
    Limiters().clear();
}
