// What a character costs: building its sprite from the part library (once per participant entering a
// room), loading the whole library at start-up, and the memory one character holds. Runs on the
// artwork the build generates.
#include "PersonaInst.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <deque>

#include "QtBenchMain.h"

namespace {

const QString ArtworkDir = QStringLiteral(CHATTLE_ARTWORK_DIR);
const QString Appearance = QStringLiteral("AAAAAAAAAAAE1B38A2A1A0A3B2B1B1E6E2E2E3E6E6E2E3E4E3E2E0000D0FF0030");

long long SpriteBytes(const TMxSprite &sprite)
{
    return static_cast<long long>(sprite.CelCount()) * sprite.Width() * sprite.Height() * sizeof(TPixel);
}

void BuildSpriteOfOneCharacter(benchmark::State &state)
{
    const TPersonaLib library(ArtworkDir);
    long long bytes = 0;
    for (auto _ : state) {
        auto sprite = library.BuildSprite(Appearance);
        bytes = SpriteBytes(*sprite);
        benchmark::DoNotOptimize(sprite.get());
    }
    state.counters["sprite_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BuildSpriteOfOneCharacter)->Unit(benchmark::kMillisecond);

// A room where characters come and go: ten are present, and each round the one who came first leaves
// (its sprite is freed) and a newcomer's sprite is built, each newcomer with parts and colours of its own.
void BuildSpriteAsCharactersComeAndGo(benchmark::State &state)
{
    const TPersonaLib library(ArtworkDir);
    std::vector<QString> appearances;
    for (int i = 0; i < 16; ++i) {
        QString code;
        for (const TPartKind kind : {pkBody, pkFace, pkFacialHair, pkHair, pkAccessory, pkHat})
            code += QChar(u'A' + (i * (kind + 3)) % static_cast<int>(library.Variants[kind].size()));
        appearances.push_back(code + Appearance.mid(6, 5) + Appearance.mid(11 + i % 3) + Appearance.mid(11, i % 3));
    }
    std::deque<std::unique_ptr<TMxSprite>> present;
    std::size_t next = 0;
    for (; present.size() < 10; ++next)
        present.push_back(library.BuildSprite(appearances[next % appearances.size()]));
    for (auto _ : state) {
        present.pop_front();
        present.push_back(library.BuildSprite(appearances[next++ % appearances.size()]));
        benchmark::DoNotOptimize(present.back().get());
    }
}
BENCHMARK(BuildSpriteAsCharactersComeAndGo)->Unit(benchmark::kMillisecond);

void LoadWholePartLibrary(benchmark::State &state)
{
    long long bytes = 0;
    int files = 0;
    for (auto _ : state) {
        TPersonaLib library(ArtworkDir);
        bytes = 0;
        files = 0;
        for (int kind = 0; kind < PartKindCount; ++kind) {
            bytes += SpriteBytes(*library.Catalogue[kind]);
            ++files;
            for (const auto &variant : library.Variants[kind]) {
                bytes += SpriteBytes(*variant);
                ++files;
            }
        }
    }
    state.counters["files"] = files;
    state.counters["library_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(LoadWholePartLibrary)->Unit(benchmark::kMillisecond);

// A remote character as the room surface keeps it: the instance and its own sprite.
void CreateOneCharacter(benchmark::State &state)
{
    TPersonaLib library(ArtworkDir);
    long long bytes = 0;
    for (auto _ : state) {
        TPersonaInst character(&library, Appearance);
        bytes = SpriteBytes(*character.Sprite) + static_cast<long long>(sizeof(TPersonaInst));
        benchmark::DoNotOptimize(character.Sprite.get());
    }
    state.counters["character_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(CreateOneCharacter)->Unit(benchmark::kMillisecond);

} // namespace

// Characters carry a font, so the benchmarks need a Gui application.
int main(int argc, char **argv) { return RunQtBenchmarks<QGuiApplication>(argc, argv); }
