// How long the pixel work of a room takes: loading a body variant (103 frames of 64 x 64), drawing one
// transparent character cel, and restoring a whole 528 x 356 room background.
#include "Bitmap.h"
#include "GifLoader.h"
#include "TestGifWriter.h"

#include <benchmark/benchmark.h>

namespace {
constexpr int CelSide = 64;
constexpr int BodyFrames = 103;
constexpr int RoomWidth = 528, RoomHeight = 356;

// A figure that moves a little from frame to frame on a white (key) background, in 32 colours.
QByteArray BodyVariantGif()
{
    TTestGif gif;
    gif.Width = gif.Height = CelSide;
    for (int i = 0; i < 32; ++i)
        gif.GlobalColours.push_back(i == 0 ? qRgb(255, 255, 255) : qRgb(i * 8, 255 - i * 8, (i * 37) % 256));
    for (int f = 0; f < BodyFrames; ++f) {
        TTestGifFrame frame = SolidFrame(0, 0, CelSide, CelSide, 0);
        frame.DelayCentiseconds = 10;
        frame.Disposal = 2;
        for (int y = 8; y < 60; ++y)
            for (int x = 18 + f % 4; x < 46 + f % 4; ++x)
                frame.Indices[static_cast<std::size_t>(y * CelSide + x)] = static_cast<std::uint8_t>(1 + (x + y + f) % 31);
        gif.Frames.push_back(frame);
    }
    return WriteTestGif(gif);
}

void LoadSpriteFromGIF103Frames(benchmark::State &state)
{
    const QByteArray data = BodyVariantGif();
    for (auto _ : state) {
        auto sprite = LoadSpriteFromGIFData(data);
        benchmark::DoNotOptimize(sprite.get());
    }
    state.SetItemsProcessed(state.iterations() * BodyFrames);
}
BENCHMARK(LoadSpriteFromGIF103Frames)->Unit(benchmark::kMicrosecond);

void DrawToTransparentCel(benchmark::State &state)
{
    const auto sprite = LoadSpriteFromGIFData(BodyVariantGif());
    const TMxBitmap &cel = sprite->CelBitmap(0);
    TMxBitmap room(RoomWidth, RoomHeight);
    room.Fill(0x80A0C0);
    for (auto _ : state) {
        cel.DrawTo(room, 200, 150);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * CelSide * CelSide);
}
BENCHMARK(DrawToTransparentCel);

void DrawRectToFullRoom(benchmark::State &state)
{
    TMxBitmap background(RoomWidth, RoomHeight);
    for (int y = 0; y < RoomHeight; ++y)
        for (int x = 0; x < RoomWidth; ++x)
            background.SetPixel(x, y, static_cast<TPixel>((x * 3) << 16 | (y * 5) << 8 | (x ^ y)) & 0xFFFFFF);
    TMxBitmap surface(RoomWidth, RoomHeight);
    surface.Realize();
    const TMxRect whole{0, 0, RoomWidth - 1, RoomHeight - 1};
    for (auto _ : state) {
        background.DrawRectTo(surface, whole);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * RoomWidth * RoomHeight);
}
BENCHMARK(DrawRectToFullRoom)->Unit(benchmark::kMicrosecond);
} // namespace

BENCHMARK_MAIN();
