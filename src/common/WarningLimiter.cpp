#include "WarningLimiter.h"

#include <chrono>

TWarningLimiter::TWarningLimiter(TClock clock) : FClock(std::move(clock)) {}

std::optional<QString> TWarningLimiter::Admit(const QString &text)
{
    const qint64 now = FClock();
    if (!FSecondStart || now - *FSecondStart >= 1000) {
        FSecondStart = now;
        FAdmitted = 0;
    }
    if (FAdmitted >= MaxPerSecond) {
        ++FSuppressed;
        return std::nullopt;
    }
    ++FAdmitted;
    if (FSuppressed == 0)
        return text;
    const QString summary = text + QStringLiteral(" (suppressed %1 earlier warnings)").arg(FSuppressed);
    FSuppressed = 0;
    return summary;
}

qint64 TWarningLimiter::SteadyMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
