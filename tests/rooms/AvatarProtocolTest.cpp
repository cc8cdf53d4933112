// The avatar protocol: every form as it goes on the wire, and every field read back out of it.
#include <gtest/gtest.h>

#include "AvatarProtocol.h"
#include "StrictNumber.h"
#include "ChattleError.h"
#include "printers.h"

namespace {
// Two 65-character appearance texts: six part letters, five reserved letters, nine colours.
const QString AliceLooks =
    QStringLiteral("BCAAAAAAAAAFFCC99FFFF00660000FF000099CCFFFF99FF993399CC9966FF9900");
const QString BobLooks =
    QStringLiteral("ABAAAAAAAAAFFCC99000000660000FF000099CCFFFF99FF993399CC9966FF9900");
const QString Ctcp(QChar(0x01));

QString CtcpBodyOf(const QString &framed)
{
    EXPECT_TRUE(framed.startsWith(Ctcp) && framed.endsWith(Ctcp)) << framed.toStdString();
    return framed.mid(1, framed.size() - 2);
}
} // namespace

TEST(AvatarProtocolTest, alice_and_bob_meet_walk_and_shake_hands_with_exact_texts_on_the_wire)
{
    ASSERT_EQ(AliceLooks.size(), 65);

    // 1. alice joins the pair and announces herself at (10, 250) facing south.
    EXPECT_EQ(JoinRoomLines("#lobby"), QStringList({"join #lobby", "join #lobby.av"}));
    const QString announce = AnnounceText(CharacterBlock(AliceLooks, 10, 250, "S "));
    EXPECT_EQ(announce.toUtf8(), QByteArray("AV_IAMHERE") + AliceLooks.toLatin1() + "00100250S ");
    EXPECT_EQ(announce.size(), 85);

    // 2. bob presents himself to alice, naming the room after a blank.
    const QString present = PresentText(CharacterBlock(BobLooks, 300, 280, "W "), "#lobby");
    EXPECT_EQ(present.toUtf8(), QByteArray("AV_IAMHERE") + BobLooks.toLatin1() + "03000280W  #lobby");

    // 3. alice walks towards (168, 246).
    EXPECT_EQ(MoveText(168, 246, "S ").toUtf8(), QByteArray("AV_MOVE01680246S "));

    // 4. alice asks bob for a handshake; 5. bob accepts on the companion, or refuses privately.
    EXPECT_EQ(RequestText(InteractionKind::Handshake, "bob", "#lobby").toUtf8(),
              QByteArray("AV_REQUESTHANDSHAKEbob #lobby"));
    EXPECT_EQ(AcceptText(InteractionKind::Handshake, "alice").toUtf8(), QByteArray("AV_ACCEPTYESHANDSHAKEalice"));
    EXPECT_EQ(RefuseText(InteractionKind::Handshake, "alice", "#lobby").toUtf8(),
              QByteArray("AV_ACCEPTNO-HANDSHAKEalice #lobby"));

    // And every receiver reads back what was meant.
    const TCharacterFields alice = ReadAnnounce(announce);
    EXPECT_EQ(alice.Appearance, AliceLooks);
    EXPECT_EQ(alice.X, 10);
    EXPECT_EQ(alice.Y, 250);
    EXPECT_EQ(alice.Direction, "S ");
    const TCharacterFields bob = ReadPresent(present);
    EXPECT_EQ(bob.Appearance, BobLooks);
    EXPECT_EQ(bob.X, 300);
    EXPECT_EQ(bob.Y, 280);
    EXPECT_EQ(bob.Direction, "W ");
    EXPECT_EQ(WindowNameOfPrivateForm(present), QString("#lobby"));
    EXPECT_EQ(MovePositionOf(MoveText(168, 246, "S ")), "01680246S ");
    EXPECT_EQ(RequestKindOf(RequestText(InteractionKind::Handshake, "bob", "#lobby")), "HANDSHAKE");
    EXPECT_EQ(WindowNameOfPrivateForm(RequestText(InteractionKind::Handshake, "bob", "#lobby")), QString("#lobby"));
}

TEST(AvatarProtocolTest, every_form_is_built_with_its_exact_text)
{
    const QString block = CharacterBlock(AliceLooks, -5, 12345, "NE");
    struct TRow {
        const char *Description;
        QString Built;
        QString Expected;
    };
    const TRow rows[] = {
        {"negative and oversized positions", block, AliceLooks + "00-52345NE"},
        {"zero position", PositionText(0, 0, "N "), "00000000N "},
        {"sign cut off a four-digit negative", PositionField(-1234), "1234"},
        {"wave names the waving nick", WaveText("alice"), "AV_ACCEPTYESWAVE-----alice"},
        {"kiss accept", AcceptText(InteractionKind::Kiss, "bob"), "AV_ACCEPTYESKISS-----bob"},
        {"private announce", PrivateAnnounceText(block), Ctcp + "AVP_IAMHERE " + block + Ctcp},
        {"private acknowledgement", PrivateAcknowledgementText(block), Ctcp + "AVP_IAMHEREACK " + block + Ctcp},
        {"private move", PrivateMoveText(168, 246, "S "), Ctcp + "AVP_MOVE 01680246S " + Ctcp},
        {"private request names the window", PrivateRequestText(InteractionKind::Hug, "bob", "alice"),
         Ctcp + "AVP_REQUEST HUG------bob alice" + Ctcp},
        {"private yes", PrivateAnswerText(RequestAnswer::Yes, InteractionKind::High5, "alice"),
         Ctcp + "AVP_ACCEPT YESHIGH5----alice" + Ctcp},
        {"private no", PrivateAnswerText(RequestAnswer::No, InteractionKind::High5, "alice"),
         Ctcp + "AVP_ACCEPT NO-HIGH5----alice" + Ctcp},
        {"leaving a room", LeaveLines("#lobby").join('|'), "PART #lobby|PART #lobby.av"},
        {"leaving a private chat parts the nick too", LeaveLines("bob").join('|'), "PART bob|PART bob.av"},
        {"kicking from both channels", KickLines("#lobby", "bob").join('|'), "KICK #lobby bob|KICK #lobby.av bob"},
    };
    for (const TRow &row : rows)
        EXPECT_EQ(row.Built, row.Expected) << row.Description;
}

TEST(AvatarProtocolTest, numbers_read_strictly_as_an_optional_minus_and_ascii_digits)
{
    EXPECT_EQ(StrictToInt("0010"), 10);
    EXPECT_EQ(StrictToInt("-5"), -5);
    EXPECT_EQ(StrictToInt("-05"), -5);
    EXPECT_EQ(StrictToInt("2147483647"), 2147483647);
    EXPECT_EQ(StrictToInt("-2147483648"), std::numeric_limits<int>::min());

    struct TRow {
        const char *Description;
        QString Field;
    };
    const TRow rejected[] = {
        {"empty", ""},
        {"a lone minus", "-"},
        {"leading blank", " 12"},
        {"trailing blank", "12 "},
        {"plus sign", "+12"},
        {"hexadecimal", "0x1F"},
        {"minus inside", "00-5"},
        {"full-width digits", QString::fromUtf8("\xEF\xBC\x91\xEF\xBC\x92")},
        {"Arabic-Indic digits", QString::fromUtf8("\xD9\xA1\xD9\xA2")},
        {"too large", "2147483648"},
        {"far too large", "99999999999999999999"},
    };
    for (const TRow &row : rejected)
        EXPECT_THROW(StrictToInt(row.Field), EConvertError) << row.Description;
}

TEST(AvatarProtocolTest, character_blocks_read_at_their_positions_and_never_past_the_end)
{
    const QString announce = AnnounceText(CharacterBlock(AliceLooks, 10, 250, "S "));

    // ngIRCd strips the trailing blank of a relayed text: the one-letter code gets its blank back.
    const TCharacterFields stripped = ReadAnnounce(announce.chopped(1));
    EXPECT_EQ(stripped.X, 10);
    EXPECT_EQ(stripped.Y, 250);
    EXPECT_EQ(stripped.Direction, "S ");

    // A text cut inside y reads the digits that are there; cut before y it is abandoned.
    EXPECT_EQ(ReadAnnounce(announce.left(81)).Y, 2);
    EXPECT_EQ(ReadAnnounce(announce.left(81)).Direction, "");
    EXPECT_THROW(ReadAnnounce(announce.left(79)), EConvertError);
    EXPECT_THROW(ReadAnnounce("AV_IAMHERE"), EConvertError);
    EXPECT_THROW(ReadPresent("AV_IAMHERE" + AliceLooks.left(20)), EConvertError);

    // A Present reads x from its "-" on; an Announce takes the field as a plain number.
    const QString minusFive = AnnounceText(CharacterBlock(AliceLooks, -5, 100, "E "));
    EXPECT_EQ(ReadPresent(minusFive).X, -5);
    EXPECT_EQ(ReadPresent(minusFive).Y, 100); // raising y to the floor is the window's business
    EXPECT_THROW(ReadAnnounce(minusFive), EConvertError);
    EXPECT_EQ(ReadPresent(QString(minusFive).replace(75, 4, "0-05")).X, -5);
    EXPECT_THROW(ReadPresent(QString(minusFive).replace(75, 4, "012-")), EConvertError);
    EXPECT_THROW(ReadPresent(AnnounceText(CharacterBlock(AliceLooks, 5, -5, "E "))), EConvertError);
    EXPECT_THROW(ReadPresent(QString(minusFive).replace(79, 4, " 100")), EConvertError);

    // A Present whose code is "S ": the room is what follows the code's blank, trimmed.
    const QString present = PresentText(CharacterBlock(BobLooks, 20, 260, "S "), "#lobby");
    EXPECT_EQ(ReadPresent(present).Direction, "S ");
    EXPECT_EQ(WindowNameOfPrivateForm(present), QString("#lobby"));
    EXPECT_EQ(WindowNameOfPrivateForm("AV_REQUESTHANDSHAKEbob"), std::nullopt);
}

TEST(AvatarProtocolTest, accept_and_request_fields_are_trimmed_and_tolerate_short_texts)
{
    const TAcceptFields accept = ReadAccept(AcceptText(InteractionKind::Hug, "alice"));
    EXPECT_EQ(accept.Answer, "YES");
    EXPECT_EQ(accept.Kind, "HUG------");
    EXPECT_EQ(accept.Requester, "alice");

    const TAcceptFields wave = ReadAccept(WaveText("bob"));
    EXPECT_EQ(wave.Kind, InteractionKind::Wave);
    EXPECT_EQ(wave.Requester, "bob");

    // A Refuse carries its room after the requester: it stays part of that field.
    EXPECT_EQ(ReadAccept(RefuseText(InteractionKind::Kiss, "alice", "#lobby")).Requester, "alice #lobby");
    EXPECT_EQ(ReadAccept("AV_ACCEPTYES  HUG     bob  ").Kind, "HUG");
    EXPECT_EQ(ReadAccept("AV_ACCEPTYES  HUG     bob  ").Requester, "bob");

    const TAcceptFields cut = ReadAccept("AV_ACCEPTYE");
    EXPECT_EQ(cut.Answer, "YE");
    EXPECT_EQ(cut.Kind, "");
    EXPECT_EQ(cut.Requester, "");
    EXPECT_EQ(RequestKindOf("AV_REQUESTHUG"), "HUG");
    EXPECT_EQ(RequestKindOf("AV_REQUEST"), "");
    EXPECT_EQ(MovePositionOf("AV_MOVE0168"), "0168");
}

TEST(AvatarProtocolTest, keywords_count_only_at_the_start_and_with_their_letter_case)
{
    EXPECT_EQ(RoomFormOf(AnnounceText("x")), TRoomForm::IAmHere);
    EXPECT_EQ(RoomFormOf("AV_MOVE01680246S "), TRoomForm::Move);
    EXPECT_EQ(RoomFormOf("AV_REQUESTHUG------bob #x"), TRoomForm::Request);
    EXPECT_EQ(RoomFormOf("AV_ACCEPTYES"), TRoomForm::Accept);
    EXPECT_EQ(RoomFormOf("av_move01680246S "), TRoomForm::None);
    EXPECT_EQ(RoomFormOf(" AV_MOVE01680246S "), TRoomForm::None);
    EXPECT_EQ(RoomFormOf("hello AV_MOVE"), TRoomForm::None);

    EXPECT_TRUE(IsPrivateRoomForm("AV_IAMHERE"));
    EXPECT_TRUE(IsPrivateRoomForm("AV_REQUEST"));
    EXPECT_TRUE(IsPrivateRoomForm("AV_ACCEPT"));
    EXPECT_FALSE(IsPrivateRoomForm("AV_MOVE01680246S "));
    EXPECT_FALSE(IsPrivateRoomForm("hi"));

    EXPECT_EQ(WithoutLeadingColon(":AV_ACCEPTYES"), "AV_ACCEPTYES");
    EXPECT_EQ(WithoutLeadingColon("::x"), ":x");
    EXPECT_EQ(WithoutLeadingColon("x:"), "x:");
}

TEST(AvatarProtocolTest, private_forms_arrive_as_their_room_forms_with_the_rest_trimmed)
{
    const QString block = CharacterBlock(AliceLooks, 10, 250, "S ");

    // The trimming eats the blank of a one-letter code: the room text ends in "S", read as "S ".
    const TCtcpParts announce = SplitCtcpBody(CtcpBodyOf(PrivateAnnounceText(block)));
    EXPECT_EQ(announce.Keyword, "AVP_IAMHERE");
    EXPECT_EQ(PrivateFormOf(announce.Keyword), TPrivateForm::IAmHere);
    const QString asPresent = RoomTextOfPrivateForm(announce);
    EXPECT_EQ(asPresent, "AV_IAMHERE" + block.chopped(1));
    EXPECT_EQ(ReadPresent(asPresent).Direction, "S ");
    EXPECT_EQ(ReadPresent(asPresent).Y, 250);

    const TCtcpParts ack = SplitCtcpBody(CtcpBodyOf(PrivateAcknowledgementText(block)));
    EXPECT_EQ(PrivateFormOf(ack.Keyword), TPrivateForm::IAmHereAck);
    EXPECT_EQ(RoomTextOfPrivateForm(ack), asPresent);

    const TCtcpParts move = SplitCtcpBody(CtcpBodyOf(PrivateMoveText(168, 246, "W ")));
    EXPECT_EQ(PrivateFormOf(move.Keyword), TPrivateForm::Move);
    EXPECT_EQ(move.Rest, "01680246W");
    EXPECT_EQ(RoomTextOfPrivateForm(move), "");

    const TCtcpParts request =
        SplitCtcpBody(CtcpBodyOf(PrivateRequestText(InteractionKind::Kiss, "bob", "alice")));
    EXPECT_EQ(RoomTextOfPrivateForm(request), "AV_REQUESTKISS-----bob alice");
    EXPECT_EQ(RequestKindOf(RoomTextOfPrivateForm(request)), "KISS-----");

    const TCtcpParts answer =
        SplitCtcpBody(CtcpBodyOf(PrivateAnswerText(RequestAnswer::No, InteractionKind::Kiss, "alice")));
    EXPECT_EQ(ReadAccept(RoomTextOfPrivateForm(answer)).Answer, "NO-");
    EXPECT_EQ(ReadAccept(RoomTextOfPrivateForm(answer)).Requester, "alice");

    // Keywords compare exactly; a body without a blank is all keyword.
    EXPECT_EQ(PrivateFormOf("avp_move"), TPrivateForm::None);
    EXPECT_EQ(PrivateFormOf("VERSION"), TPrivateForm::None);
    EXPECT_EQ(RoomTextOfPrivateForm(SplitCtcpBody("ACTION dances")), "");
    const TCtcpParts bare = SplitCtcpBody("AVP_MOVE");
    EXPECT_EQ(bare.Keyword, "AVP_MOVE");
    EXPECT_EQ(bare.Rest, "");
}

TEST(AvatarProtocolTest, companion_names_end_in_dot_av_with_something_before_it)
{
    struct TRow {
        const char *Description;
        QString Channel;
        bool Companion;
        QString Room;
    };
    const TRow rows[] = {
        {"a plain companion", "#lobby.av", true, "#lobby"},
        {"a room with .av inside is a room", "#a.avx", false, "#a.avx"},
        {"its companion is recognised", "#a.avx.av", true, "#a.avx"},
        {"a room ending in .av has a companion too", "#x.av.av", true, "#x.av"},
        {"nothing before the suffix", ".av", false, ".av"},
        {"letter case counts", "#lobby.AV", false, "#lobby.AV"},
        {"a longer extension", "#lobby.avi", false, "#lobby.avi"},
        {"a plain room", "#lobby", false, "#lobby"},
    };
    for (const TRow &row : rows) {
        EXPECT_EQ(IsCompanionName(row.Channel), row.Companion) << row.Description;
        EXPECT_EQ(RoomOfChannel(row.Channel), row.Room) << row.Description;
    }
    EXPECT_EQ(CompanionOf("#a.avx"), "#a.avx.av");
    EXPECT_EQ(RoomOfChannel(CompanionOf("#a.avx")), "#a.avx");

    EXPECT_TRUE(IsRoomName("#lobby"));
    EXPECT_TRUE(IsRoomName("#"));
    EXPECT_FALSE(IsRoomName("bob"));
    EXPECT_FALSE(IsRoomName("&local"));
    EXPECT_FALSE(IsRoomName(""));
}

TEST(AvatarProtocolTest, background_travels_between_the_first_markers_of_the_companion_topic)
{
    struct TRow {
        const char *Description;
        QString Topic;
        QString Background;
    };
    const TRow rows[] = {
        {"our own topic", CompanionTopic("beach.jpg"), "beach.jpg"},
        {"bare markers", "^[room.jpg]^", "room.jpg"},
        {"the first pair counts", "^[room.jpg]^ ^[beach.jpg]^", "room.jpg"},
        {"closing marker before the opening one", "]^ ^[beach.jpg]^", "manor.jpg"},
        {"no closing marker", "^[beach.jpg", "manor.jpg"},
        {"no markers", "just chatting", "manor.jpg"},
        {"empty topic", "", "manor.jpg"},
        {"nothing between", "^[]^", "manor.jpg"},
        {"unknown picture", "^[castle.jpg]^", "manor.jpg"},
        {"letter case counts", "^[Beach.jpg]^", "manor.jpg"},
    };
    for (const TRow &row : rows)
        EXPECT_EQ(BackgroundFromTopic(row.Topic), row.Background) << row.Description;
}

TEST(AvatarProtocolTest, creating_a_room_pair_sends_its_lines_in_order)
{
    EXPECT_EQ(CreateRoomLines("#den", "Come in", "room.jpg"),
              QStringList({"join #den", "topic #den :Come in", "join #den.av", "mode #den.av +tn",
                           "topic #den.av :Visit " + MakerWebAddress + " for animated IRC!  ^[room.jpg]^"}));

    // A blank description sets no topic; an unknown picture becomes the manor.
    const QStringList lines = CreateRoomLines("#den", "   ", "castle.jpg");
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[0], "join #den");
    EXPECT_EQ(lines[1], "join #den.av");
    EXPECT_TRUE(lines[3].endsWith("  ^[manor.jpg]^")) << lines[3].toStdString();
    EXPECT_EQ(KnownBackground(""), "manor.jpg");
    EXPECT_EQ(KnownBackground("beach.jpg"), "beach.jpg");
}

TEST(AvatarProtocolTest, action_modes_and_kinds_map_onto_request_phrases)
{
    EXPECT_EQ(KindOfActionMode(1), "HANDSHAKE");
    EXPECT_EQ(KindOfActionMode(2), "KISS-----");
    EXPECT_EQ(KindOfActionMode(3), "HUG------");
    EXPECT_EQ(KindOfActionMode(4), "HIGH5----");
    EXPECT_EQ(KindOfActionMode(0), "");
    EXPECT_EQ(KindOfActionMode(5), "");

    EXPECT_EQ(RequestPhrase("HANDSHAKE"), "shake your hand!");
    EXPECT_EQ(RequestPhrase("KISS-----"), "kiss you!");
    EXPECT_EQ(RequestPhrase("HUG------"), "hug you!");
    EXPECT_EQ(RequestPhrase("HIGH5----"), "give you a High 5!");
    EXPECT_EQ(RequestPhrase("WAVE-----"), "????");
    EXPECT_EQ(RequestPhrase("KISS"), "????");
}

TEST(AvatarProtocolTest, zero_pad_keeps_the_last_width_characters)
{
    EXPECT_EQ(ZeroPad(123, 4), "0123");
    EXPECT_EQ(ZeroPad(0, 4), "0000");
    EXPECT_EQ(ZeroPad(-5, 4), "00-5");
    EXPECT_EQ(ZeroPad(-1234, 4), "1234");
    EXPECT_EQ(ZeroPad(123456, 4), "3456");
    EXPECT_EQ(ZeroPad(7, 8), "00000007");
    EXPECT_EQ(ZeroPad(7, 10), "000000007");
    EXPECT_EQ(ZeroPad(7, 0), "");
    EXPECT_EQ(ZeroPad(7, -1), "");
}
