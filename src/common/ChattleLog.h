#pragma once
// Warnings about abandoned input, shared by every layer. Each layer declares its own categories
// (IrcLog.h, AvatarLog.h, RoomsLog.h, AppLog.h); warnings show by default, the rest is switched on with
// QT_LOGGING_RULES (see the README).
#include <QLoggingCategory>
#include <QString>

#include "ChattleError.h"

using TLogCategory = const QLoggingCategory &(*)();

// Logs text as a warning, at most TWarningLimiter::MaxPerSecond a second per category.
void LogWarning(TLogCategory category, const QString &text);

// Logs "what: reason" unless a layer below already logged this error; either way it is marked logged,
// so the layers it passes on its way up to the error hook stay silent about it.
void LogAbandoned(TLogCategory category, const QString &what, const std::exception &error);

// Runs work; an EChattleError leaving it is logged (LogAbandoned) and goes on up unchanged.
template <class TWork>
decltype(auto) LoggingAbandoned(TLogCategory category, const QString &what, TWork &&work)
{
    try {
        return work();
    } catch (const EChattleError &error) {
        LogAbandoned(category, what, error);
        throw;
    }
}

// Forgets what the limiters counted, so that a test starts from a quiet log.
void ResetWarningLimits();
