#pragma once
// Lets at most Limit events through within any span of SpanMs milliseconds: what strangers may make
// the program do (open windows) stays bounded however fast they send.
#include <QtGlobal>
#include <deque>
#include <functional>

class TFloodLimiter {
public:
    using TClock = std::function<qint64()>; // milliseconds, never going backwards

    TFloodLimiter(int limit, qint64 spanMs);
    // Whether one more event may happen now; one that may is counted.
    bool Admit();
    // Tests replace the steady clock.
    void SetClock(TClock clock) { FClock = std::move(clock); }

private:
    int FLimit;
    qint64 FSpan;
    TClock FClock;
    std::deque<qint64> FAdmitted; // the times of the admitted events still inside the span
};
