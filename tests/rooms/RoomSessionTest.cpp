// The room session on its own, without a widget: received texts and the user's intents in, the lines
// sent and the changes for the room surface and the dialogs out, each written down as one line.
#include <gtest/gtest.h>

#include "AvatarProtocol.h"
#include "ChattleError.h"
#include "PersonaInst.h"
#include "RoomSession.h"
#include "RoomsTestSupport.h"
#include "printers.h"

namespace {
const QChar Ctcp(0x01);

QString Framed(const QString &body) { return Ctcp + body + Ctcp; }

// The direction whose standing pose a placed character shows.
QString PoseOf(const TPersonaInst &character)
{
    const QStringList codes = {"S ", "SW", "W ", "NW", "N ", "NE", "E ", "SE"};
    for (int direction = 0; direction < 8; ++direction)
        if (TPersonaInst::StandingCel(direction) == character.Frame)
            return codes[direction];
    return "?";
}

enum class TChannel { Companion, Private, CtcpBody, RoomCtcp };
struct TIncoming {
    const char *What;
    TChannel Channel; // CtcpBody reaches the private chat with bob, the others the room #lobby
    QString Text;
    QStringList Seen;
    int Mode = -1;
    QString Asked = QString(); // the kind the user asked bob for first, if any
};

class RoomSessionTest : public ::testing::Test {
protected:
    explicit RoomSessionTest(const QString &room = QStringLiteral("#lobby")) : Own(NewCharacter("alice"))
    {
        Own->SetPosition(10, 250);
        Bind(Session, room);
        Bind(Chat, QStringLiteral("bob"));
    }

    void Bind(TRoomSession &session, const QString &room)
    {
        session.PersonaLib = &TestLibrary();
        session.OnSendMessage = [this](QString target, QString text) { Seen << "send " + target + " " + text; };
        session.OnSendCommand = [this](QString line) { Seen << "command " + line; };
        session.OnPlaceCharacter = [this](std::unique_ptr<TPersonaInst> c) {
            Seen << QString("place %1 %2,%3 %4").arg(c->Name).arg(c->X).arg(c->Y).arg(PoseOf(*c));
        };
        session.OnMoveCharacter = [this](QString nick, QString position) { Seen << "move " + nick + " " + position; };
        session.OnInteract = [this](QString kind, QString requester, QString acceptor) {
            Seen << "interact " + kind + " " + requester + " " + acceptor;
        };
        session.OnActionMode = [this](int mode) { Mode = mode; };
        session.OnRequest = [this](QString requester, QString kind) { Seen << "request " + requester + " " + kind; };
        session.OnShowText = [this](QString sender, QString text) { Seen << "text " + sender + " " + text; };
        session.OnShowMessage = [this](QString, QString text) { Seen << "message " + text; };
        session.OnWarn = [this](QString text) { Seen << "warn " + text; };
        session.Init(Own.get());
        session.SetRoom(room);
    }

    // Each text from bob, with what it led to.
    void Receive(const QList<TIncoming> &table)
    {
        for (const TIncoming &row : table) {
            TRoomSession &session = row.Channel == TChannel::CtcpBody ? Chat : Session;
            if (!row.Asked.isEmpty())
                session.RequestInteraction(row.Asked, "bob");
            Seen.clear();
            Mode = -1;
            if (row.Channel == TChannel::Companion)
                session.HandleAvatarMessage("bob", row.Text);
            else if (row.Channel == TChannel::Private)
                session.HandlePrivateMessage("bob", row.Text);
            else
                session.HandlePrivateCtcp("bob", row.Text);
            EXPECT_EQ(Seen, row.Seen) << row.What;
            EXPECT_EQ(Mode, row.Mode) << row.What;
        }
    }

    std::unique_ptr<TPersonaInst> Own;
    TRoomSession Session;
    TRoomSession Chat; // the private chat with bob
    QStringList Seen;
    int Mode = -1;
};

class PrivateSessionTest : public RoomSessionTest {
protected:
    PrivateSessionTest() : RoomSessionTest(QStringLiteral("bob")) {}
};
} // namespace

TEST_F(RoomSessionTest, each_received_text_is_read_once_and_answered)
{
    const QString own = TestBlock(10, 250, "S ");
    const QList<TIncoming> table = {
        {"an announce places bob and is presented to", TChannel::Companion, AnnounceText(TestBlock(120, 230, "SW")),
         {"place bob 120,230 SW", "send bob " + PresentText(own, "#lobby")}},
        {"a move walks bob", TChannel::Companion, "AV_MOVE01500250S ", {"move bob 01500250S "}},
        {"a request on the companion is ignored", TChannel::Companion, "AV_REQUESTHANDSHAKEalice #lobby", {}},
        {"unknown companion text is ignored", TChannel::Companion, "hello", {}},
        {"an accept starts carol's hug with bob", TChannel::Companion, "AV_ACCEPTYESHUG------carol",
         {"interact HUG------ carol bob"}},
        {"a wave names no partner", TChannel::Companion, "AV_ACCEPTYESWAVE-----bob", {"interact WAVE----- bob "}},
        {"an unknown kind performs nothing", TChannel::Companion, "AV_ACCEPTYESDANCE----bob", {}},
        {"a present reads x from its minus and stands on the floor", TChannel::Private,
         ":" + PresentText(TestBlock(-5, 100, "S "), "#lobby"), {"place bob -5,216 S "}},
        {"a private text is shown without its colon", TChannel::Private, ":hi there", {"text bob hi there"}},
        {"a private move form is only text", TChannel::Private, "AV_MOVE01500250S ", {"text bob AV_MOVE01500250S "}},
        {"a request opens the dialog", TChannel::Private, "AV_REQUESTKISS-----alice #lobby", {"request bob KISS-----"}},
        {"a refusal is told", TChannel::Private, "AV_ACCEPTNO-HUG------alice #lobby",
         {"message Your interaction was not accepted by bob."}, 0, "HUG------"},
        {"a private announce is acknowledged", TChannel::CtcpBody, "AVP_IAMHERE " + TestBlock(60, 230, "SE"),
         {"place bob 60,230 SE", "send bob " + PrivateAcknowledgementText(own)}},
        {"an acknowledgement is not answered", TChannel::CtcpBody, "AVP_IAMHEREACK " + TestBlock(60, 230, "SE"),
         {"place bob 60,230 SE"}},
        {"a private move goes straight to the surface", TChannel::CtcpBody, "AVP_MOVE 02000250SW", {"move bob 02000250SW"}},
        {"a private answer performs the own request", TChannel::CtcpBody, "AVP_ACCEPT YESKISS-----alice",
         {"interact KISS----- alice bob"}, 0, "KISS-----"},
        {"other CTCP keywords are ignored", TChannel::CtcpBody, "VERSION", {}},
    };
    Receive(table);
}

TEST_F(RoomSessionTest, hostile_avatar_texts_are_abandoned)
{
    const QList<TIncoming> table = {
        {"an accept saying NO- starts nothing", TChannel::Companion, "AV_ACCEPTNO-HANDSHAKEalice", {}},
        {"an accept of an unknown answer starts nothing", TChannel::Companion, "AV_ACCEPTMAYHANDSHAKEalice", {}},
        {"an accept without fields starts nothing", TChannel::Companion, "AV_ACCEPT", {}},
        {"a request without a kind opens no dialog", TChannel::Private, "AV_REQUEST #lobby", {}},
        {"a request of an unknown kind opens no dialog", TChannel::Private, "AV_REQUESTDANCE----alice #lobby", {}},
        {"a wave cannot be requested", TChannel::Private, "AV_REQUESTWAVE-----alice #lobby", {}},
        {"a refusal nobody asked for shows no box", TChannel::Private, "AV_ACCEPTNO-HANDSHAKEalice #lobby", {}},
        {"an accept nobody asked for starts nothing", TChannel::Private, "AV_ACCEPTYESHANDSHAKEalice #lobby", {}},
        {"a refusal of an unknown kind is no answer", TChannel::Private, "AV_ACCEPTNO-DANCE----alice #lobby", {},
         -1, "HUG------"},
        {"an answer neither yes nor no is no answer", TChannel::Private, "AV_ACCEPTMAYHUG------alice #lobby", {},
         -1, "HUG------"},
        {"a private move in a room window moves nobody", TChannel::RoomCtcp, "AVP_MOVE 02000250S ", {}},
        {"a private announce in a room window places nobody", TChannel::RoomCtcp,
         "AVP_IAMHERE " + TestBlock(60, 230, "S "), {}},
        {"a private request without its fields opens nothing", TChannel::CtcpBody, "AVP_REQUEST", {}},
        {"a private request of an unknown kind opens nothing", TChannel::CtcpBody, "AVP_REQUEST DANCE----alice bob", {}},
        {"a private accept without its fields starts nothing", TChannel::CtcpBody, "AVP_ACCEPT", {}, -1, "KISS-----"},
    };
    Receive(table);
}

TEST_F(RoomSessionTest, malformed_character_blocks_are_abandoned_before_anything_is_placed_or_sent)
{
    const QString looks = DefaultAppearance();
    const QList<TIncoming> table = {
        {"an announce with letters for x", TChannel::Companion, AnnounceText(looks + "01x00230S "), {}},
        {"an announce with a blank y", TChannel::Companion, AnnounceText(looks + "0120    S "), {}},
        {"an announce cut before its y", TChannel::Companion, AnnounceText(looks + "0120"), {}},
        {"an announce of the keyword alone", TChannel::Companion, "AV_IAMHERE", {}},
        {"an announce with a colour that is not hex", TChannel::Companion,
         AnnounceText(looks.left(11) + "GG" + looks.mid(13) + "01200230S "), {}},
        {"an announce with a part past the artwork", TChannel::Companion,
         AnnounceText("z" + looks.mid(1) + "01200230S "), {}},
        {"a present with a minus inside x", TChannel::Private, ":" + PresentText(looks + "1-2 0100S ", "#lobby"), {}},
        {"a present with digits that are not ascii", TChannel::Private,
         ":" + PresentText(looks + QString::fromUtf8("\u0661\u0662\u0660\u0660") + "0230S ", "#lobby"), {}},
        {"a private announce without its block", TChannel::CtcpBody, "AVP_IAMHERE", {}},
        {"a private acknowledgement with letters for y", TChannel::CtcpBody, "AVP_IAMHEREACK " + looks + "0060O230SE", {}},
    };
    for (const TIncoming &row : table) {
        Seen.clear();
        TRoomSession &session = row.Channel == TChannel::CtcpBody ? Chat : Session;
        if (row.Channel == TChannel::Companion)
            EXPECT_THROW(session.HandleAvatarMessage("bob", row.Text), EChattleError) << row.What;
        else if (row.Channel == TChannel::Private)
            EXPECT_THROW(session.HandlePrivateMessage("bob", row.Text), EChattleError) << row.What;
        else
            EXPECT_THROW(session.HandlePrivateCtcp("bob", row.Text), EChattleError) << row.What;
        EXPECT_EQ(Seen, QStringList()) << row.What;
    }
    Receive({{"a good announce still places bob", TChannel::Companion, AnnounceText(TestBlock(120, 230, "SW")),
              {"place bob 120,230 SW", "send bob " + PresentText(TestBlock(10, 250, "S "), "#lobby")}}});
}

TEST_F(RoomSessionTest, a_one_letter_direction_at_the_end_keeps_its_blank)
{
    const QList<TIncoming> table = {
        {"a move", TChannel::Companion, "AV_MOVE01500250W", {"move bob 01500250W "}},
        {"a move with a two-letter code", TChannel::Companion, "AV_MOVE01500250NW", {"move bob 01500250NW"}},
        {"an announce", TChannel::Companion, AnnounceText(TestBlock(120, 230, "N ")).trimmed(),
         {"place bob 120,230 N ", "send bob " + PresentText(TestBlock(10, 250, "S "), "#lobby")}},
        {"a private move", TChannel::CtcpBody, "AVP_MOVE 02000250E", {"move bob 02000250E "}},
        {"a private announce", TChannel::CtcpBody, "AVP_IAMHEREACK " + TestBlock(60, 230, "E "),
         {"place bob 60,230 E "}},
    };
    Receive(table);
}

TEST_F(RoomSessionTest, a_full_room_draws_no_more_characters)
{
    int drawn = TRoomSession::MaxCharacters - 1; // one short of full
    int presented = 0;
    Session.CharacterCount = [&] { return drawn; };
    Session.HasCharacter = [](QString nick) { return nick == "bot999"; };
    Session.OnPlaceCharacter = [&](std::unique_ptr<TPersonaInst> c) {
        Seen << c->Name;
        ++drawn;
    };
    Session.OnSendMessage = [&](QString, QString) { ++presented; };
    const QString announce = AnnounceText(TestBlock(100, 216, "S "));
    for (int i = 0; i < 1000; ++i)
        Session.HandleAvatarMessage(QString("bot%1").arg(i), announce);
    EXPECT_EQ(Seen, QStringList({"bot0", "bot999"})) << "only a character already there is replaced";
    EXPECT_EQ(presented, 1000) << "every newcomer still gets the own character";
}

TEST_F(RoomSessionTest, a_window_without_its_room_ignores_the_companion_channel)
{
    TRoomSession unbound;
    unbound.OnSendMessage = [this](QString target, QString text) { Seen << target + text; };
    unbound.Init(Own.get());
    unbound.HandleAvatarMessage("bob", AnnounceText(TestBlock(120, 230, "SW")));
    EXPECT_TRUE(Seen.isEmpty());
    EXPECT_FALSE(unbound.Bound());
}

TEST_F(RoomSessionTest, a_request_stays_pending_until_answered_and_is_not_repeated)
{
    Session.SurfaceClicked(1, "");
    EXPECT_TRUE(Seen.isEmpty()) << "a click on nobody asks nobody";
    EXPECT_EQ(Mode, -1);

    Session.SurfaceClicked(1, "bob");
    EXPECT_EQ(Seen, QStringList{"send bob AV_REQUESTHANDSHAKEbob #lobby"});
    EXPECT_EQ(Session.PendingRequest(), "bob");
    EXPECT_EQ(Mode, 0);

    Seen.clear();
    Session.SurfaceClicked(2, "bob");
    EXPECT_EQ(Seen, QStringList{"warn You have already requested an interaction from bob.  You must wait for that "
                                "person to respond."});

    Seen.clear();
    Mode = -1;
    Session.HandleAvatarMessage("bob", "AV_ACCEPTYESHANDSHAKEalice");
    EXPECT_EQ(Seen, QStringList{"interact HANDSHAKE alice bob"});
    EXPECT_EQ(Session.PendingRequest(), "");
    EXPECT_EQ(Mode, 0);
}

TEST_F(RoomSessionTest, answers_to_a_request_and_the_ignore_list)
{
    Session.AnswerRequest(TRoomSession::TAnswer::Accept, "bob", "HIGH5----");
    Session.AnswerRequest(TRoomSession::TAnswer::Reject, "carol", "KISS-----");
    EXPECT_EQ(Seen, QStringList({"send #lobby.av AV_ACCEPTYESHIGH5----bob", "interact HIGH5---- bob alice",
                                 "send carol AV_ACCEPTNO-KISS-----carol #lobby"}));

    Seen.clear();
    Session.AnswerRequest(TRoomSession::TAnswer::Ignore, "Carol", "HUG------");
    Session.HandlePrivateMessage("carol", "AV_REQUESTHUG------alice #lobby");
    EXPECT_TRUE(Seen.isEmpty());
    EXPECT_FALSE(Session.Shows("CAROL", "hello"));
    EXPECT_FALSE(Session.Shows("alice", PresentText(TestBlock(10, 250, "S "), "#lobby"))) << "the own echo";
    EXPECT_TRUE(Session.Shows("alice", "hello"));
}

TEST_F(RoomSessionTest, the_input_line_and_the_interaction_bar)
{
    using TSaid = TRoomSession::TSaid;
    EXPECT_EQ(Session.Say("/me waves"), TSaid::Sent);
    EXPECT_EQ(Session.Say("/whois bob"), TSaid::Sent);
    EXPECT_EQ(Session.Say("/JOIN #elsewhere"), TSaid::Kept);
    EXPECT_EQ(Session.Say("/part"), TSaid::Leave);
    Session.Perform("Hug");
    EXPECT_EQ(Mode, 3);
    Session.Perform("Wave");
    Session.Leave();
    EXPECT_EQ(Seen, QStringList({"send #lobby " + Framed("ACTION waves"), "command whois bob",
                                 "send #lobby.av AV_ACCEPTYESWAVE-----alice", "interact WAVE----- alice ",
                                 "command PART #lobby", "command PART #lobby.av"}));
}

TEST_F(PrivateSessionTest, a_private_window_uses_the_ctcp_forms)
{
    Session.SurfaceClicked(0, "");
    Session.SurfaceClicked(4, "bob");
    Session.AnswerRequest(TRoomSession::TAnswer::Accept, "bob", "KISS-----");
    Session.AnswerRequest(TRoomSession::TAnswer::Reject, "bob", "HUG------");
    EXPECT_EQ(Seen, QStringList({"send bob " + Framed("AVP_MOVE 00100250S "),
                                 "send bob " + Framed("AVP_REQUEST HIGH5----bob bob"),
                                 "send bob " + Framed("AVP_ACCEPT YESKISS-----bob"), "interact KISS----- bob alice",
                                 "send bob " + Framed("AVP_ACCEPT NO-HUG------bob")}));
}
