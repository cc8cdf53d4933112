#include "ArtworkWriter.h"

#include "AppIcon.h"
#include "ArtColours.h"
#include "Banners.h"
#include "Catalogues.h"
#include "ChattleError.h"
#include "ContactSheets.h"
#include "FileWriters.h"
#include "PartSet.h"
#include "Raster.h"
#include "Scenes.h"
#include "Sounds.h"

#include <QDir>

namespace {

void MakeDirectory(const QString &directory)
{
    if (!QDir().mkpath(directory))
        throw EFileError(QStringLiteral("cannot create %1").arg(directory));
}

// Every part file: the catalogue (stem.gif) and the variants (stem1.gif, stem2.gif, ...).
template <typename Visit> void ForEachPartFile(const TPartSet &parts, Visit visit)
{
    for (int kind = 0; kind < PartKinds; ++kind) {
        const QString stem = StemOf(EPartKind(kind));
        visit(stem + ".gif", DrawCatalogue(parts, EPartKind(kind)), true);
        const auto &variants = parts.Variants[size_t(kind)];
        for (size_t v = 0; v < variants.size(); ++v)
            visit(stem + QString::number(v + 1) + ".gif", variants[v], false);
    }
}

} // namespace

QStringList WriteArtwork(const QString &directory)
{
    MakeDirectory(directory);
    QStringList written;
    const TPartSet parts = DrawAllParts();
    ForEachPartFile(parts, [&](const QString &name, const TCels &cels, bool) {
        SaveFile(directory + "/" + name, EncodeGif(cels, ArtColours::Background));
        written << name;
    });
    auto save = [&](const QString &name, const QByteArray &bytes) {
        SaveFile(directory + "/" + name, bytes);
        written << name;
    };
    save("manor.jpg", EncodeJpeg(DrawManor()));
    save("room.jpg", EncodeJpeg(DrawLivingRoom()));
    save("beach.jpg", EncodeJpeg(DrawBeach()));
    save("loginbg.jpg", EncodeJpeg(DrawLoginBackground()));
    save("editor.jpg", EncodeJpeg(DrawEditorBackground()));
    save("hilite.bmp", EncodeBmp(DrawHighlight()));
    const std::vector<QImage> banners = DrawBanners(parts);
    for (size_t i = 0; i < banners.size(); ++i)
        save(QStringLiteral("banner%1.jpg").arg(i + 1), EncodeJpeg(banners[i]));
    for (int size : AppIconSizes)
        save(QStringLiteral("chattle%1.png").arg(size), EncodePng(DrawAppIcon(parts, size)));
    for (const TSound &sound : SynthesizeSounds())
        save(sound.FileName, EncodeWav(sound.Samples, SoundSampleRate));
    return written;
}

void WriteContactSheets(const QString &directory)
{
    MakeDirectory(directory);
    const TPartSet parts = DrawAllParts();
    std::vector<TCels> catalogues;
    ForEachPartFile(parts, [&](const QString &name, const TCels &cels, bool catalogue) {
        WriteFileSheet(directory + "/" + QString(name).replace(".gif", ".png"), cels);
        if (catalogue)
            catalogues.push_back(cels);
    });
    WriteCatalogueSheet(directory + "/catalogues.png", catalogues);
    for (size_t body = 0; body < parts.Variants[PartBody].size(); ++body)
        WriteWalkSheet(directory + QStringLiteral("/walk%1.png").arg(body + 1), parts, int(body));
    WriteInteractionSheet(directory + "/interactions.png", parts);
    const std::vector<QPoint> roomFeet{{150, 290}, {260, 300}, {330, 330}, {430, 280}};
    const std::vector<int> roomCels{0, 43, 4, 36};
    WriteScene(directory + "/manor.png", DrawManor(), parts, roomFeet, roomCels);
    WriteScene(directory + "/room.png", DrawLivingRoom(), parts, roomFeet, roomCels);
    WriteScene(directory + "/beach.png", DrawBeach(), parts, roomFeet, roomCels);
    WriteScene(directory + "/editor.png", DrawEditorBackground(), parts, {{182, 98}}, {0});
    QImage login = DrawLoginBackground();
    QImage highlight = DrawHighlight().convertToFormat(QImage::Format_ARGB32);
    Raster::ClearColour(highlight, highlight.pixel(0, highlight.height() - 1));
    // The second character is the selected one: its highlight starts 36 pixels in, at y 6.
    Raster::Over(login, highlight, 36, 6);
    WriteScene(directory + "/login.png", login, parts, {{29, 84}, {65, 84}, {101, 84}, {137, 84}, {173, 84}}, {0});
    const std::vector<QImage> banners = DrawBanners(parts);
    for (size_t i = 0; i < banners.size(); ++i)
        WriteScene(directory + QStringLiteral("/banner%1.png").arg(i + 1), banners[i], parts, {}, {0});
}
