#include "ContactSheets.h"

#include "ChattleError.h"
#include "ArtColours.h"
#include "Raster.h"

#include <QPainter>

namespace {

constexpr QRgb SheetBackground = 0xDCD8D0;
constexpr int Zoom = 2;

void Save(const QImage &sheet, const QString &path)
{
    if (!sheet.save(path, "PNG"))
        throw EFileError(QStringLiteral("cannot write %1").arg(path));
}

// Draws a composed scene (several layers at x offsets) into one cell of the sheet.
void Place(QImage &sheet, const QImage &layer, int left, int top, int zoom = Zoom)
{
    Raster::Over(sheet, Raster::Zoom(layer, zoom), left, top);
}

TLook LookOf(int body)
{
    TLook look;
    if (body > 0) {
        for (int kind = 0; kind < PartKinds; ++kind)
            look.Variant[kind] = GroupStartOf(EPartKind(kind));
        look.Variant[PartBody] = body;
        look.Hair = 0xCC6600;
        look.Skin = 0xE0AC80;
    } else {
        look.Variant[PartFacialHair] = 1;
    }
    return look;
}

// A partner with other colours, so the two sides can be told apart.
TLook PartnerLook()
{
    TLook look = LookOf(1);
    look.Variant[PartHair] = 7;
    look.Dress = 0x33AA88;
    look.Shirt = 0xFFCC33;
    return look;
}

} // namespace

void WriteCatalogueSheet(const QString &path, const std::vector<TCels> &catalogues)
{
    size_t widest = 0;
    for (const TCels &cels : catalogues)
        widest = std::max(widest, cels.size());
    const int cell = 64 + 4;
    QImage sheet(int(widest) * cell, int(catalogues.size()) * cell, QImage::Format_RGB32);
    sheet.fill(0xFFFFFFFF);
    for (size_t row = 0; row < catalogues.size(); ++row)
        for (size_t i = 0; i < catalogues[row].size(); ++i) {
            QImage cel = catalogues[row][i].convertToFormat(QImage::Format_ARGB32);
            Raster::ReplaceColour(cel, ArtColours::Background, SheetBackground);
            Raster::Over(sheet, cel, int(i) * cell + 2, int(row) * cell + 2);
        }
    Save(sheet, path);
}

void WriteFileSheet(const QString &path, const TCels &frames)
{
    const int columns = 10, cell = 64 * Zoom + 4;
    const int rows = (int(frames.size()) + columns - 1) / columns;
    QImage sheet(std::min<int>(columns, int(frames.size())) * cell, rows * cell, QImage::Format_RGB32);
    sheet.fill(0xFFFFFFFF);
    for (int i = 0; i < int(frames.size()); ++i) {
        const int left = (i % columns) * cell + 2, top = (i / columns) * cell + 2;
        Raster::FillRect(sheet, left, top, left + 64 * Zoom - 1, top + 64 * Zoom - 1, SheetBackground);
        QImage frame = frames[size_t(i)].convertToFormat(QImage::Format_ARGB32);
        Raster::ReplaceColour(frame, ArtColours::Background, SheetBackground);
        Place(sheet, frame, left, top);
    }
    Save(sheet, path);
}

void WriteWalkSheet(const QString &path, const TPartSet &parts, int body)
{
    constexpr int first[8] = {0, 4, 11, 18, 25, 29, 36, 43};
    constexpr int length[8] = {4, 7, 7, 7, 4, 7, 7, 7};
    const int cell = 64 * Zoom;
    QImage sheet(7 * cell, 8 * cell, QImage::Format_RGB32);
    sheet.fill(SheetBackground | 0xFF000000u);
    for (int direction = 0; direction < 8; ++direction)
        for (int i = 0; i < length[direction]; ++i)
            Place(sheet, ComposeCharacter(parts, LookOf(body), first[direction] + i), i * cell, direction * cell);
    Save(sheet, path);
}

void WriteInteractionSheet(const QString &path, const TPartSet &parts)
{
    struct TRow {
        int LeftFirst, RightFirst, Count, Distance;
    };
    // Handshake, kiss, hug, high five: the cels each side shows at the same tick.
    const TRow rows[] = {{56, 53, 3, 36}, {59, 68, 9, 32}, {77, 83, 6, 12}, {89, 96, 7, 36}};
    const int cellWidth = (64 + 40) * Zoom, cellHeight = 64 * Zoom;
    QImage sheet(9 * cellWidth, 5 * cellHeight, QImage::Format_RGB32);
    sheet.fill(SheetBackground | 0xFF000000u);
    const TLook left = LookOf(0), right = PartnerLook();
    for (int r = 0; r < 4; ++r)
        for (int i = 0; i < rows[r].Count; ++i) {
            QImage scene = Raster::NewLayer(64 + 40, 64);
            // The one further left is drawn first, as the room draws equal rows.
            Raster::Over(scene, ComposeCharacter(parts, left, rows[r].LeftFirst + i), 0, 0);
            Raster::Over(scene, ComposeCharacter(parts, right, rows[r].RightFirst + i), rows[r].Distance, 0);
            Place(sheet, scene, i * cellWidth, r * cellHeight);
        }
    for (int i = 0; i < 3; ++i)
        Place(sheet, ComposeCharacter(parts, left, 50 + i), i * cellWidth, 4 * cellHeight);
    Save(sheet, path);
}

void WriteScene(const QString &path, const QImage &picture, const TPartSet &parts, const std::vector<QPoint> &feet,
                const std::vector<int> &cels)
{
    QImage scene = picture.convertToFormat(QImage::Format_RGB32);
    for (size_t i = 0; i < feet.size(); ++i) {
        TLook look = i % 2 ? PartnerLook() : LookOf(0);
        if (i % 3 == 2) {
            look = LookOf(2);
            look.Variant[PartHair] = 8;
        }
        Raster::Over(scene, ComposeCharacter(parts, look, cels[i % cels.size()]), feet[i].x() - 32, feet[i].y() - 54);
    }
    Save(scene, path);
}
