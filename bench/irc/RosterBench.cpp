// Roster growth: NAMES, WHO and JOIN bursts of a channel with N members, and N members parting one by
// one, through the whole engine (socket reads, line splitting, dispatch, roster events).
#include <QCoreApplication>
#include <numeric>
#include <random>
#include <benchmark/benchmark.h>

#include "BenchClient.h"
#include "IRCChannel.h"

namespace {
constexpr int NamesPerReply = 40; // about what fits a 512-byte names reply

QByteArray Nick(int i) { return "user" + QByteArray::number(i); }
QByteArray Prefix(int i) { return Nick(i) + "!~" + Nick(i) + "@host" + QByteArray::number(i % 50) + ".example.net"; }

QByteArray NamesBurst(int members)
{
    QByteArray text;
    for (int i = 0; i < members; i += NamesPerReply) {
        text += ":irc.example.net 353 me = #big :";
        for (int j = i; j < qMin(members, i + NamesPerReply); ++j)
            text += (j % 20 == 0 ? "@" : j % 7 == 0 ? "+" : "") + Nick(j) + ' ';
        text += "\r\n";
    }
    return text + ":irc.example.net 366 me #big :End of NAMES list\r\n";
}

QByteArray WhoBurst(int members)
{
    QByteArray text;
    for (int i = 0; i < members; ++i)
        text += ":irc.example.net 352 me #big ~" + Nick(i) + " host" + QByteArray::number(i % 50)
                + ".example.net irc.example.net " + Nick(i) + " H :0 Someone\r\n";
    return text + ":irc.example.net 315 me #big :End of WHO list\r\n";
}

QByteArray JoinBurst(int members)
{
    QByteArray text;
    for (int i = 0; i < members; ++i)
        text += ":" + Prefix(i) + " JOIN :#big\r\n";
    return text;
}

QByteArray PartBurst(int members)
{
    QByteArray text;
    for (int i = 0; i < members; ++i)
        text += ":" + Prefix(i) + " PART #big :bye\r\n";
    return text;
}

// The members leave in a shuffled order (a fixed one), so most leave from the middle of the lists.
QByteArray ShuffledPartBurst(int members)
{
    QList<int> order(members);
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    QByteArray text;
    for (int i : order)
        text += ":" + Prefix(i) + " PART #big :bye\r\n";
    return text;
}

// A host's roster handlers: they read the list, as a member list would.
struct RosterClient : BenchClient {
    qsizetype Entries = 0;
    // Leaves #big (if joined) and joins it afresh, with the freed roster really gone.
    void Rejoin()
    {
        Feed(":me!~me@pc1 PART #big :\r\n:me!~me@pc1 JOIN :#big\r\n");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        TIRCChannel *big = Client.FindChannel("#big");
        big->OnShortListChanged = [this](TIRCChannel *c, TIRCClient *) { Entries += c->ShortList().size(); };
        big->OnLongListChanged = [this](TIRCChannel *c, TIRCClient *) { Entries += c->LongList().size(); };
    }
};

// Times Burst(members) after Setup(members) on a freshly joined channel.
void RunBurst(benchmark::State &state, QByteArray (*Setup)(int), QByteArray (*Burst)(int))
{
    const int members = int(state.range(0));
    const QByteArray setup = Setup ? Setup(members) : QByteArray();
    const QByteArray burst = Burst(members);
    RosterClient bench;
    for (auto _ : state) {
        state.PauseTiming();
        bench.Rejoin();
        bench.Feed(setup);
        state.ResumeTiming();
        bench.Feed(burst);
    }
    benchmark::DoNotOptimize(bench.Entries);
    state.SetItemsProcessed(state.iterations() * members);
}

void BM_RosterNames(benchmark::State &state) { RunBurst(state, nullptr, NamesBurst); }
void BM_RosterWho(benchmark::State &state) { RunBurst(state, NamesBurst, WhoBurst); }
void BM_RosterJoin(benchmark::State &state) { RunBurst(state, nullptr, JoinBurst); }
void BM_RosterPart(benchmark::State &state) { RunBurst(state, JoinBurst, PartBurst); }
void BM_RosterPartShuffled(benchmark::State &state) { RunBurst(state, JoinBurst, ShuffledPartBurst); }

void MemberCounts(benchmark::internal::Benchmark *bench)
{
    for (int members : {250, 1000, 2500, 5000, 10000})
        bench->Arg(members);
    bench->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_RosterNames)->Apply(MemberCounts);
BENCHMARK(BM_RosterWho)->Apply(MemberCounts);
BENCHMARK(BM_RosterJoin)->Apply(MemberCounts);
BENCHMARK(BM_RosterPart)->Apply(MemberCounts);
BENCHMARK(BM_RosterPartShuffled)->Apply(MemberCounts);
} // namespace
