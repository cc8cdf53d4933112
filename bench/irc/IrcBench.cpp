// Lines per second of the line splitter and of the dispatcher itself (the 50 ms pump left out).
#include <QCoreApplication>
#include <QTimer>
#include <benchmark/benchmark.h>

#include "FakeSocket.h"
#include "IRCChannel.h"
#include "IRCClient.h"
#include "Transcript.h"

namespace {
constexpr int Rounds = 200;
constexpr qsizetype ReadSize = 4096; // what one socket read typically hands over

// A client on a fake socket, joined to the room pair, with the handlers a host would set.
struct BenchClient {
    TFakeSocket *Socket = new TFakeSocket;
    TIRCClient Client{nullptr, Socket};
    qsizetype Seen = 0;

    BenchClient()
    {
        Client.LineTimer()->stop();
        Client.SetOwnNick("me");
        Client.Connect();
        Socket->AcceptConnection();
        Client.OnChannelMsg = [this](QObject *, QString, QString, QString msg) { Seen += msg.size(); };
        Client.OnPrivateMsg = [this](QObject *, QString, QString msg) { Seen += msg.size(); };
        Client.OnServerMsg = [this](QObject *, int, QString msg) { Seen += msg.size(); };
        Client.OnNewChannelMsg = [this](QObject *, QString name, int, QString) { Seen += name.size(); };
        Client.OnJoin = [this](QObject *, QString nick, QString) { Seen += nick.size(); };
        Client.OnPart = [this](QObject *, QString nick, QString) { Seen += nick.size(); };
        Client.OnNickChange = [this](QObject *, QString, QString nick) { Seen += nick.size(); };
        Socket->Receive(":me!~me@pc1 JOIN :#room\r\n:me!~me@pc1 JOIN :#room.av\r\n");
        Drain();
        Socket->Written.clear();
    }
    void Receive(const QByteArray &bytes)
    {
        for (qsizetype at = 0; at < bytes.size(); at += ReadSize)
            Socket->Receive(bytes.mid(at, ReadSize));
    }
    void Drain()
    {
        while (!Client.LineQueue().isEmpty())
            Client.ProcessNextLine();
    }
};

qsizetype LineCount(const QByteArray &bytes) { return bytes.count("\r\n"); }

// Which stage of the receive path the clock runs for.
enum class TTimed { Split, Dispatch, Both };

void BM_Transcript(benchmark::State &state, TTimed timed)
{
    const QByteArray transcript = BusyRoomTranscript(Rounds);
    BenchClient bench;
    for (auto _ : state) {
        if (timed == TTimed::Dispatch)
            state.PauseTiming();
        bench.Receive(transcript);
        if (timed == TTimed::Dispatch)
            state.ResumeTiming();
        if (timed == TTimed::Split)
            state.PauseTiming();
        bench.Drain();
        bench.Socket->Written.clear();
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

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
