#pragma once
// Keeps a flood of bad input from flooding the log: at most MaxPerSecond warnings a second get through,
// and the first one after a full second says how many were left out before it.
#include <functional>
#include <optional>

#include <QString>

class TWarningLimiter {
public:
    using TClock = std::function<qint64()>; // milliseconds, never going backwards
    static constexpr int MaxPerSecond = 5;

    explicit TWarningLimiter(TClock clock = SteadyMilliseconds);
    // The text to log now, or nothing when this second's share is used up.
    std::optional<QString> Admit(const QString &text);

    static qint64 SteadyMilliseconds();

private:
    TClock FClock;
    std::optional<qint64> FSecondStart;
    int FAdmitted = 0;
    int FSuppressed = 0;
};
