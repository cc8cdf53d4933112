// character_sheets: contact sheets (PNG) of characters as the program builds them, for people to look at.
//   character_sheets <artwork directory> <output directory>
// Writes one sheet per body variant with every cel, in the default colours and in other colours with
// other parts of the body's group, and a room with characters walking and interacting, composed by the
// room surface at several moments.
#include "ChattleError.h"
#include "PersonaInst.h"
#include "PersonaLib.h"
#include "PersonaSpace.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <functional>

namespace {
using TCharacterMaker = std::function<std::unique_ptr<TPersonaInst>(const QString &name, int body, int shift,
                                                                    TPixel shirt, int x, int y)>;
constexpr int Scale = 2;
constexpr int PerRow = 13;
constexpr int LabelHeight = 12;

QImage ToImage(const TMxBitmap &bitmap)
{
    QImage image(bitmap.Width(), bitmap.Height(), QImage::Format_RGB32);
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            image.setPixel(x, y, 0xFF000000u | bitmap.GetPixel(x, y));
    return image;
}

// The letter of variant index within a kind.
QChar Letter(int index) { return QChar('A' + index); }

// Parts from the group of the body: the group's first variant, or the one `shift` further on,
// wrapping within the group.
QString PartCode(const TPersonaLib &library, int body, int shift)
{
    const bool second = body >= library.GroupStart[pkBody];
    QString code(PartCodeLength, QLatin1Char('A'));
    code[0] = Letter(body);
    // Positions of the appearance text in the order face, facial hair, hair, accessory, hat.
    const std::pair<int, TPartKind> layers[] = {
        {1, pkFace}, {2, pkFacialHair}, {3, pkHair}, {4, pkAccessory}, {5, pkHat}};
    for (const auto &[at, kind] : layers) {
        const int count = library.Catalogue[kind]->CelCount();
        const int first = second ? library.GroupStart[kind] : 0;
        const int end = second ? count : library.GroupStart[kind];
        const int size = std::max(1, end - first);
        code[at] = Letter(std::min(count - 1, first + shift % size));
    }
    return code;
}

QString Appearance(const QString &partCode, const std::array<TPixel, ColourSlotCount> &colours)
{
    QString text = partCode;
    for (TPixel c : colours)
        text += TPersonaLib::ColourText(c);
    return text;
}

// Every cel of the sprite enlarged, numbered, PerRow to a row, on a grey ground.
QImage CelSheet(const TMxSprite &sprite, const QString &title)
{
    const int cellW = sprite.Width() * Scale + 4, cellH = sprite.Height() * Scale + LabelHeight + 4;
    const int rows = (sprite.CelCount() + PerRow - 1) / PerRow;
    QImage sheet(PerRow * cellW, rows * cellH + 20, QImage::Format_RGB32);
    sheet.fill(QColor(0xB0, 0xB0, 0xB0));
    QPainter painter(&sheet);
    painter.drawText(4, 14, title);
    for (int i = 0; i < sprite.CelCount(); ++i) {
        const int x = (i % PerRow) * cellW, y = 20 + (i / PerRow) * cellH;
        painter.drawText(x + 2, y + LabelHeight - 2, QString::number(i));
        // The key colour is shown as the sheet's grey, as the room would show its own picture there.
        TMxBitmap cel(sprite.Width(), sprite.Height());
        cel.Fill(0xB0B0B0);
        sprite.CelBitmap(i).DrawTo(cel, 0, 0);
        painter.drawImage(QRect(x + 2, y + LabelHeight, sprite.Width() * Scale, sprite.Height() * Scale),
                          ToImage(cel));
    }
    return sheet;
}

void Save(const QImage &image, const QString &path)
{
    if (!image.save(path, "PNG"))
        throw EFileError(QStringLiteral("cannot write %1").arg(path));
    std::printf("%s\n", qPrintable(path));
}

void WriteBodySheets(const TPersonaLib &library, const QDir &out)
{
    const std::array<TPixel, ColourSlotCount> others = {0xD8A070, 0xE8D040, 0x202020, 0x3060C0, 0x404040,
                                                        0x40A040, 0x202060, 0, 0};
    for (int body = 0; body < library.Catalogue[pkBody]->CelCount(); ++body) {
        const QString defaults = Appearance(PartCode(library, body, 0), DefaultColours);
        Save(CelSheet(*library.BuildSprite(defaults), defaults),
             out.filePath(QStringLiteral("body%1-default.png").arg(body + 1)));
        const QString coloured = Appearance(PartCode(library, body, 1), others);
        Save(CelSheet(*library.BuildSprite(coloured), coloured),
             out.filePath(QStringLiteral("body%1-colours.png").arg(body + 1)));
    }
}

QImage ComposeOnce(TPersonaSpace &space, int tick)
{
    space.FullRedraw = true;
    space.Tick();
    QImage room = ToImage(*space.SurfaceBitmap()).copy(0, 0, TPersonaSpace::RoomWidth, TPersonaSpace::RoomHeight);
    QPainter label(&room);
    label.setPen(Qt::white);
    label.drawText(6, TPersonaSpace::RoomHeight - 6, QStringLiteral("tick %1").arg(tick));
    return room;
}

// The room surface with the characters that setup places, composed after each of the given ticks,
// two rooms to a row.
void WriteRoomSheet(TPersonaLib &library, const QString &picture, const QString &path,
                    const std::function<void(TPersonaSpace &, const TCharacterMaker &)> &setup)
{
    TPersonaSpace space;
    space.resize(TPersonaSpace::RoomWidth, TPersonaSpace::RoomHeight);
    space.show();
    QApplication::processEvents();
    space.LoadBackground(picture);
    space.ShowAllNames = true;
    const TCharacterMaker make = [&](const QString &name, int body, int shift, TPixel shirt, int x, int y) {
        std::array<TPixel, ColourSlotCount> colours = DefaultColours;
        colours[3] = shirt;
        const int bodies = library.Catalogue[pkBody]->CelCount();
        auto character = std::make_unique<TPersonaInst>(
            &library, Appearance(PartCode(library, body % bodies, shift), colours));
        character->Name = name;
        character->SetPosition(x, y);
        return character;
    };
    setup(space, make);

    const int moments[] = {1, 7, 13, 19, 27, 41};
    const int width = TPersonaSpace::RoomWidth, height = TPersonaSpace::RoomHeight;
    QImage sheet(2 * width, 3 * height, QImage::Format_RGB32);
    QPainter painter(&sheet);
    int tick = 0, shown = 0;
    for (int moment : moments) {
        for (; tick < moment - 1; ++tick)
            space.Tick();
        painter.drawImage((shown % 2) * width, (shown / 2) * height, ComposeOnce(space, ++tick));
        ++shown;
    }
    Save(sheet, path);
}

// Two walk across, two shake hands, two hug, the own character waves.
void ManorScene(TPersonaSpace &space, const TCharacterMaker &make)
{
    space.SetOwn(make("Me", 0, 0, 0xFF6666, 40, 230));
    space.AddInstance("Walker", make("Walker", 1, 1, 0x3060C0, 20, 180));
    space.AddInstance("Strider", make("Strider", 2, 2, 0x40A040, 440, 260));
    space.AddInstance("Shaker", make("Shaker", 0, 1, 0xC0C040, 330, 200));
    space.AddInstance("Partner", make("Partner", 1, 0, 0x8040A0, 230, 200));
    space.AddInstance("Hugger", make("Hugger", 2, 1, 0xE08030, 140, 280));
    space.AddInstance("Hugged", make("Hugged", 0, 2, 0x30A0A0, 250, 280));
    space.FindInstance("Walker")->WalkTo(420, 250);
    space.FindInstance("Strider")->WalkTo(60, 170);
    space.FindInstance("Shaker")->StartHandshake(space.FindInstance("Partner"));
    space.FindInstance("Hugger")->StartHug(space.FindInstance("Hugged"));
    space.Own()->StartWave();
}

// A kiss, a high five, and one walking around them.
void BeachScene(TPersonaSpace &space, const TCharacterMaker &make)
{
    space.SetOwn(make("Me", 1, 0, 0x3060C0, 420, 260));
    space.AddInstance("Romeo", make("Romeo", 0, 2, 0xC03030, 60, 220));
    space.AddInstance("Juliet", make("Juliet", 2, 0, 0xF0A0C0, 180, 220));
    space.AddInstance("Hands", make("Hands", 0, 1, 0x40A040, 380, 180));
    space.AddInstance("Up", make("Up", 1, 2, 0xE0C040, 280, 180));
    space.FindInstance("Romeo")->StartKiss(space.FindInstance("Juliet"));
    space.FindInstance("Hands")->StartHigh5(space.FindInstance("Up"));
    space.Own()->WalkTo(200, 280);
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: character_sheets <artwork directory> <output directory>\n");
        return 2;
    }
    try {
        QDir().mkpath(arguments[2]);
        TPersonaLib library(arguments[1]);
        WriteBodySheets(library, QDir(arguments[2]));
        const QDir artwork(arguments[1]), out(arguments[2]);
        WriteRoomSheet(library, artwork.filePath("manor.jpg"), out.filePath("room-manor.png"), ManorScene);
        WriteRoomSheet(library, artwork.filePath("beach.jpg"), out.filePath("room-beach.png"), BeachScene);
    } catch (const EChattleError &error) {
        std::fprintf(stderr, "character_sheets: %s\n", error.what());
        return 1;
    }
    return 0;
}
