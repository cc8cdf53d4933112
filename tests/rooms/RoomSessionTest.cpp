// The room session on its own, without a widget: received texts and the user's intents in, the lines
// sent and the changes for the room surface and the dialogs out, each written down as one line.
#include <gtest/gtest.h>

#include "AvatarProtocol.h"
#include "PersonaInst.h"
#include "RoomSession.h"
#include "RoomsTestSupport.h"
#include "printers.h"

namespace {
const QChar Ctcp(0x01);

QString Framed(const QString &body) { return Ctcp + body + Ctcp; }

class RoomSessionTest : public ::testing::Test {
protected:
    explicit RoomSessionTest(const QString &room = QStringLiteral("#lobby")) : Own(NewCharacter("alice"))
    {
        Own->SetPosition(10, 250);
        Session.PersonaLib = &TestLibrary();
        Session.OnSendMessage = [this](QString target, QString text) { Seen << "send " + target + " " + text; };
        Session.OnSendCommand = [this](QString line) { Seen << "command " + line; };
        Session.OnPlaceCharacter = [this](std::unique_ptr<TPersonaInst> c) {
            Seen << QString("place %1 %2,%3").arg(c->Name).arg(c->X).arg(c->Y);
        };
        Session.OnMoveCharacter = [this](QString nick, QString position) { Seen << "move " + nick + " " + position; };
        Session.OnInteract = [this](QString kind, QString requester, QString acceptor) {
            Seen << "interact " + kind + " " + requester + " " + acceptor;
        };
        Session.OnActionMode = [this](int mode) { Mode = mode; };
        Session.OnRequest = [this](QString requester, QString kind) { Seen << "request " + requester + " " + kind; };
        Session.OnShowText = [this](QString sender, QString text) { Seen << "text " + sender + " " + text; };
        Session.OnShowMessage = [this](QString text) { Seen << "message " + text; };
        Session.OnWarn = [this](QString text) { Seen << "warn " + text; };
        Session.Init(Own.get());
        Session.SetRoom(room);
    }

    std::unique_ptr<TPersonaInst> Own;
    TRoomSession Session;
    QStringList Seen;
    int Mode = -1;
};

class PrivateSessionTest : public RoomSessionTest {
protected:
    PrivateSessionTest() : RoomSessionTest(QStringLiteral("bob")) {}
};

enum class TChannel { Companion, Private, CtcpBody };
struct TIncoming {
    const char *What;
    TChannel Channel;
    QString Text;
    QStringList Seen;
    int Mode = -1;
};
} // namespace

TEST_F(RoomSessionTest, each_received_text_is_read_once_and_answered)
{
    const QString own = TestBlock(10, 250, "S ");
    const QList<TIncoming> table = {
        {"an announce places bob and is presented to", TChannel::Companion, AnnounceText(TestBlock(120, 230, "SW")),
         {"place bob 120,230", "send bob " + PresentText(own, "#lobby")}},
        {"a move walks bob", TChannel::Companion, "AV_MOVE01500250S ", {"move bob 01500250S "}},
        {"a request on the companion is ignored", TChannel::Companion, "AV_REQUESTHANDSHAKEalice #lobby", {}},
        {"unknown companion text is ignored", TChannel::Companion, "hello", {}},
        {"an accept starts carol's hug with bob", TChannel::Companion, "AV_ACCEPTYESHUG------carol",
         {"interact HUG------ carol bob"}},
        {"a wave names no partner", TChannel::Companion, "AV_ACCEPTYESWAVE-----bob", {"interact WAVE----- bob "}},
        {"an unknown kind performs nothing", TChannel::Companion, "AV_ACCEPTYESDANCE----bob", {}},
        {"a present reads x from its minus and stands on the floor", TChannel::Private,
         ":" + PresentText(TestBlock(-5, 100, "S "), "#lobby"), {"place bob -5,216"}},
        {"a private text is shown without its colon", TChannel::Private, ":hi there", {"text bob hi there"}},
        {"a private move form is only text", TChannel::Private, "AV_MOVE01500250S ", {"text bob AV_MOVE01500250S "}},
        {"a request opens the dialog", TChannel::Private, "AV_REQUESTKISS-----alice #lobby", {"request bob KISS-----"}},
        {"a refusal is told", TChannel::Private, "AV_ACCEPTNO-HUG------alice #lobby",
         {"message Your interaction was not accepted by bob."}, 0},
        {"a private announce is acknowledged", TChannel::CtcpBody, "AVP_IAMHERE " + TestBlock(60, 230, "S "),
         {"place bob 60,230", "send bob " + PrivateAcknowledgementText(own)}},
        {"an acknowledgement is not answered", TChannel::CtcpBody, "AVP_IAMHEREACK " + TestBlock(60, 230, "S "),
         {"place bob 60,230"}},
        {"a private move goes straight to the surface", TChannel::CtcpBody, "AVP_MOVE 02000250S ", {"move bob 02000250S"}},
        {"a private answer performs the own request", TChannel::CtcpBody, "AVP_ACCEPT YESKISS-----alice",
         {"interact KISS----- alice bob"}, 0},
        {"other CTCP keywords are ignored", TChannel::CtcpBody, "VERSION", {}},
    };
    for (const TIncoming &row : table) {
        Seen.clear();
        Mode = -1;
        if (row.Channel == TChannel::Companion)
            Session.HandleAvatarMessage("bob", row.Text);
        else if (row.Channel == TChannel::Private)
            Session.HandlePrivateMessage("bob", row.Text);
        else
            Session.HandlePrivateCtcp("bob", row.Text);
        EXPECT_EQ(Seen, row.Seen) << row.What;
        EXPECT_EQ(Mode, row.Mode) << row.What;
    }
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
