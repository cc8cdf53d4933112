// The room surface: depth order, what each tick restores, clicks, remote moves, removal during an
// interaction, hover labels and cursors, and a paint that only copies.
#include "ChattleError.h"
#include "CursorTable.h"
#include "PaintBox.h"
#include "PersonaInst.h"
#include "PersonaLib.h"
#include "PersonaSpace.h"
#include "MiniArtwork.h"
#include "MiniLibraryTest.h"
#include "TestJpegWriter.h"
#include "printers.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {
constexpr TPixel Sand = 0x336699, Marker = 0x123456;
// Where a character standing at (x, y) shows its shirt colour: the shirt key of the key row.
constexpr int ShirtDx = 5, ShirtDy = KeyRow;

class SpaceTest : public TMiniLibraryTest {
protected:
    void SetUp() override
    {
        Space.resize(TPersonaSpace::RoomWidth, TPersonaSpace::RoomHeight);
        Space.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Space));
        Space.Background().SetSize(TPersonaSpace::RoomWidth, TPersonaSpace::RoomHeight);
        Space.Background().Fill(Sand);
        Space.SetOwn(Character(QStringLiteral("me"), 0x0000AA, 10, 250));
    }

    static std::unique_ptr<TPersonaInst> Character(const QString &name, TPixel shirt, int x, int y)
    {
        auto character = std::make_unique<TPersonaInst>(Library.get());
        character->Name = name;
        character->Colours[3] = shirt;
        character->Rebuild();
        character->SetPosition(x, y);
        return character;
    }

    TPersonaInst *Add(const QString &name, TPixel shirt, int x, int y)
    {
        Space.AddInstance(name, Character(name, shirt, x, y));
        return Space.FindInstance(name);
    }

    std::vector<TPersonaInst *> Order() const
    {
        std::vector<TPersonaInst *> order;
        for (const TDrawOrderEntry &entry : Space.DrawOrder())
            order.push_back(entry.Persona);
        return order;
    }

    TPixel At(int x, int y) const { return Space.SurfaceBitmap()->GetPixel(x, y); }
    TPixel ShirtAt(int x, int y) const { return At(x + ShirtDx, y + ShirtDy); }

    // True when some pixel of the rectangle has colour c.
    bool Shows(TPixel c, int left, int top, int right, int bottom) const
    {
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                if (At(x, y) == c)
                    return true;
        return false;
    }

    TPersonaSpace Space;
};

bool SameRect(const TMxRect &a, const TMxRect &b)
{
    return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
}
} // namespace

TEST_F(SpaceTest, draw_order_is_row_first_then_column_and_later_added_goes_beneath)
{
    TPersonaInst *right = Add("right", 0xAA0000, 200, 250);
    TPersonaInst *left = Add("left", 0x00AA00, 180, 251);
    TPersonaInst *upper = Add("upper", 0x00AA00, 400, 99);
    TPersonaInst *lower = Add("lower", 0x550055, 300, 100);
    Space.Own()->SetPosition(0, 0);
    Space.Tick();
    EXPECT_EQ(Order(), (std::vector<TPersonaInst *>{Space.Own(), upper, lower, right, left}));

    // Equal keys: the later-added character goes beneath, the own character beneath them all.
    Space.Own()->SetPosition(100, 100);
    upper->SetPosition(100, 100);
    lower->SetPosition(100, 100);
    Space.Tick();
    EXPECT_EQ(Order(), (std::vector<TPersonaInst *>{Space.Own(), lower, upper, right, left}));
    // The first-added of the three is drawn last, so its shirt is what shows.
    EXPECT_EQ(ShirtAt(100, 100), 0x00AA00u);
    EXPECT_FALSE(Shows(0x0000AA, 100, 100, 163, 163));

    // Where they overlap, the lower character covers the one above it: the key row of the one at
    // Y 251 lies on the body row of the one at Y 249.
    right->SetPosition(180, 249);
    Space.FullRedraw = true;
    Space.Tick();
    EXPECT_EQ(ShirtAt(180, 251), 0x00AA00u);
}

TEST_F(SpaceTest, each_tick_restores_only_the_boxes_of_what_changed)
{
    TPersonaInst *walker = Add("walker", 0xAA0000, 300, 100);
    Add("stander", 0x00AA00, 100, 100);
    Space.Tick(); // the first tick redraws everything
    EXPECT_TRUE(SameRect(Space.DirtyRect(), {0, 0, TPersonaSpace::RoomWidth, TPersonaSpace::RoomHeight}));
    EXPECT_FALSE(Space.FullRedraw);
    EXPECT_EQ(At(500, 20), Sand);

    // Nothing moves: nothing is restored.
    Space.SurfaceBitmap()->SetPixel(500, 20, Marker);
    Space.Tick();
    EXPECT_TRUE(SameRect(Space.DirtyRect(), {}));
    EXPECT_EQ(At(500, 20), Marker);

    // One walker: only its box (30 pixels beyond its frame) is restored and drawn again.
    Space.SurfaceBitmap()->SetPixel(280, 90, Marker);
    Space.SurfaceBitmap()->SetPixel(105, 150, Marker);
    walker->WalkTo(320, 100);
    Space.Tick();
    EXPECT_EQ(walker->X, 305);
    EXPECT_TRUE(SameRect(Space.DirtyRect(), {275, 70, 399, 194}));
    EXPECT_EQ(At(280, 90), Sand);
    EXPECT_EQ(At(500, 20), Marker);
    EXPECT_EQ(At(105, 150), Marker);
    // The walker shows at its new place only.
    EXPECT_EQ(ShirtAt(305, 100), 0xAA0000u);
    EXPECT_EQ(At(301, 100 + BodyRow), Sand);
}

TEST_F(SpaceTest, hover_change_redraws_all_with_the_name_label_but_never_for_the_own_character)
{
    TPersonaInst *other = Add("Zed", 0x00AA00, 300, 100);
    Space.Own()->SetPosition(100, 250);
    Space.FloorY = 270;
    Space.Tick();
    ASSERT_FALSE(Shows(0xFF0000, 270, 80, 394, 99));

    Space.MouseMove(320, 120);
    EXPECT_EQ(Space.HoverName(), QStringLiteral("Zed"));
    EXPECT_TRUE(Space.FullRedraw);
    Space.SurfaceBitmap()->SetPixel(500, 20, Marker);
    Space.Tick();
    EXPECT_TRUE(SameRect(Space.DirtyRect(), {0, 0, TPersonaSpace::RoomWidth, TPersonaSpace::RoomHeight}));
    EXPECT_EQ(At(500, 20), Sand);
    EXPECT_TRUE(Shows(0xFF0000, 270, 80, 394, 99)) << "the red name label above the character";

    // Standing still under the mouse: the label's box is still part of each composition.
    Space.Tick();
    TMxRect box;
    other->AddToRect(box);
    EXPECT_TRUE(SameRect(Space.DirtyRect(), box));

    // Over the own character: no name, and the label is gone after the full redraw.
    Space.MouseMove(120, 280);
    EXPECT_TRUE(Space.HoverName().isEmpty());
    EXPECT_TRUE(Space.FullRedraw);
    Space.Tick();
    EXPECT_FALSE(Shows(0xFF0000, 270, 80, 394, 99));
    EXPECT_FALSE(Shows(0xFF0000, 70, 230, 194, 249));

    // Moving within the same character changes nothing.
    Space.MouseMove(320, 120);
    Space.Tick();
    Space.MouseMove(330, 130);
    EXPECT_FALSE(Space.FullRedraw);

    // ShowAllNames labels everyone, the own character included.
    Space.MouseMove(5, 5);
    Space.ShowAllNames = true;
    Space.FullRedraw = true;
    Space.Tick();
    EXPECT_TRUE(Shows(0xFF0000, 270, 80, 394, 99));
    EXPECT_TRUE(Shows(0xFF0000, 70, 230, 194, 249));
}

TEST_F(SpaceTest, click_is_raised_to_the_floor_and_walks_only_outside_the_action_modes)
{
    Space.FloorY = 270;
    Space.Click(100, 120);
    EXPECT_TRUE(Space.Own()->Walking);
    EXPECT_EQ(Space.Own()->TargetX, 68);
    EXPECT_EQ(Space.Own()->TargetY, 216);

    Space.MinX = 20;
    Space.Click(5, 300);
    EXPECT_EQ(Space.Own()->TargetX, 20 - 32);
    EXPECT_EQ(Space.Own()->TargetY, 300 - 54);

    for (int mode : {1, 2, 3, 4, 6, 7}) {
        Space.ActionMode = mode;
        Space.Click(400, 300);
        EXPECT_EQ(Space.Own()->TargetX, 20 - 32) << "mode " << mode;
    }
    Space.ActionMode = 5;
    Space.Click(400, 300);
    EXPECT_EQ(Space.Own()->TargetX, 400 - 32);

    // An interacting own character stays where its interaction takes it.
    Space.ActionMode = 0;
    TPersonaInst *partner = Add("partner", 0x00AA00, 200, 250);
    Space.Own()->StartHandshake(partner);
    const int approachX = Space.Own()->TargetX;
    Space.Click(450, 300);
    EXPECT_EQ(Space.Own()->TargetX, approachX);

    // The room frame can take the mouse-down over; the click then walks only when it calls Click.
    int seen = 0;
    Space.OnPaintBoxMouseDown = [&](QObject *, Qt::MouseButton, int, int) { ++seen; };
    QTest::mouseClick(Space.PaintBox(), Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(Space.Own()->TargetX, approachX);
}

TEST_F(SpaceTest, move_instance_reads_the_zero_padded_position_text)
{
    TPersonaInst *mover = Add("mover", 0x00AA00, 150, 250);
    struct Case {
        const char *Text;
        int X, Y;
        bool Walking;
        int Frame;
    };
    const Case cases[] = {
        {"01500250E ", 150, 250, false, 36},  // already there: the standing cel of E
        {"01500250S ", 150, 250, false, 0},
        {"01500250SW", 150, 250, false, 4},
        {"01500250S", 150, 250, false, 36},   // the trailing blank stripped by a server: no turn
        {"00-50100W ", -5, 100, true, 0},     // x written for -5
        {" 151 249NE", 151, 249, true, 0},    // blanks are trimmed
        {"01680246S", 168, 246, true, 0},     // one character short still moves
    };
    for (const Case &c : cases) {
        if (!mover->Walking)
            mover->SetDirection("E ");
        Space.FullRedraw = false;
        Space.MoveInstance("mover", c.Text);
        EXPECT_TRUE(Space.FullRedraw) << c.Text;
        EXPECT_EQ(mover->TargetX, c.X) << c.Text;
        EXPECT_EQ(mover->TargetY, c.Y) << c.Text;
        EXPECT_EQ(mover->Walking, c.Walking) << c.Text;
        if (!c.Walking) {
            EXPECT_EQ(mover->Frame, c.Frame) << c.Text;
        }
        mover->SetPosition(150, 250);
        mover->Walking = false;
    }

    // A malformed field moves nothing.
    for (const char *bad : {"015000-5S ", "01x00250S ", "0150    S ", "", "0150", "+1500250S ", "0150+250S "}) {
        EXPECT_THROW(Space.MoveInstance("mover", bad), EConvertError) << bad;
        EXPECT_FALSE(mover->Walking) << bad;
        EXPECT_EQ(mover->TargetX, 150) << bad;
    }

    // Unknown names, other letter case and characters in an interaction are ignored.
    EXPECT_NO_THROW(Space.MoveInstance("nobody", "garbage"));
    EXPECT_NO_THROW(Space.MoveInstance("MOVER", "01000100S "));
    EXPECT_EQ(mover->TargetX, 150);
    TPersonaInst *friendly = Add("friendly", 0xAA0000, 300, 250);
    friendly->StartWave();
    Space.MoveInstance("friendly", "01000100S ");
    EXPECT_EQ(friendly->TargetX, 300);
}

TEST_F(SpaceTest, removing_a_character_ends_its_interaction_and_leaves_the_partner_free)
{
    // The own character approaches a partner who then leaves.
    TPersonaInst *partner = Add("partner", 0x00AA00, 200, 250);
    Space.Own()->SetPosition(300, 250);
    Space.Own()->StartHandshake(partner);
    ASSERT_TRUE(Space.Own()->Interacting);
    Space.RemoveInstance("partner");
    EXPECT_EQ(Space.FindInstance("partner"), nullptr);
    EXPECT_FALSE(Space.Own()->Interacting);
    EXPECT_EQ(Space.Own()->Partner, nullptr);
    for (int i = 0; i < 40; ++i)
        Space.Tick(); // no step may touch the freed partner
    Space.Click(100, 300);
    EXPECT_EQ(Space.Own()->TargetX, 100 - 32) << "free to walk again";

    // A remote initiator leaves in the middle of its animation with the own character as partner.
    Space.Own()->SetPosition(200, 250);
    TPersonaInst *initiator = Add("initiator", 0xAA0000, 236, 250);
    initiator->StartHug(Space.Own());
    for (int i = 0; i < 8; ++i)
        Space.Tick();
    ASSERT_TRUE(Space.Own()->Passive);
    Space.RemoveInstance("initiator");
    EXPECT_FALSE(Space.Own()->Interacting);
    EXPECT_FALSE(Space.Own()->Passive);
    EXPECT_EQ(Space.Own()->Frame, 0) << "left standing";
    Space.Tick();

    // Two remote characters: removing the partner frees the initiator that stays.
    TPersonaInst *a = Add("a", 0xAA0000, 100, 100);
    TPersonaInst *b = Add("b", 0x00AA00, 200, 100);
    a->StartKiss(b);
    Space.RemoveInstance("b");
    EXPECT_FALSE(a->Interacting);
    EXPECT_EQ(a->Partner, nullptr);
}

TEST_F(SpaceTest, remove_instance_steps_the_own_character_once_and_redraws_the_room)
{
    Add("twin", 0x00AA00, 300, 100);
    Add("twin", 0xAA0000, 100, 100);
    Space.Tick();
    Space.Own()->WalkTo(50, 250);
    Space.RemoveInstance("nobody");
    EXPECT_EQ(Space.Own()->X, 15);
    EXPECT_EQ(Space.Instances().size(), 2u);

    // Only the first of two characters with the same name goes; the room loses its picture.
    ASSERT_EQ(ShirtAt(300, 100), 0x00AA00u);
    Space.RemoveInstance("twin");
    ASSERT_EQ(Space.Instances().size(), 1u);
    EXPECT_EQ(Space.FindInstance("twin")->X, 100);
    EXPECT_EQ(ShirtAt(300, 100), Sand);
    EXPECT_EQ(ShirtAt(100, 100), 0xAA0000u);
}

TEST_F(SpaceTest, paint_only_copies_the_composed_surface)
{
    Space.Tick();
    Space.Own()->WalkTo(100, 250);
    const QImage shown = Space.grab().toImage();
    EXPECT_EQ(Space.Own()->X, 10) << "a repaint does not step the characters";
    EXPECT_EQ(shown.pixel(10 + ShirtDx, 250 + ShirtDy), qRgb(0, 0, 0xAA));
    EXPECT_EQ(shown.pixel(500, 20), qRgb(0x33, 0x66, 0x99));

    // A resize gives a white surface; the room is composed again at once, still without a step.
    Space.resize(TPersonaSpace::RoomWidth, TPersonaSpace::RoomHeight + 10);
    EXPECT_EQ(ShirtAt(10, 250), 0x0000AAu);
    EXPECT_EQ(At(500, 20), Sand);
    EXPECT_EQ(Space.Own()->X, 10);
}

TEST_F(SpaceTest, cursor_shows_what_a_click_would_do)
{
    auto shape = [&] { return Space.PaintBox()->cursor().shape(); };
    Add("other", 0x00AA00, 300, 300);
    Space.FloorY = 270;
    Space.MouseMove(100, 100);
    EXPECT_EQ(shape(), Qt::ArrowCursor);
    Space.MouseMove(100, 280);
    EXPECT_EQ(shape(), Qt::ArrowCursor) << "nothing registered yet";

    RegisterCursor(crWalk, QCursor(Qt::CrossCursor));
    RegisterCursor(crShake, QCursor(Qt::PointingHandCursor));
    RegisterCursor(crProfile, QCursor(Qt::WhatsThisCursor));
    RegisterCursor(crPrivateChat, QCursor(Qt::IBeamCursor));
    Space.MouseMove(100, 280);
    EXPECT_EQ(shape(), Qt::CrossCursor);
    Space.MouseMove(100, 100);
    EXPECT_EQ(shape(), Qt::ArrowCursor);
    Space.MouseMove(320, 320);
    EXPECT_EQ(shape(), Qt::CrossCursor) << "walking mode over a character";
    const std::pair<int, Qt::CursorShape> modes[] = {
        {1, Qt::PointingHandCursor}, {4, Qt::PointingHandCursor}, {6, Qt::WhatsThisCursor},
        {7, Qt::IBeamCursor}, {5, Qt::CrossCursor}};
    for (const auto &[mode, expected] : modes) {
        Space.ActionMode = mode;
        Space.MouseMove(320, 320);
        EXPECT_EQ(shape(), expected) << "mode " << mode;
    }
    ClearCursors();
    Space.MouseMove(320, 320);
    EXPECT_EQ(shape(), Qt::ArrowCursor);
}

TEST_F(SpaceTest, a_new_room_picture_redraws_the_whole_room_and_a_broken_one_keeps_the_old)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("room.jpg");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(WriteTestJpeg(TPersonaSpace::RoomWidth, TPersonaSpace::RoomHeight,
                                 std::vector<std::uint32_t>(TPersonaSpace::RoomWidth * TPersonaSpace::RoomHeight, 0xFFFFFF)));
    }
    Space.Tick();
    ASSERT_EQ(At(500, 20), Sand);
    Space.LoadBackground(path);
    EXPECT_TRUE(Space.FullRedraw);
    Space.Tick();
    EXPECT_GT(At(500, 20) & 0xFF, 0xF0u) << "the white picture everywhere";

    EXPECT_THROW(Space.LoadBackground(dir.filePath("absent.jpg")), EFileError);
    EXPECT_EQ(Space.Background().Width(), TPersonaSpace::RoomWidth);
}
