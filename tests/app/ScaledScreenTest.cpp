// The pixel pictures on a high-resolution screen: this executable runs with QT_SCALE_FACTOR set (its
// _x<factor> entries). What the screen shows is the picture drawn at ratio 1 with every pixel grown to a
// ratio x ratio block; a fractional ratio may grow blocks of uneven size but never blends a colour.
// Mouse positions land on the pixel shown under them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <functional>
#include <unordered_set>

#include "CelList.h"
#include "EditorTestSupport.h"
#include "PaintBox.h"
#include "PersonaInst.h"
#include "PersonaProfiles.h"
#include "PersonaSpace.h"
#include "RoomsTestSupport.h"
#include "frmEditor.h"
#include "printers.h"

namespace {
// widget drawn into an image of the given ratio; with a region, only that part is drawn again over
// what onto already holds.
QImage Picture(QWidget *widget, qreal ratio, QImage onto = QImage(), const QRegion &region = QRegion())
{
    if (onto.isNull()) {
        onto = QImage(widget->size() * ratio, QImage::Format_RGB32);
        onto.fill(Qt::magenta);
        onto.setDevicePixelRatio(ratio);
    }
    widget->render(&onto, region.boundingRect().topLeft(), region);
    return onto;
}

// shown against reference grown by ratio: pixel for pixel at a whole ratio, only the reference's
// colours at a fractional one.
::testing::AssertionResult Crisp(const QImage &shown, const QImage &reference, qreal ratio)
{
    const QSize expectedSize = reference.size() * ratio;
    if (shown.size() != expectedSize)
        return ::testing::AssertionFailure() << "size " << shown.width() << "x" << shown.height();
    const int whole = static_cast<int>(ratio);
    std::unordered_set<QRgb> colours;
    if (whole != ratio)
        for (int y = 0; y < reference.height(); ++y)
            for (int x = 0; x < reference.width(); ++x)
                colours.insert(reference.pixel(x, y) & 0xFFFFFF);
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb c = shown.pixel(x, y) & 0xFFFFFF;
            const bool good = whole == ratio ? c == (reference.pixel(x / whole, y / whole) & 0xFFFFFF)
                                             : colours.count(c) > 0;
            if (!good)
                return ::testing::AssertionFailure() << "device pixel " << x << "," << y << " is "
                                                   << QString::number(c, 16).toStdString();
        }
    return ::testing::AssertionSuccess();
}

class ScaledScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Room.resize(TPersonaSpace::RoomWidth, TPersonaSpace::RoomHeight);
        Room.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Room));
        Ratio = Room.PaintBox()->devicePixelRatioF();
        ASSERT_GT(Ratio, 1.0) << "run with QT_SCALE_FACTOR above 1";
        Room.LoadBackground(TestArtworkDir() + "/beach.jpg");
        Room.SetOwn(NewCharacter("me"));
        Room.Own()->SetPosition(40, 240);
        Room.AddInstance("Zed", Dressed("Zed", 0xAA2200));
        Room.FindInstance("Zed")->SetPosition(201, 231);
        Room.AddInstance("Amy", Dressed("Amy", 0x2255CC));
        Room.FindInstance("Amy")->SetPosition(333, 250);
        Room.ShowAllNames = true;
        Room.FloorY = 200;
        Room.Tick();
    }

    static std::unique_ptr<TPersonaInst> Dressed(const QString &name, TPixel shirt)
    {
        auto character = NewCharacter(name);
        character->Colours[3] = shirt;
        character->Rebuild();
        return character;
    }

    // The login strip with three saved characters, the second selected, the third named.
    void ShowStrip()
    {
        for (const char *name : {"Ann", "Bo", "Cy"})
            NewCharacter(name)->SaveToFile(QDir(Profiles.path()).filePath(QString(name) + ".pr1"));
        Strip.Library = &TestLibrary();
        Strip.ProfilesDir = Profiles.path();
        Strip.resize(205, 94);
        Strip.SetBGFileName(TestArtworkDir() + "/loginbg.jpg");
        Strip.SetHiLiteName(TestArtworkDir() + "/hilite.bmp");
        Strip.Refresh();
        Strip.SetSelectedIndex(1);
        Strip.MouseMove(2 * Strip.CellWidth + 5, 20);
        Strip.show();
    }

    void ShowEditor()
    {
        Editor = std::make_unique<TfrmEditor>(&Shell);
        Editor->SetLibrary(&TestLibrary());
        Editor->LoadBackground(TestArtworkDir() + "/editor.jpg");
        Editor->PrepareNew();
        Editor->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Editor.get()));
    }

    static void Send(QWidget *to, QEvent::Type type, const QPointF &at)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, to->mapToGlobal(at), button, button, Qt::NoModifier);
        QApplication::sendEvent(to, &event);
    }

    QPoint OwnTarget() const { return {Room.Own()->TargetX, Room.Own()->TargetY}; }

    qreal Ratio = 1;
    TPersonaSpace Room;
    QTemporaryDir Profiles;
    TPersonaProfiles Strip;
    TEditorShell Shell;
    std::unique_ptr<TfrmEditor> Editor;
};
} // namespace

TEST_F(ScaledScreenTest, every_pixel_picture_is_its_ratio_one_picture_grown_without_blending)
{
    ShowStrip();
    ShowEditor();
    const struct {
        const char *What;
        TMxImage *Image;
    } shown[] = {
        {"room", &Room},
        {"login strip", &Strip},
        {"editor preview", Editor->findChild<TPersonaSpace *>("wsSpace")},
        {"editor part strip", Editor->findChild<TMxCelList *>("celList")},
    };
    for (const auto &row : shown) {
        SCOPED_TRACE(row.What);
        ASSERT_NE(row.Image, nullptr);
        QWidget *box = row.Image->PaintBox();
        EXPECT_TRUE(Crisp(box->grab().toImage(), Picture(box, 1), Ratio));
    }
}

TEST_F(ScaledScreenTest, a_click_walks_where_it_walks_at_ratio_one_and_the_step_repaints_without_seams)
{
    Room.Click(300, 280);
    const QPoint walkedAtRatioOne = OwnTarget();
    Room.Own()->SetPosition(40, 240);
    QTest::mouseClick(Room.PaintBox(), Qt::LeftButton, {}, QPoint(300, 280));
    EXPECT_EQ(OwnTarget(), walkedAtRatioOne);

    // One step repaints only the walker's box, over the picture shown before it.
    QWidget *box = Room.PaintBox();
    const QImage before = Picture(box, Ratio);
    Room.Tick();
    const TMxRect &dirty = Room.DirtyRect();
    const QRect changed(QPoint(dirty.Left, dirty.Top), QPoint(dirty.Right, dirty.Bottom));
    ASSERT_LT(changed.width(), TPersonaSpace::RoomWidth);
    EXPECT_TRUE(Crisp(Picture(box, Ratio, before, changed), Picture(box, 1), Ratio));
}

TEST_F(ScaledScreenTest, a_position_between_logical_pixels_belongs_to_the_pixel_it_lies_in)
{
    ShowStrip();
    const TPersonaInst &zed = *Room.FindInstance("Zed");
    Room.Click(300, 280);
    const QPoint walkedAtRatioOne = OwnTarget();
    const struct {
        const char *What;
        QWidget *To;
        QEvent::Type Type;
        QPointF At;
        std::function<bool()> Landed;
    } rows[] = {
        {"press in the right half of a block", Room.PaintBox(), QEvent::MouseButtonPress, {300.5, 280.75},
         [&] { return OwnTarget() == walkedAtRatioOne; }},
        {"hover on a character's left edge pixel", Room.PaintBox(), QEvent::MouseMove, {zed.X + 0.5, zed.Y + 20.0},
         [&] { return Room.HoverName().isEmpty(); }},
        {"hover one pixel inside it", Room.PaintBox(), QEvent::MouseMove, {zed.X + 1.0, zed.Y + 20.0},
         [&] { return Room.HoverName() == "Zed"; }},
        {"hover on a strip cell's last pixel", Strip.PaintBox(), QEvent::MouseMove, {Strip.CellWidth - 0.5, 20.0},
         [&] { return Strip.HoverIndex() == 0; }},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.What);
        Room.Own()->SetPosition(40, 240);
        Send(row.To, row.Type, row.At);
        EXPECT_TRUE(row.Landed());
    }
}
