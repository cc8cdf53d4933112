#include "Canvas.h"
#include "ChattleError.h"
#include "MiniArtwork.h"
#include "PersonaInst.h"
#include "ProfileFile.h"
#include "printers.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

namespace {

const QString DefaultAppearance =
    QStringLiteral("AAAAAAAAAAAFFCC99330000660000FF66669999FF9966CC9966000000D0FF0030");

class PersonaInstTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        WriteMiniArtwork(Dir.path());
        Library = std::make_unique<TPersonaLib>(Dir.path());
    }

    std::unique_ptr<TPersonaInst> Make(int x, int y)
    {
        auto character = std::make_unique<TPersonaInst>(Library.get());
        character->SetPosition(x, y);
        return character;
    }

    QTemporaryDir Dir;
    std::unique_ptr<TPersonaLib> Library;
};

// The frames of initiator and partner after each step, until the initiator's interaction ends.
struct TPlayed {
    std::vector<int> Initiator, Partner;
};

TPlayed PlayAnimation(TPersonaInst &initiator, TPersonaInst *partner)
{
    TPlayed played;
    for (int guard = 0; initiator.Interacting && guard < 100; ++guard) {
        EXPECT_TRUE(initiator.Step());
        played.Initiator.push_back(initiator.Frame);
        if (partner) {
            EXPECT_FALSE(partner->Step()) << "the passive partner never animates itself";
            played.Partner.push_back(partner->Frame);
        }
    }
    return played;
}

void WalkUntilArrived(TPersonaInst &character)
{
    for (int guard = 0; character.Walking && guard < 1000; ++guard)
        character.Step();
    ASSERT_FALSE(character.Walking);
}

TEST_F(PersonaInstTest, new_character_has_the_defaults_and_sprite)
{
    TPersonaInst character(Library.get());
    EXPECT_EQ(character.GetAppearance(), DefaultAppearance);
    EXPECT_EQ(character.Facing, 0);
    EXPECT_EQ(character.WalkDirection, NoWalkDirection);
    EXPECT_EQ(character.Frame, 0);
    EXPECT_TRUE(character.StoredFlag);
    EXPECT_EQ(character.X, 0);
    ASSERT_TRUE(character.Sprite);
    EXPECT_EQ(character.Sprite->CelCount(), 105);
    EXPECT_EQ(character.GetInfo(), QString(22, QLatin1Char('`')));
    EXPECT_THROW(TPersonaInst(Library.get(), QStringLiteral("C") + DefaultAppearance.mid(1)), EChattleError);
}

TEST_F(PersonaInstTest, walking_steps_five_pixels_per_axis_and_ends_standing_south)
{
    auto c = Make(100, 100);
    c->WalkTo(112, 100);
    EXPECT_TRUE(c->Walking);
    EXPECT_EQ(c->Facing, NoFacing);
    EXPECT_EQ(c->GetDirectionCode(), QStringLiteral("S "));
    EXPECT_EQ(c->Frame, 36); // east walk cycle
    EXPECT_TRUE(c->Step());
    EXPECT_EQ(c->X, 105);
    EXPECT_EQ(c->WalkDirection, 6);
    EXPECT_EQ(c->Frame, 37);
    EXPECT_TRUE(c->Step());
    EXPECT_EQ(c->X, 112);
    EXPECT_FALSE(c->Walking);
    EXPECT_EQ(c->Frame, 0);
    EXPECT_EQ(c->Facing, 0);
    EXPECT_EQ(c->WalkDirection, NoWalkDirection);
    EXPECT_FALSE(c->Step());

    c->SetPosition(100, 100);
    c->WalkTo(100, 103);
    c->Step();
    EXPECT_EQ(c->Y, 103);
    EXPECT_FALSE(c->Walking);

    // Diagonal until one axis is done, then straight; the cycle changes with the direction.
    c->SetPosition(100, 100);
    c->WalkTo(120, 110);
    EXPECT_EQ(c->Frame, 43); // south-east
    std::vector<std::array<int, 3>> path;
    while (c->Walking) {
        c->Step();
        path.push_back({c->X, c->Y, c->Frame});
    }
    EXPECT_EQ(path, (std::vector<std::array<int, 3>>{{105, 105, 44}, {110, 110, 36}, {115, 110, 37}, {120, 110, 0}}));

    // Up and left: north-west, then north; a walk cycle wraps from its last cel to its first.
    c->SetPosition(100, 100);
    c->WalkTo(95, 60);
    EXPECT_EQ(c->Frame, 18);
    std::vector<int> frames;
    for (int i = 0; i < 5; ++i) {
        c->Step();
        frames.push_back(c->Frame);
    }
    EXPECT_EQ(frames, (std::vector<int>{25, 26, 27, 28, 25}));
    EXPECT_EQ(c->X, 95);
    EXPECT_EQ(c->Y, 75);

    // Walking to where it stands changes nothing.
    auto s = Make(40, 40);
    s->Facing = 3;
    s->WalkTo(40, 40);
    EXPECT_FALSE(s->Walking);
    EXPECT_EQ(s->Facing, 3);

    // The clicked point is the feet.
    s->WalkToPoint(100, 270);
    EXPECT_EQ(s->TargetX, 68);
    EXPECT_EQ(s->TargetY, 216);
}

TEST_F(PersonaInstTest, turning_and_direction_codes)
{
    auto c = Make(0, 0);
    c->Facing = 7;
    c->TurnClockwise();
    EXPECT_EQ(c->Facing, 0);
    EXPECT_EQ(c->Frame, 0);
    c->TurnCounterClockwise();
    EXPECT_EQ(c->Facing, 7);
    EXPECT_EQ(c->Frame, 43);
    EXPECT_EQ(c->GetDirectionCode(), QStringLiteral("SE"));
    const char *codes[] = {"S ", "SW", "W ", "NW", "N ", "NE", "E ", "SE"};
    const int standing[] = {0, 4, 11, 18, 25, 29, 36, 43};
    for (int i = 0; i < 8; ++i) {
        c->TurnClockwise();
        EXPECT_EQ(c->GetDirectionCode(), QLatin1String(codes[i]));
        EXPECT_EQ(c->Frame, standing[i]);
    }
    c->Facing = NoFacing;
    c->Frame = 17;
    c->TurnClockwise();
    c->TurnCounterClockwise();
    EXPECT_EQ(c->Facing, NoFacing);
    EXPECT_EQ(c->Frame, 17);
    c->Facing = 9;
    EXPECT_EQ(c->GetDirectionCode(), QStringLiteral("  "));

    // SetDirection shows the standing cel but keeps Facing; unknown codes and walks ignore it.
    c->Facing = 2;
    c->SetDirection(QStringLiteral("NE"));
    EXPECT_EQ(c->Frame, 29);
    EXPECT_EQ(c->Facing, 2);
    c->SetDirection(QStringLiteral("XX"));
    c->SetDirection(QStringLiteral("ne"));
    c->SetDirection(QString());
    EXPECT_EQ(c->Frame, 29);
    c->SetDirection(QStringLiteral("S")); // codes compare exactly: a code that lost its blank turns nobody
    EXPECT_EQ(c->Frame, 29);
    c->WalkTo(50, 0);
    c->SetDirection(QStringLiteral("N "));
    EXPECT_EQ(c->Frame, 36);
}

TEST_F(PersonaInstTest, handshake_from_the_right_walks_then_shakes_and_turns_the_pair)
{
    auto initiator = Make(300, 250);
    auto partner = Make(200, 250);
    initiator->StartHandshake(partner.get());
    EXPECT_TRUE(initiator->Interacting);
    EXPECT_TRUE(partner->Interacting);
    EXPECT_TRUE(partner->Passive);
    EXPECT_EQ(initiator->Partner, partner.get());
    EXPECT_EQ(initiator->Animation, paHandshakeRight);
    EXPECT_EQ(partner->Animation, paHandshakeLeft);
    EXPECT_EQ(initiator->TargetX, 236);
    EXPECT_EQ(initiator->TargetY, 250);
    // A second start while they interact is ignored.
    auto third = Make(0, 250);
    third->StartKiss(initiator.get());
    partner->StartHug(third.get());
    initiator->StartWave();
    EXPECT_FALSE(third->Interacting);
    EXPECT_EQ(initiator->Animation, paHandshakeRight);

    WalkUntilArrived(*initiator);
    EXPECT_EQ(initiator->X, 236);
    EXPECT_EQ(initiator->Facing, NoFacing) << "no standing pose while interacting";
    EXPECT_EQ(initiator->Frame, 0) << "the walk cycle chosen on arrival";
    EXPECT_EQ(initiator->WalkDirection, 0);

    const TPlayed played = PlayAnimation(*initiator, partner.get());
    std::vector<int> own = {53, 54}, other = {56, 57};
    for (int shake = 0; shake < 8; ++shake) {
        own.insert(own.end(), {55, 54});
        other.insert(other.end(), {58, 57});
    }
    own.back() = 4;    // SW
    other.back() = 43; // SE
    EXPECT_EQ(played.Initiator, own);
    EXPECT_EQ(played.Partner, other);
    EXPECT_FALSE(partner->Interacting);
    EXPECT_FALSE(partner->Passive);
    EXPECT_EQ(initiator->Partner, nullptr);
    EXPECT_FALSE(initiator->Step());

    // From the left the codes swap and the final poses mirror.
    auto left = Make(100, 250);
    left->StartHandshake(partner.get());
    EXPECT_EQ(left->TargetX, 164);
    WalkUntilArrived(*left);
    const TPlayed mirrored = PlayAnimation(*left, partner.get());
    EXPECT_EQ(mirrored.Initiator.front(), 56);
    EXPECT_EQ(mirrored.Initiator.back(), 43);
    EXPECT_EQ(mirrored.Partner.front(), 53);
    EXPECT_EQ(mirrored.Partner.back(), 4);
}

TEST_F(PersonaInstTest, kiss_hug_and_high_five_play_their_cels_and_end_on_their_last_cels)
{
    struct TCase {
        const char *Name;
        void (TPersonaInst::*Start)(TPersonaInst *);
        int Distance;
        std::vector<int> Left, Right;
    };
    auto run = [](int first, int last) {
        std::vector<int> cels;
        for (int c = first; c <= last; ++c)
            cels.push_back(c);
        return cels;
    };
    auto join = [](std::vector<std::vector<int>> parts) {
        std::vector<int> all;
        for (const auto &part : parts)
            all.insert(all.end(), part.begin(), part.end());
        return all;
    };
    const std::vector<int> hugLoopLeft = join({{80, 79}, {80, 79}, {80, 79}, {80, 79}, {80, 79}, {80, 79}, {80}});
    const std::vector<int> hugLoopRight = join({{86, 85}, {86, 85}, {86, 85}, {86, 85}, {86, 85}, {86, 85}, {86}});
    const TCase cases[] = {
        {"kiss", &TPersonaInst::StartKiss, 32, join({run(59, 67), {59}}), join({run(68, 76), {68}})},
        {"hug", &TPersonaInst::StartHug, 12, join({{77, 78, 79}, hugLoopLeft, {81, 82}}),
         join({{83, 84, 85}, hugLoopRight, {87, 88}})},
        {"high five", &TPersonaInst::StartHigh5, 36, join({run(89, 94), std::vector<int>(11, 94), {95}}),
         join({run(96, 101), std::vector<int>(11, 101), {102}})},
    };
    for (const TCase &test : cases) {
        SCOPED_TRACE(test.Name);
        // The initiator on the left plays the left cels.
        auto initiator = Make(100, 200);
        auto partner = Make(200, 200);
        ((*initiator).*test.Start)(partner.get());
        EXPECT_EQ(initiator->TargetX, 200 - test.Distance);
        WalkUntilArrived(*initiator);
        TPlayed played = PlayAnimation(*initiator, partner.get());
        EXPECT_EQ(played.Initiator, test.Left);
        EXPECT_EQ(played.Partner, test.Right);
        EXPECT_FALSE(partner->Interacting || partner->Passive || initiator->Interacting);

        // The initiator on the right plays the right cels and drives the partner's left cels.
        auto right = Make(400, 200);
        ((*right).*test.Start)(partner.get());
        EXPECT_EQ(right->TargetX, 200 + test.Distance);
        WalkUntilArrived(*right);
        played = PlayAnimation(*right, partner.get());
        EXPECT_EQ(played.Initiator, test.Right);
        EXPECT_EQ(played.Partner, test.Left);
    }
}

TEST_F(PersonaInstTest, wave_swings_nine_steps_then_faces_the_viewer)
{
    auto c = Make(50, 50);
    c->Facing = 6;
    c->StartWave();
    EXPECT_EQ(c->Animation, paWave);
    EXPECT_EQ(c->Count, 10);
    const TPlayed played = PlayAnimation(*c, nullptr);
    EXPECT_EQ(played.Initiator, (std::vector<int>{50, 51, 52, 51, 52, 51, 52, 51, 52, 51, 52, 0}));
    EXPECT_EQ(c->X, 50);
    EXPECT_EQ(c->Facing, 6);
    EXPECT_FALSE(c->Step());

    // A wave while walking waits for the arrival.
    c->WalkTo(60, 50);
    c->StartWave();
    EXPECT_TRUE(c->Step());
    EXPECT_TRUE(c->Step());
    EXPECT_EQ(c->X, 60);
    EXPECT_FALSE(c->Walking);
    c->Step();
    EXPECT_EQ(c->Frame, 50);
}

TEST_F(PersonaInstTest, removing_a_character_mid_interaction_frees_the_other)
{
    // The initiator leaves during its approach: the partner is free and can act.
    {
        auto partner = Make(200, 250);
        {
            auto initiator = Make(300, 250);
            initiator->StartHug(partner.get());
            initiator->Step();
        }
        EXPECT_FALSE(partner->Interacting);
        EXPECT_FALSE(partner->Passive);
        EXPECT_EQ(partner->Initiator, nullptr);
        partner->StartWave();
        EXPECT_TRUE(partner->Interacting);
    }
    // The partner leaves during the approach, or in the middle of the animation: the initiator stops
    // where it is and stands facing the viewer.
    for (int steps : {3, 20}) {
        auto initiator = Make(300, 250);
        {
            auto partner = Make(200, 250);
            initiator->StartHandshake(partner.get());
            for (int i = 0; i < steps; ++i)
                initiator->Step();
            ASSERT_TRUE(initiator->Interacting) << steps;
            EXPECT_EQ(initiator->Walking, steps < 12) << steps;
        }
        EXPECT_FALSE(initiator->Interacting);
        EXPECT_FALSE(initiator->Walking);
        EXPECT_EQ(initiator->Partner, nullptr);
        EXPECT_EQ(initiator->Frame, 0);
        EXPECT_EQ(initiator->Facing, 0);
        const int x = initiator->X;
        EXPECT_FALSE(initiator->Step());
        EXPECT_EQ(initiator->X, x);
        auto next = Make(0, 250);
        initiator->StartKiss(next.get());
        EXPECT_TRUE(initiator->Interacting);
    }
    // A passive partner on a walk of its own keeps walking and stands on arrival.
    {
        auto partner = Make(200, 250);
        auto initiator = Make(300, 250);
        initiator->StartKiss(partner.get());
        partner->WalkTo(220, 250);
        initiator->EndInteraction();
        EXPECT_FALSE(initiator->Interacting);
        EXPECT_TRUE(partner->Walking);
        WalkUntilArrived(*partner);
        EXPECT_EQ(partner->X, 220);
        EXPECT_EQ(partner->Frame, 0);
    }
    // Starting with oneself or with nobody does nothing.
    auto alone = Make(10, 10);
    alone->StartHandshake(alone.get());
    alone->StartHigh5(nullptr);
    EXPECT_FALSE(alone->Interacting);
}

TEST_F(PersonaInstTest, appearance_round_trip_skin_range_and_failures)
{
    auto c = Make(0, 0);
    const QString text = QStringLiteral("BABAABAAAAAe0b08020202a0a0b0cffcc99ff00001234566543210000d0ff0030");
    c->ChangeAppearance(text);
    EXPECT_EQ(c->GetAppearance(), text.toUpper());
    EXPECT_EQ(c->Colours[0], 0xE0B080u);
    EXPECT_EQ(c->Colours[8], 0xFF0030u);
    EXPECT_EQ(c->Sprite->CelBitmap(0).GetPixel(5, BodyRow), BodyColour2);

    struct TSkin {
        const char *Colour;
        TPixel Result;
    };
    const TSkin skins[] = {{"FFCC99", 0xFFCC99}, {"B7CC99", 0xFFCC99}, {"B8CC99", 0xB8CC99}, {"FFCD99", 0xFFCC99},
                           {"FFCC99", 0xFFCC99}, {"FF8599", 0xFF8599}, {"FF8499", 0xFFCC99}, {"FFCC52", 0xFFCC52},
                           {"FFCC51", 0xFFCC99}, {"FFCC9A", 0xFFCC99}, {"000000", 0xFFCC99}};
    for (const TSkin &skin : skins) {
        c->SetAppearance(DefaultAppearance.left(11) + QLatin1String(skin.Colour) + DefaultAppearance.mid(17));
        EXPECT_EQ(c->Colours[0], skin.Result) << skin.Colour;
    }

    // A bad fourth colour: the fields before it are taken, the sprite stays as it was.
    TMxSprite *sprite = c->Sprite.get();
    QString bad = QStringLiteral("BBAAAAAAAAA") + QStringLiteral("C0A070") + QStringLiteral("111111") +
                  QStringLiteral("222222") + QStringLiteral("33X333") + DefaultAppearance.mid(35);
    EXPECT_THROW(c->SetAppearance(bad), EConvertError);
    EXPECT_EQ(c->PartCode, QStringLiteral("BBAAAAAAAAA"));
    EXPECT_EQ(c->Colours[2], 0x222222u);
    EXPECT_EQ(c->Colours[3], 0xFF6666u);
    EXPECT_EQ(c->Sprite.get(), sprite);
    EXPECT_THROW(c->SetAppearance(DefaultAppearance.left(60)), EConvertError);

    // A letter without a variant leaves the old sprite, position and frame in place.
    c->SetPosition(30, 40);
    c->Frame = 12;
    EXPECT_THROW(c->ChangeAppearance(QStringLiteral("AAAAAD") + DefaultAppearance.mid(6)), EChattleError);
    EXPECT_EQ(c->Sprite.get(), sprite);
    c->SetPartCode(QStringLiteral("BAAAAAAAAAA"));
    EXPECT_NE(c->Sprite.get(), sprite);
    EXPECT_EQ(c->X, 30);
    EXPECT_EQ(c->Frame, 12);

    // A copy carries everything but the position and the state.
    c->Name = QStringLiteral("Sam");
    c->Password = QStringLiteral("pw");
    c->Note = QStringLiteral("note");
    c->StoredFlag = false;
    c->Info[3] = QStringLiteral("sam@example.org");
    c->Font.setPointSize(17);
    c->WalkTo(90, 90);
    const std::unique_ptr<TPersonaInst> copy = TPersonaInst::CreateCopy(*c);
    EXPECT_EQ(copy->Name, c->Name);
    EXPECT_EQ(copy->Password, c->Password);
    EXPECT_EQ(copy->GetAppearance(), c->GetAppearance());
    EXPECT_EQ(copy->GetInfo(), c->GetInfo());
    EXPECT_EQ(copy->Note, c->Note);
    EXPECT_FALSE(copy->StoredFlag);
    EXPECT_EQ(copy->Font.pointSize(), 17);
    EXPECT_EQ(copy->X, 0);
    EXPECT_FALSE(copy->Walking);
    EXPECT_NE(copy->Sprite.get(), c->Sprite.get());
}

TEST_F(PersonaInstTest, info_record_splits_at_grave_accents)
{
    TPersonaInst c(Library.get());
    c.SetInfo(QStringLiteral("no separators at all"));
    EXPECT_EQ(c.Info[0], QStringLiteral("no separators at all"));
    EXPECT_TRUE(c.Info[1].isEmpty() && c.Info[22].isEmpty());

    const QString record = QStringLiteral("```sam@example.org```````````````N`N`N`N`N");
    c.SetInfo(record);
    EXPECT_EQ(c.Info[3], QStringLiteral("sam@example.org"));
    EXPECT_EQ(c.Info[17], QString());
    EXPECT_EQ(c.Info[18], QStringLiteral("N"));
    EXPECT_EQ(c.Info[22], QStringLiteral("N"));
    EXPECT_EQ(c.GetInfo(), record);
    c.SetInfo(QStringLiteral("a`b"));
    EXPECT_EQ(c.GetInfo(), QStringLiteral("a`b") + QString(21, QLatin1Char('`')));
}

TEST_F(PersonaInstTest, profile_file_round_trip)
{
    TPersonaInst c(Library.get(), QStringLiteral("BAAAAAAAAAA") + DefaultAppearance.mid(11));
    c.Password = QStringLiteral("abc");
    c.Info[3] = QStringLiteral("sam@example.org");
    c.Info[18] = QStringLiteral("N");
    c.Note = QStringLiteral("Grüße");
    const QString path = Dir.filePath(QStringLiteral("Sam.pr1"));
    c.SaveToFile(path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    EXPECT_EQ(bytes, "bdc\r\n1\r\n" + c.GetAppearance().toUtf8() + "\r\n" + c.GetInfo().toUtf8() + "\r\n" +
                         QStringLiteral("Grüße").toUtf8() + "\r\n");

    const std::unique_ptr<TPersonaInst> loaded = TPersonaInst::CreateFromFile(Library.get(), path);
    EXPECT_EQ(loaded->Name, QStringLiteral("Sam"));
    EXPECT_EQ(loaded->Password, QStringLiteral("abc"));
    EXPECT_TRUE(loaded->StoredFlag);
    EXPECT_EQ(loaded->GetAppearance(), c.GetAppearance());
    EXPECT_EQ(loaded->Info, c.Info);
    EXPECT_EQ(loaded->Note, c.Note);
    EXPECT_EQ(loaded->Sprite->CelBitmap(0).GetPixel(5, BodyRow), BodyColour2);
    const QString again = Dir.filePath(QStringLiteral("Again.pr1"));
    loaded->SaveToFile(again);
    QFile second(again);
    ASSERT_TRUE(second.open(QIODevice::ReadOnly));
    EXPECT_EQ(second.readAll(), bytes);

    // Empty password, flag 0, a non-ASCII password, a Latin-1 note, LF-only line ends.
    c.Password.clear();
    c.StoredFlag = false;
    c.SaveToFile(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("\r\n0\r\n"));
    file.close();
    c.Password = QStringLiteral("pä~ÿ");
    c.SaveToFile(path);
    EXPECT_EQ(TPersonaInst::CreateFromFile(Library.get(), path)->Password, c.Password);

    auto write = [&](const QByteArray &content) {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(content);
    };
    write("\n2\n" + DefaultAppearance.toLatin1() + "\nx`y\nCaf\xE9");
    const std::unique_ptr<TPersonaInst> plain = TPersonaInst::CreateFromFile(Library.get(), path);
    EXPECT_FALSE(plain->StoredFlag);
    EXPECT_EQ(plain->Info[1], QStringLiteral("y"));
    EXPECT_EQ(plain->Note, QStringLiteral("Café"));
}

TEST_F(PersonaInstTest, a_profile_line_holding_a_line_break_is_not_written)
{
    // Found by fuzz_profile: a hand-edited password that reads as Latin-1 "é" + LF scrambled back into
    // a line break, and the saved profile no longer loaded.
    const QString path = Dir.filePath(QStringLiteral("Pat.pr1"));
    const QByteArray content = "\xEA\x0C\r\n1\r\n" + DefaultAppearance.toLatin1() + "\r\ninfo\r\nnote\r\n";
    {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(content);
    }
    const std::unique_ptr<TPersonaInst> loaded = TPersonaInst::CreateFromFile(Library.get(), path);
    EXPECT_EQ(loaded->Password, QStringLiteral("\u00E9\n"));
    EXPECT_THROW(loaded->SaveToFile(path), EFileError);
    QFile kept(path);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), content);

    // A tab first in a password scrambles into a line feed too; a note cannot hold one either.
    TPersonaInst typed(Library.get());
    typed.Password = QStringLiteral("\tpw");
    const QString fresh = Dir.filePath(QStringLiteral("Tab.pr1"));
    EXPECT_THROW(typed.SaveToFile(fresh), EFileError);
    EXPECT_FALSE(QFile::exists(fresh));
    typed.Password = QStringLiteral("p\tw");
    typed.Note = QStringLiteral("two\nlines");
    EXPECT_THROW(typed.SaveToFile(fresh), EFileError);
    typed.Note = QStringLiteral("one line");
    EXPECT_NO_THROW(typed.SaveToFile(fresh));
    EXPECT_EQ(TPersonaInst::CreateFromFile(Library.get(), fresh)->Password, QStringLiteral("p\tw"));
}

TEST_F(PersonaInstTest, broken_profile_files_fail_without_a_character)
{
    const QString path = Dir.filePath(QStringLiteral("Bad.pr1"));
    EXPECT_THROW(TPersonaInst::CreateFromFile(Library.get(), path), EFileError);
    auto write = [&](const QByteArray &content) {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(content);
    };
    const QByteArray appearance = DefaultAppearance.toLatin1();
    write("pw\r\n1\r\n" + appearance + "\r\ninfo\r\n"); // four lines
    EXPECT_THROW(TPersonaInst::CreateFromFile(Library.get(), path), EFileError);
    write("");
    EXPECT_THROW(TPersonaInst::CreateFromFile(Library.get(), path), EFileError);
    write("pw\r\n1\r\n" + appearance.left(20) + "\r\ninfo\r\nnote\r\n");
    EXPECT_THROW(TPersonaInst::CreateFromFile(Library.get(), path), EConvertError);
    write("pw\r\n1\r\nZ" + appearance.mid(1) + "\r\ninfo\r\nnote\r\n");
    EXPECT_THROW(TPersonaInst::CreateFromFile(Library.get(), path), EChattleError);
    write("pw\r\n1\r\n" + appearance + "\r\ninfo\r\n\r\n");
    EXPECT_NO_THROW(TPersonaInst::CreateFromFile(Library.get(), path));

    TPersonaInst c(Library.get());
    EXPECT_THROW(c.SaveToFile(Dir.filePath(QStringLiteral("missing/dir/X.pr1"))), EFileError);
}

TEST_F(PersonaInstTest, drawing_hit_test_and_dirty_box)
{
    auto c = Make(10, 20);
    TMxBitmap room(100, 100);
    room.Fill(0x000080);
    c->Draw(room);
    EXPECT_EQ(room.GetPixel(10 + 5, 20 + BodyRow), BodyColour);
    EXPECT_EQ(room.GetPixel(10, 20), 0x000080u) << "the key colour is transparent";
    c->DrawCel(50, 0, 0, room);
    EXPECT_EQ(room.GetPixel(55, BodyRow), BodyColour);
    c->Frame = 500;
    c->Draw(room); // a cel the sprite lacks draws nothing
    c->DrawCel(0, 0, -1, room);

    EXPECT_TRUE(c->HitTest(11, 21));
    EXPECT_TRUE(c->HitTest(73, 83));
    EXPECT_FALSE(c->HitTest(10, 50));
    EXPECT_FALSE(c->HitTest(74, 50));
    EXPECT_FALSE(c->HitTest(40, 84));

    TMxRect rect{};
    c->AddToRect(rect);
    EXPECT_EQ(rect.Left, -20);
    EXPECT_EQ(rect.Top, -10);
    EXPECT_EQ(rect.Right, 104);
    EXPECT_EQ(rect.Bottom, 114);
    auto other = Make(200, 0);
    other->AddToRect(rect);
    EXPECT_EQ(rect.Left, -20);
    EXPECT_EQ(rect.Top, -30);
    EXPECT_EQ(rect.Right, 294);
    EXPECT_EQ(rect.Bottom, 114);

    c->Name = QStringLiteral("Sam");
    TMxBitmap surface(200, 200);
    surface.Realize();
    c->SetPosition(60, 60);
    c->DrawName(*surface.Canvas());
    EXPECT_TRUE(surface.Canvas()->Font().bold());
    EXPECT_EQ(surface.Canvas()->FontColor(), QColor(255, 0, 0));
    int white = 0, red = 0;
    for (int y = 40; y < 70; ++y)
        for (int x = 40; x < 120; ++x) {
            white += surface.GetPixel(x, y) == 0xFFFFFF;
            red += surface.GetPixel(x, y) == 0xFF0000;
        }
    EXPECT_GT(white, 0);
    EXPECT_GT(red, 0);
}

} // namespace

TEST(ProfileFile, scrambling_shifts_by_position_and_round_trips)
{
    EXPECT_EQ(ScrambleText("aaaa"), QByteArray("bcab"));
    EXPECT_EQ(ScrambleText(QByteArray("\xff\xff", 2)), QByteArray("\x00\x01", 2));
    for (const QByteArray &text : {QByteArray(), QByteArray("secret"), QString("pässwörd ☃").toUtf8(),
                                   QByteArray("\x00\xfe\xff\x01", 4)})
        EXPECT_EQ(UnscrambleText(ScrambleText(text)), text);
}
