// One tick of the room surface (75 ms apart in the program) with 1, 10 and 50 characters walking to and
// fro across the room: every character steps, its box is restored and all are drawn again. Also with
// every name label shown, and with the paint that copies the changed part to the window. Runs on the
// artwork the build generates.
#include "PersonaInst.h"
#include "PersonaSpace.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include "QtBenchMain.h"

namespace {

const QString ArtworkDir = QStringLiteral(CHATTLE_ARTWORK_DIR);

struct TRoom {
    explicit TRoom(int walkers)
    {
        Space.resize(TPersonaSpace::RoomWidth, TPersonaSpace::RoomHeight);
        Space.show();
        QApplication::processEvents();
        Space.LoadBackground(ArtworkDir + QStringLiteral("/manor.jpg"));
        // A named own character, as in a room: a nameless one would match the empty HoverName and have its
        // label drawn and its box redrawn on every tick.
        auto own = std::make_unique<TPersonaInst>(&Library);
        own->Name = QStringLiteral("me");
        Space.SetOwn(std::move(own));
        for (int i = 0; i < walkers; ++i) {
            const QString name = QStringLiteral("walker%1").arg(i);
            auto walker = std::make_unique<TPersonaInst>(&Library);
            walker->Name = name;
            walker->SetPosition((i * 37) % 400, 150 + (i * 13) % 140);
            Space.AddInstance(name, std::move(walker));
        }
        Space.Tick();
    }

    // Whoever has arrived sets off for the other side of the room, so everyone is always walking.
    void KeepWalking()
    {
        for (const TNamedPersona &entry : Space.Instances()) {
            TPersonaInst &walker = *entry.Persona;
            if (!walker.Walking)
                walker.WalkTo(walker.X < 200 ? 440 : 10, walker.Y < 200 ? 280 : 150);
        }
    }

    TPersonaLib Library{ArtworkDir};
    TPersonaSpace Space;
};

void TickWithWalkers(benchmark::State &state)
{
    TRoom room(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        room.KeepWalking();
        room.Space.Tick();
    }
    state.counters["walkers"] = static_cast<double>(state.range(0));
}
BENCHMARK(TickWithWalkers)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMicrosecond);

void TickWithWalkersAndAllNames(benchmark::State &state)
{
    TRoom room(static_cast<int>(state.range(0)));
    room.Space.ShowAllNames = true;
    for (auto _ : state) {
        room.KeepWalking();
        room.Space.Tick();
    }
}
BENCHMARK(TickWithWalkersAndAllNames)->Arg(10)->Arg(50)->Unit(benchmark::kMicrosecond);

// The tick together with the paint it asks for (the copy of the dirty rectangle to the window).
void TickAndPaint(benchmark::State &state)
{
    TRoom room(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        room.KeepWalking();
        room.Space.Tick();
        QApplication::processEvents();
    }
}
BENCHMARK(TickAndPaint)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMicrosecond);

// A hover change or a remote move: the whole room restored and every character drawn.
void FullRedrawTick(benchmark::State &state)
{
    TRoom room(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        room.Space.FullRedraw = true;
        room.Space.Tick();
    }
}
BENCHMARK(FullRedrawTick)->Arg(10)->Arg(50)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) { return RunQtBenchmarks<QApplication>(argc, argv); }
