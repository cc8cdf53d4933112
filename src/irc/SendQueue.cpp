#include "SendQueue.h"

#include <QTimer>
#include <algorithm>

#include "ErrorHook.h"
#include "WarningLimiter.h"

TSendQueue::TSendQueue(TWriter Writer, QObject *Owner)
    : QObject(Owner), FWrite(std::move(Writer)), FClock(TWarningLimiter::SteadyMilliseconds), FTimer(new QTimer(this))
{
    FTimer->setSingleShot(true);
    connect(FTimer, &QTimer::timeout, this, [this] { RunGuarded([this] { Tick(); }); });
}

void TSendQueue::Add(const QString &Line, TSendPriority Priority, const QString &MergeKey)
{
    if (!MergeKey.isEmpty()) {
        const auto same = std::find_if(FWaiting.begin(), FWaiting.end(), [&](const TEntry &entry) {
            return entry.Key == MergeKey && entry.Priority == Priority;
        });
        if (same != FWaiting.end()) {
            same->Line = Line;
            return;
        }
    }
    FWaiting.push_back({Line, Priority, MergeKey});
    WriteWaiting();
}

void TSendQueue::WriteNow(const QString &Line)
{
    if (Credit() > 0)
        --FCredit;
    FWrite(Line);
}

void TSendQueue::Tick() { WriteWaiting(); }

void TSendQueue::Clear()
{
    FWaiting.clear();
    FCredit = Burst;
    FTimer->stop();
}

QStringList TSendQueue::Waiting() const
{
    QStringList lines;
    for (const TEntry &entry : FWaiting)
        lines << entry.Line;
    return lines;
}

void TSendQueue::Refill()
{
    const qint64 now = FClock();
    if (FCredit >= Burst) {
        FRefillFrom = now;
        return;
    }
    const qint64 gained = (now - FRefillFrom) / RefillMs;
    FCredit = int(std::min<qint64>(Burst, FCredit + gained));
    FRefillFrom = FCredit >= Burst ? now : FRefillFrom + gained * RefillMs;
}

int TSendQueue::Credit()
{
    Refill();
    return FCredit;
}

std::deque<TSendQueue::TEntry>::iterator TSendQueue::Next()
{
    const auto normal = std::find_if(FWaiting.begin(), FWaiting.end(),
                                     [](const TEntry &entry) { return entry.Priority == TSendPriority::Normal; });
    return normal != FWaiting.end() ? normal : FWaiting.begin();
}

void TSendQueue::WriteWaiting()
{
    // A write may end the connection, which clears the queue under this loop: each turn looks again.
    while (!FWaiting.empty()) {
        const auto next = Next();
        if (Credit() <= (next->Priority == TSendPriority::Low ? LowReserve : 0))
            break;
        --FCredit;
        const QString line = next->Line;
        FWaiting.erase(next);
        FWrite(line);
    }
    if (FWaiting.empty())
        FTimer->stop();
    else
        FTimer->start(int(std::max<qint64>(1, FRefillFrom + RefillMs - FClock())));
}
