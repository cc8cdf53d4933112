#include "ReconnectSchedule.h"

#include <algorithm>

void TReconnectSchedule::ConnectionLost()
{
    if (FState == TState::Idle)
        Wait(FirstDelay);
}

void TReconnectSchedule::AttemptFailed()
{
    if (FState == TState::Attempting)
        Wait(std::min(MaxDelay, FDelay * 2));
}

void TReconnectSchedule::Succeeded() { Cancel(); }

void TReconnectSchedule::Cancel()
{
    FState = TState::Idle;
    FDelay = 0;
    FSecondsLeft = 0;
}

bool TReconnectSchedule::Tick()
{
    if (FState != TState::Waiting)
        return false;
    if (--FSecondsLeft > 0)
        return false;
    FState = TState::Attempting;
    return true;
}

void TReconnectSchedule::Wait(int Seconds)
{
    FState = TState::Waiting;
    FDelay = std::max(1, Seconds);
    FSecondsLeft = FDelay;
}
