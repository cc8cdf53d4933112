#pragma once
// Paces what the client writes to the server so that no server's flood control ever throws it out:
// a burst of Burst lines goes at once, after that one line per RefillMs (the credit refills at that
// rate up to Burst). Normal lines go before low ones, and low ones never take the last credit, so a
// line typed after a flurry of low ones goes at once. A line with a merge key replaces a waiting
// line of the same priority and key, in that line's place. Lines that must not wait (PONG, QUIT) are
// written at once and still spend a credit when one is left; the registration lines go out at once
// too, and the server's welcome gives the full burst back.
#include <QObject>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

class QTimer;

enum class TSendPriority { Normal, Low };

class TSendQueue : public QObject {
    Q_OBJECT
public:
    using TClock = std::function<qint64()>;           // milliseconds, never going backwards
    using TWriter = std::function<void(QString Line)>; // puts one line on the wire

    static constexpr int Burst = 5;
    static constexpr qint64 RefillMs = 2000;
    static constexpr int LowReserve = 1; // credits a low line leaves for normal ones

    TSendQueue(TWriter Writer, QObject *Owner = nullptr);

    // Writes the line now when the credit allows and nothing of at least its priority waits; else
    // queues it. A non-empty MergeKey replaces a waiting line with the same key.
    void Add(const QString &Line, TSendPriority Priority = TSendPriority::Normal, const QString &MergeKey = {});
    // Writes at once, ahead of everything waiting.
    void WriteNow(const QString &Line);
    // The timer's tick: refills the credit and writes what it allows. The timer runs only while lines
    // wait, and fires when the next credit is due.
    void Tick();
    // Forgets every waiting line and restores the full burst (a connection ended or begins).
    void Clear();

    QStringList Waiting() const;
    // The credit now, refilled up to this moment.
    int Credit();
    QTimer *Timer() const { return FTimer; }
    // Tests replace the steady clock.
    void SetClock(TClock Clock) { FClock = std::move(Clock); }

private:
    struct TEntry {
        QString Line;
        TSendPriority Priority;
        QString Key;
    };
    void Refill();
    void WriteWaiting();
    std::deque<TEntry>::iterator Next();

    TWriter FWrite;
    TClock FClock;
    QTimer *FTimer;
    int FCredit = Burst;
    qint64 FRefillFrom = 0; // when the credit that is being refilled started to count
    std::deque<TEntry> FWaiting;
};
