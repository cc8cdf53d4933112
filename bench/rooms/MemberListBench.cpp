// A room's member list filled with 250 to 10,000 names one by one, as the names replies of a big channel
// deliver them (some with the operator or voice mark), up to the list shown with all of them; and the
// same list emptied again one part at a time.
#include "MemberList.h"
#include "MemberPanel.h"

#include <QApplication>
#include <QListWidget>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>
#include <memory>

#include "QtBenchMain.h"

namespace {

QStringList Nicks(int count)
{
    QRandomGenerator random(2024);
    QStringList nicks;
    for (int i = 0; i < count; ++i) {
        const quint32 roll = random.bounded(20);
        const QString mark = roll == 0 ? QStringLiteral("@") : roll < 3 ? QStringLiteral("+") : QString();
        nicks << mark + QStringLiteral("%1%2").arg(i % 2 ? QStringLiteral("Guest") : QStringLiteral("nick")).arg(random.bounded(1000000));
    }
    return nicks;
}

std::unique_ptr<TMemberPanel> ShownPanel()
{
    auto panel = std::make_unique<TMemberPanel>(nullptr);
    panel->resize(TMemberPanel::PanelWidth, 400);
    panel->show();
    QApplication::processEvents();
    return panel;
}

void FillMemberList(benchmark::State &state)
{
    const QStringList nicks = Nicks(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<TMemberPanel> panel = ShownPanel();
        state.ResumeTiming();
        for (const QString &nick : nicks)
            AddMemberEntry(*panel->lstUsers, nick);
        QApplication::processEvents(); // the layout and paint the burst asks for
        state.PauseTiming();
        panel.reset();
        state.ResumeTiming();
    }
    state.counters["names"] = static_cast<double>(nicks.size());
}
BENCHMARK(FillMemberList)->Arg(250)->Arg(1000)->Arg(2500)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond);

void EmptyMemberList(benchmark::State &state)
{
    const QStringList nicks = Nicks(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<TMemberPanel> panel = ShownPanel();
        for (const QString &nick : nicks)
            AddMemberEntry(*panel->lstUsers, nick);
        QApplication::processEvents();
        state.ResumeTiming();
        for (const QString &nick : nicks)
            RemoveMemberEntry(*panel->lstUsers, WithoutMemberMark(nick));
        QApplication::processEvents();
        state.PauseTiming();
        panel.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(EmptyMemberList)->Arg(250)->Arg(1000)->Arg(5000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) { return RunQtBenchmarks<QApplication>(argc, argv); }
