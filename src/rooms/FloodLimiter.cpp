#include "FloodLimiter.h"

#include "WarningLimiter.h"

TFloodLimiter::TFloodLimiter(int limit, qint64 spanMs)
    : FLimit(limit), FSpan(spanMs), FClock(TWarningLimiter::SteadyMilliseconds)
{
}

bool TFloodLimiter::Admit()
{
    const qint64 now = FClock();
    while (!FAdmitted.empty() && now - FAdmitted.front() >= FSpan)
        FAdmitted.pop_front();
    if (int(FAdmitted.size()) >= FLimit)
        return false;
    FAdmitted.push_back(now);
    return true;
}
