#include "MiniArtwork.h"

#include "TestGifWriter.h"

#include <QDir>
#include <QFile>
#include <stdexcept>
#include <vector>

namespace {

// Palette indices: 0 background, 1-13 keys, 14-18 layer markers, 19-20 body colours.
constexpr int KeyIndex = 1;
constexpr int MarkerIndex = 13; // + layer
constexpr int BodyIndex = 19;

std::vector<QRgb> Palette()
{
    std::vector<QRgb> colours(32, qRgb(0, 0, 0));
    colours[0] = MiniBackground;
    for (std::size_t i = 0; i < MiniKeys.size(); ++i)
        colours[KeyIndex + i] = MiniKeys[i];
    for (int layer = 1; layer <= 5; ++layer)
        colours[static_cast<std::size_t>(MarkerIndex + layer)] = LayerMarker[static_cast<std::size_t>(layer)];
    colours[BodyIndex] = BodyColour;
    colours[BodyIndex + 1] = BodyColour2;
    return colours;
}

struct TCanvas {
    std::vector<std::uint8_t> Indices = std::vector<std::uint8_t>(MiniSide * MiniSide, 0);
    void Set(int x, int y, int index) { Indices[static_cast<std::size_t>(y * MiniSide + x)] = static_cast<std::uint8_t>(index); }
};

void WriteGif(const QString &path, const std::vector<TCanvas> &cels)
{
    TTestGif gif;
    gif.Width = MiniSide;
    gif.Height = MiniSide;
    gif.GlobalColours = Palette();
    for (const TCanvas &cel : cels) {
        TTestGifFrame frame = SolidFrame(0, 0, MiniSide, MiniSide, 0);
        frame.Indices = cel.Indices;
        gif.Frames.push_back(frame);
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(WriteTestGif(gif)) < 0)
        throw std::runtime_error("cannot write the test artwork");
}

std::vector<TCanvas> BodyCels(int variant, int count)
{
    std::vector<TCanvas> cels(static_cast<std::size_t>(count));
    for (TCanvas &cel : cels) {
        for (int i = 0; i < 13; ++i)
            cel.Set(i, KeyRow, KeyIndex + i);
        for (int x = 1; x < MiniSide; ++x)
            cel.Set(x, BodyRow, BodyIndex + (variant == 1 ? 0 : 1));
    }
    return cels;
}

std::vector<TCanvas> PartCels(int layer, int variant, int count)
{
    std::vector<TCanvas> cels(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        TCanvas &cel = cels[static_cast<std::size_t>(k)];
        cel.Set(MarkerX + k, MarkerY(layer) + (variant - 1), MarkerIndex + layer);
        switch (layer) {
        case 1: // face
            cel.Set(OverlapX, OverlapY, KeyIndex + 0);
            cel.Set(OverlapX + 1, OverlapY, MarkerIndex + 1);
            cel.Set(OverlapX + 2, OverlapY, MarkerIndex + 1);
            break;
        case 2: // facial hair
            cel.Set(OverlapX + 2, OverlapY, MarkerIndex + 2);
            break;
        case 3: // hair: the yellow key, and a shirt-red pixel
            cel.Set(OverlapX, OverlapY, KeyIndex + 2);
            cel.Set(OverlapX + 1, OverlapY, KeyIndex + 5);
            break;
        case 5: // hat
            cel.Set(OverlapX, OverlapY, MarkerIndex + 5);
            break;
        default:
            break;
        }
    }
    return cels;
}

} // namespace

void WriteMiniArtwork(const QString &dir, const TMiniArtworkShape &shape)
{
    QDir().mkpath(dir);
    const QDir out(dir);
    // Stems in storage order, and the drawing layer of each (body 0).
    const std::array<std::pair<const char *, int>, 6> kinds = {
        {{"body", 0}, {"hair", 3}, {"face", 1}, {"facialhair", 2}, {"accessory", 4}, {"hat", 5}}};
    for (const auto &[stem, layer] : kinds) {
        const int variants = layer == 0 ? shape.Bodies : shape.PartVariants;
        WriteGif(out.filePath(QStringLiteral("%1.gif").arg(QLatin1String(stem))), std::vector<TCanvas>(static_cast<std::size_t>(variants)));
        for (int v = 1; v <= variants; ++v)
            WriteGif(out.filePath(QStringLiteral("%1%2.gif").arg(QLatin1String(stem)).arg(v)),
                     layer == 0 ? BodyCels(v, shape.BodyCels) : PartCels(layer, v, shape.HeadCels));
    }
}
