// Lines per second of the line splitter and of the dispatcher itself (the 50 ms pump left out).
#include <QCoreApplication>
#include <benchmark/benchmark.h>

#include "QtBenchMain.h"

#include "BenchClient.h"
#include "Transcript.h"

namespace {
constexpr int Rounds = 200;
// A client joined to the room pair.
struct RoomClient : BenchClient {
    RoomClient() { Feed(":me!~me@pc1 JOIN :#room\r\n:me!~me@pc1 JOIN :#room.av\r\n"); }
};

qsizetype LineCount(const QByteArray &bytes) { return bytes.count("\r\n"); }

// Which stage of the receive path the clock runs for.
enum class TTimed { Split, Dispatch, Both };

void BM_Transcript(benchmark::State &state, TTimed timed)
{
    const QByteArray transcript = BusyRoomTranscript(Rounds);
    RoomClient bench;
    for (auto _ : state) {
        if (timed == TTimed::Dispatch)
            state.PauseTiming();
        bench.Receive(transcript);
        if (timed == TTimed::Dispatch)
            state.ResumeTiming();
        if (timed == TTimed::Split)
            state.PauseTiming();
        bench.Drain();
        if (timed == TTimed::Split)
            state.ResumeTiming();
    }
    benchmark::DoNotOptimize(bench.Seen);
    state.SetItemsProcessed(state.iterations() * LineCount(transcript));
}
BENCHMARK_CAPTURE(BM_Transcript, split_lines, TTimed::Split)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Transcript, dispatch_lines, TTimed::Dispatch)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Transcript, split_and_dispatch, TTimed::Both)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv) { return RunQtBenchmarks<QCoreApplication>(argc, argv); }
