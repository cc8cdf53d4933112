#pragma once
// When to connect again after the connection was lost: the first attempt after FirstDelay seconds,
// each failed attempt doubles the wait up to MaxDelay. Driven by one tick a second, so the count
// shown to the user and the decision are the same number. Widget-free.
class TReconnectSchedule {
public:
    enum class TState { Idle, Waiting, Attempting };

    static constexpr int DefaultFirstDelay = 10;
    static constexpr int MaxDelay = 10 * 60;

    // The first wait in seconds (tests shorten it).
    int FirstDelay = DefaultFirstDelay;

    // The connection was lost while up: wait the first delay. Ignored during an attempt (its
    // failure is reported through AttemptFailed).
    void ConnectionLost();
    // The attempt under way failed: wait twice as long as last time, at most MaxDelay.
    void AttemptFailed();
    // The attempt registered: back to idle, the next loss starts from the first delay again.
    void Succeeded();
    // The user cancelled, connected or disconnected by hand: nothing more happens.
    void Cancel();
    // One second passed; true when an attempt is due now (the state is then Attempting).
    bool Tick();

    TState State() const { return FState; }
    bool Active() const { return FState != TState::Idle; }
    int SecondsLeft() const { return FSecondsLeft; }
    // The wait the current (or last) countdown started from.
    int Delay() const { return FDelay; }

private:
    void Wait(int Seconds);

    TState FState = TState::Idle;
    int FDelay = 0;
    int FSecondsLeft = 0;
};
