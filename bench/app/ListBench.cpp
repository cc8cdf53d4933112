// A LIST of N channels from the socket to the browser window, through the real line pump and a shown
// (offscreen) browser. The pump's timer runs with no interval here so that the run takes only the
// processor time it needs; `ticks` is how many pump ticks it took, and `at_50ms_s` what those ticks
// take in the program, where they come every 50 ms. `longest_turn_ms` is the processor time of the
// longest single turn of the event loop: how long a click or a paint could have waited for it.
#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <ctime>

#include "QtBenchMain.h"

#include "FakeSocket.h"
#include "IRCClient.h"
#include "frmChannels.h"

namespace {
constexpr qsizetype ReadSize = 4096; // what one socket read typically hands over
constexpr int PumpIntervalMs = 50;

// N LIST replies with distinct names, spread user counts and ordinary topics.
QByteArray ListReplies(int count, int roomLineEvery = 0)
{
    QByteArray bytes;
    quint32 seed = 12345;
    for (int i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        const int users = 1 + int((seed >> 8) % 997) % (1 + int((seed >> 20) % 300));
        bytes += ":irc.example.net 322 me #channel" + QByteArray::number(i) + ' ' + QByteArray::number(users) +
                 " :[+nt] A place to talk about topic number " + QByteArray::number(seed % 10000) + "\r\n";
        if (roomLineEvery > 0 && i % roomLineEvery == 0)
            bytes += ":anna!a@host PRIVMSG #room :still here while the list runs\r\n";
    }
    return bytes;
}

// Processor time of this thread, so that a busy machine's waits do not count.
qint64 ThreadNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

struct ListClient {
    TFakeSocket *Socket = new TFakeSocket;
    TIRCClient Client{nullptr, Socket};

    ListClient()
    {
        Client.LineTimer()->stop();
        Client.SetOwnNick("me");
        Client.Connect();
        Socket->AcceptConnection();
    }
    void Receive(const QByteArray &bytes)
    {
        for (qsizetype at = 0; at < bytes.size(); at += ReadSize)
            Socket->Receive(bytes.mid(at, ReadSize));
    }
};

void BM_ListReachesBrowser(benchmark::State &state)
{
    const int count = int(state.range(0));
    const QByteArray replies = ListReplies(count);
    int ticks = 0;
    qint64 longestTurn = 0;
    for (auto _ : state) {
        ListClient list;
        auto *browser = new TfrmChannels(nullptr, nullptr);
        browser->ShowBrowser();
        list.Client.OnNewChannelMsg = [browser](QObject *, QString name, int users, QString topic) {
            browser->AddChannel(name, users, topic);
        };
        list.Receive(replies);
        ticks = 0;
        bool drained = false;
        QObject::connect(list.Client.LineTimer(), &QTimer::timeout, browser, [&] {
            if (!drained)
                ++ticks;
            drained = list.Client.LineQueue().isEmpty();
        });
        list.Client.LineTimer()->start(0);
        QElapsedTimer run;
        run.start();
        longestTurn = 0;
        while (browser->Channels().rowCount() < count && !run.hasExpired(20 * 60 * 1000)) {
            const qint64 turnStart = ThreadNanoseconds();
            QCoreApplication::processEvents();
            longestTurn = std::max(longestTurn, ThreadNanoseconds() - turnStart);
        }
        if (browser->Channels().rowCount() != count)
            state.SkipWithError("the browser never got every row");
        list.Client.LineTimer()->stop();
        delete browser;
    }
    state.counters["ticks"] = ticks;
    state.counters["at_50ms_s"] = ticks * PumpIntervalMs / 1000.0;
    state.counters["longest_turn_ms"] = double(longestTurn) / 1e6;
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_ListReachesBrowser)->Arg(1000)->Arg(5000)->Arg(10000)->Arg(25000)->Arg(50000)->Unit(benchmark::kMillisecond);

// The first tick after "Stop Listing" with N list replies queued among room lines (one every 10).
void BM_DropListRepliesAfterStop(benchmark::State &state)
{
    const int count = int(state.range(0));
    const QByteArray lines = ListReplies(count, 10);
    ListClient list;
    for (auto _ : state) {
        state.PauseTiming();
        list.Receive(lines);
        list.Client.IgnoreListReplies = true;
        state.ResumeTiming();
        list.Client.ProcessNextLine();
        state.PauseTiming();
        while (!list.Client.LineQueue().isEmpty())
            list.Client.ProcessNextLine();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_DropListRepliesAfterStop)->Arg(1000)->Arg(5000)->Arg(10000)->Arg(25000)->Arg(50000)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char **argv) { return RunQtBenchmarks<QApplication>(argc, argv); }
