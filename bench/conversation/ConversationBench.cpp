// One conversation line at 1,000 to 5,000 lines (the limit), and one message with 10 to 4,000 bold
// toggles, written by today's writer and by the writer as it was (one insertion per run, the document
// trimming one line per message at the limit).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTextDocument>
#include <QTextEdit>

#include "BaselineConversationWriter.h"
#include "ConversationWriter.h"
#include "frameText.h"
#include "QtBenchMain.h"

namespace {
const QString Line = QStringLiteral("a line of chat with \x02some bold\x02 and \x03" "4colour\x03 in it");

// A conversation control set up as a room's, already holding Lines lines.
struct TConversation {
    explicit TConversation(int lines, bool baseline)
    {
        if (baseline)
            Frame.txtConversation->document()->setMaximumBlockCount(TframeText::ConversationLineLimit);
        Frame.resize(357, 172);
        Frame.show();
        for (int i = 0; i < lines; ++i)
            Write(Line, baseline);
        QApplication::processEvents();
    }
    void Write(const QString &text, bool baseline)
    {
        if (baseline)
            TBaselineConversationWriter(*Frame.txtConversation).Write(QStringLiteral("bob"), text, {});
        else
            TConversationWriter(*Frame.txtConversation, TframeText::ConversationLineLimit).Write(QStringLiteral("bob"), text, {});
    }
    TframeText Frame;
};

void LineAt(benchmark::State &state, bool baseline)
{
    TConversation conversation(static_cast<int>(state.range(0)), baseline);
    for (auto _ : state)
        conversation.Write(Line, baseline);
    state.counters["lines"] = conversation.Frame.txtConversation->document()->blockCount();
}
void LineAtSize(benchmark::State &state) { LineAt(state, false); }
void LineAtSizeBaseline(benchmark::State &state) { LineAt(state, true); }

void ToggledMessage(benchmark::State &state, bool baseline)
{
    QString text;
    for (int i = 0; i < state.range(0); ++i)
        text += QChar(0x02) + QStringLiteral("w ");
    TConversation conversation(0, baseline);
    for (auto _ : state)
        conversation.Write(text, baseline);
    state.SetComplexityN(state.range(0));
}
void BoldToggles(benchmark::State &state) { ToggledMessage(state, false); }
void BoldTogglesBaseline(benchmark::State &state) { ToggledMessage(state, true); }
} // namespace

// A fixed number of lines per run, so the conversation grows by at most 500 lines from its size.
BENCHMARK(LineAtSize)->Arg(1000)->Arg(2500)->Arg(4000)->Arg(5000)->Iterations(500)->Unit(benchmark::kMicrosecond);
BENCHMARK(LineAtSizeBaseline)->Arg(1000)->Arg(2500)->Arg(4000)->Arg(5000)->Iterations(500)->Unit(benchmark::kMicrosecond);
BENCHMARK(BoldToggles)->Arg(10)->Arg(100)->Arg(500)->Arg(1000)->Arg(2000)->Arg(4000)->Complexity()->Unit(benchmark::kMillisecond);
// Quadratic: one pass each is enough, and 4,000 would take a minute.
BENCHMARK(BoldTogglesBaseline)->Arg(10)->Arg(100)->Arg(500)->Arg(1000)->Arg(2000)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv) { return RunQtBenchmarks<QApplication>(argc, argv); }
