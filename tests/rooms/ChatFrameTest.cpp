// The room frame on its own: what the user types, how received text is shown, the member lists and
// the window's side of the avatar protocol, with every message box answered by script.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include "AvatarProtocol.h"
#include "ChattleError.h"
#include "PersonaInst.h"
#include "PersonaSpace.h"
#include "RoomsTestSupport.h"
#include "ScriptedDialogs.h"
#include "frameChatFrame.h"
#include "frameText.h"
#include "frmRequest.h"
#include "printers.h"

namespace {
const QChar Ctcp(0x01);
const QChar Bold(0x02);
const QChar Colour(0x03);
const QChar Underline(0x1F);
const QChar Reverse(0x16);

struct TSent {
    QString Target;
    QString Text;
    bool operator==(const TSent &) const = default;
};
void PrintTo(const TSent &sent, std::ostream *os) { *os << "(" << sent.Target.toStdString() << ", " << sent.Text.toStdString() << ")"; }

// One formatted run of the conversation.
struct TRun {
    QString Text;
    bool Bold = false;
    bool Underline = false;
    QRgb Colour = 0;
    bool operator==(const TRun &) const = default;
};
void PrintTo(const TRun &run, std::ostream *os)
{
    *os << "'" << run.Text.toStdString() << "'" << (run.Bold ? " bold" : "") << (run.Underline ? " underline" : "")
        << " #" << std::hex << run.Colour;
}

class ChatFrameTest : public ::testing::Test {
protected:
    explicit ChatFrameTest(const QString &room = QStringLiteral("#lobby"))
    {
        Frame.PersonaLib = &TestLibrary();
        Frame.OnSendMessage = [this](QString target, QString text) { Sent.append({target, text}); };
        Frame.OnSendCommand = [this](QString line) { Commands << line; };
        Frame.OnRoomClosed = [this](QString name) { Closed << name; };
        Frame.OnOpenPrivate = [this](QString nick) { Opened << nick; };
        Frame.Init(NewCharacter(QStringLiteral("alice")));
        Frame.SetRoom(room);
        Frame.show();
    }

    void Say(const QString &text)
    {
        QLineEdit *say = Frame.frameChatText->txtSay;
        say->setText(text);
        QTest::keyClick(say, Qt::Key_Return);
    }
    QTextDocument &Document() { return *Frame.frameChatText->txtConversation->document(); }
    QStringList Lines() { return Document().toPlainText().split(QChar('\n'), Qt::SkipEmptyParts); }
    QString LastLine() { return Lines().value(Lines().size() - 1); }
    // The last line as runs of equal formatting (however the document happens to split it).
    QList<TRun> LastLineRuns()
    {
        QList<TRun> runs;
        const QTextBlock block = Document().lastBlock();
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            TRun run{fragment.text(), format.fontWeight() > QFont::Normal, format.fontUnderline(),
                     format.foreground().color().rgb() & 0xFFFFFF};
            if (!runs.isEmpty() && runs.last().Bold == run.Bold && runs.last().Underline == run.Underline &&
                runs.last().Colour == run.Colour)
                runs.last().Text += run.Text;
            else
                runs.append(run);
        }
        return runs;
    }
    TPersonaInst *Character(const QString &name) { return Frame.Space()->FindInstance(name); }
    int CharactersNamed(const QString &name)
    {
        int count = 0;
        for (const TNamedPersona &entry : Frame.Space()->Instances())
            count += entry.Persona->Name == name;
        return count;
    }
    // bob's character standing at (100, 216) through an Announce, with its Present forgotten.
    void AnnounceBob()
    {
        Frame.HandleAvatarMessage(QStringLiteral("bob"), AnnounceText(TestBlock(100, 216, QStringLiteral("S "))));
        Sent.clear();
    }
    void Select(QListWidget *list, const QString &entry)
    {
        const auto items = list->findItems(entry, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << entry.toStdString();
        list->setCurrentItem(items.first());
    }

    TScriptedDialogs Boxes;
    TframeChatFrame Frame;
    QList<TSent> Sent;
    QStringList Commands, Closed, Opened;
};

class PrivateFrameTest : public ChatFrameTest {
protected:
    PrivateFrameTest() : ChatFrameTest(QStringLiteral("bob")) {}
};

QString Own(int x, int y, const QString &direction) { return TestBlock(x, y, direction); }
} // namespace

TEST_F(ChatFrameTest, is_laid_out_with_its_named_controls)
{
    EXPECT_EQ(Frame.RoomName(), "#lobby");
    EXPECT_EQ(Frame.frameChatText->Button1->text(), "Say it!");
    EXPECT_EQ(Frame.frameChatText->geometry(), QRect(4, 5, 357, 172));
    EXPECT_TRUE(Frame.frameChatText->txtConversation->isReadOnly());
    EXPECT_EQ(Frame.Panel1->width(), 87);
    EXPECT_EQ(Frame.Panel2->height(), 26);
    EXPECT_EQ(Frame.findChild<QLabel *>("lblVisualMembers")->text(), "Visual  Members");
    EXPECT_EQ(Frame.btnPerform->text(), "Do It!");
    EXPECT_EQ(Frame.btnNames->text(), "Show Names");
    EXPECT_EQ(Frame.sbutTurnClockwise->toolTip(), "Turn Clockwise");
    EXPECT_EQ(Frame.sbutTurnCounterClockwise->toolTip(), "Turn Counter-Clockwise");
    QStringList choices;
    for (int i = 0; i < Frame.cboInteraction->count(); ++i)
        choices << Frame.cboInteraction->itemText(i);
    EXPECT_EQ(choices, QStringList({"Handshake", "High 5", "Hug", "Kiss", "Wave"}));
    EXPECT_EQ(Frame.cboInteraction->currentText(), "Handshake");
    EXPECT_EQ(Frame.PrivateChat1->text(), "&Private Chat...");
    EXPECT_EQ(Frame.Ignore1->text(), "&Ignore...");
    EXPECT_EQ(Frame.Kick1->text(), "&Kick Out");
    EXPECT_EQ(Frame.timeTimer->interval(), 75);
    EXPECT_TRUE(Frame.timeTimer->isActive());
    EXPECT_EQ(Frame.Space()->FloorY, 270);
    EXPECT_EQ(Frame.OwnCharacter()->X, 10);
    EXPECT_EQ(Frame.OwnCharacter()->Y, 250);

    QTest::mouseClick(Frame.btnNames, Qt::LeftButton);
    EXPECT_TRUE(Frame.Space()->ShowAllNames);
    QTest::mouseClick(Frame.btnNames, Qt::LeftButton);
    EXPECT_FALSE(Frame.Space()->ShowAllNames);
}

TEST_F(ChatFrameTest, an_unbound_frame_says_it_needs_a_character)
{
    TframeChatFrame frame;
    frame.Init(nullptr);
    frame.SetRoom("#lobby");
    EXPECT_EQ(Boxes.ShownTexts(), QStringList{"error - need a personainst"});
    EXPECT_EQ(frame.RoomName(), "");
    EXPECT_FALSE(frame.timeTimer->isActive());
}

TEST_F(ChatFrameTest, typed_lines_become_messages_actions_raw_lines_or_leaving)
{
    Say("hello there");
    Say("/me waves");
    Say("/MEOW");
    EXPECT_EQ(Sent, QList<TSent>({{"#lobby", "hello there"},
                                  {"#lobby", Ctcp + QString("ACTION waves") + Ctcp},
                                  {"#lobby", Ctcp + QString("ACTION W") + Ctcp}}));
    EXPECT_EQ(Frame.frameChatText->txtSay->text(), "");
    EXPECT_TRUE(Lines().isEmpty()) << "own lines arrive through the echo";

    Say("/join #elsewhere");
    EXPECT_EQ(Frame.frameChatText->txtSay->text(), "/join #elsewhere");
    Say("/whois bob");
    EXPECT_EQ(Commands, QStringList{"whois bob"});
    EXPECT_EQ(Frame.frameChatText->txtSay->text(), "");

    Say("");
    EXPECT_EQ(Boxes.ShownTexts(), QStringList{"Type a message!"});

    Commands.clear();
    Say("/quit");
    EXPECT_EQ(Commands, QStringList({"PART #lobby", "PART #lobby.av"}));
    EXPECT_EQ(Closed, QStringList{"#lobby"});
    EXPECT_FALSE(Frame.timeTimer->isActive());
    EXPECT_EQ(Sent.size(), 3);
}

TEST_F(ChatFrameTest, formatting_codes_become_runs_that_start_afresh_with_every_message)
{
    const QRgb black = 0x000000;
    Frame.ShowText("bob", Bold + QString("bold") + Bold + " plain");
    EXPECT_EQ(LastLineRuns(), QList<TRun>({{"<bob> ", false, false, black},
                                           {"bold", true, false, black},
                                           {" plain", false, false, black}}));

    Frame.ShowText("bob", Colour + QString("4red ") + Colour + "4,1on black " + Colour + "12345gone" + Colour + "3green");
    EXPECT_EQ(LastLineRuns(), QList<TRun>({{"<bob> ", false, false, black},
                                           {"red on black ", false, false, 0xFF0000},
                                           {"gone", false, false, black},
                                           {"green", false, false, 0x008000}}));

    Frame.ShowText("bob", Bold + QString("still") + Underline + "under");
    Frame.ShowText("bob", Reverse + QString("next") + QChar(0x0F));
    EXPECT_EQ(LastLineRuns(), QList<TRun>({{"<bob> ", false, false, black}, {"next", false, false, 0xFFFFFF}}))
        << "reversed: white on black, and the reset shows nothing";

    Frame.ShowText("bob", Colour + QString("4") + Bold);
    EXPECT_EQ(Lines().size(), 4) << "a text of codes only adds no line";

    Frame.ShowText("", Colour + QString("3*** carol has entered the channel."));
    EXPECT_EQ(LastLine(), "*** carol has entered the channel.");
}

// The last line as runs of equal look, "text[flags fg/bg]": flags b i u s m, bg "-" for none.
QStringList DescribeLastLine(QTextDocument &document)
{
    QStringList runs;
    const QTextBlock block = document.lastBlock();
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat f = it.fragment().charFormat();
        const QString flags = QString(f.fontWeight() > QFont::Normal ? "b" : "") + (f.fontItalic() ? "i" : "") +
                              (f.fontUnderline() ? "u" : "") + (f.fontStrikeOut() ? "s" : "") + (f.fontFixedPitch() ? "m" : "");
        const QString back = f.hasProperty(QTextFormat::BackgroundBrush)
                                 ? QString::number(f.background().color().rgb() & 0xFFFFFF, 16)
                                 : QString("-");
        const QString look = QString("[%1 %2/%3]").arg(flags, QString::number(f.foreground().color().rgb() & 0xFFFFFF, 16), back);
        if (!runs.isEmpty() && runs.last().endsWith(look))
            runs.last().insert(runs.last().size() - look.size(), it.fragment().text());
        else
            runs << it.fragment().text() + look;
    }
    return runs;
}

TEST_F(ChatFrameTest, codes_of_other_clients_show_as_meant_and_never_raw)
{
    // Codes written as % and two hex digits.
    const struct {
        QString Text;
        QStringList Runs;
    } cases[] = {
        {"%1Ditalic%1D %1Estruck%1E %11mono", {"<bob> [ 0/-]", "italic[i 0/-]", " [ 0/-]", "struck[s 0/-]", " [ 0/-]", "mono[m 0/-]"}},
        {"%02%1D%1F%0304,08all%0Fplain", {"<bob> [ 0/-]", "all[biu ff0000/ffff00]", "plain[ 0/-]"}},
        {"%0312,01blue on black%034 keeps", {"<bob> [ 0/-]", "blue on black[ ff/0]", " keeps[ ff0000/0]"}},
        {"%0352,99extended%0399 default", {"<bob> [ 0/-]", "extended[ ff0000/-]", " default[ 0/-]"}},
        {"%04FF8800,112233hex%04 gone%04zz", {"<bob> [ 0/-]", "hex[ ff8800/112233]", " gonezz[ 0/-]"}},
        {"%0304,02%16swapped", {"<bob> [ 0/-]", "swapped[ ff/ff0000]"}},
        {"bell%07 and %05 %01gone", {"<bob> bell and  [ 0/-]"}},
    };
    for (const auto &c : cases) {
        QString text = c.Text;
        for (qsizetype at = text.indexOf('%'); at >= 0; at = text.indexOf('%'))
            text.replace(at, 3, QChar(text.mid(at + 1, 2).toInt(nullptr, 16)));
        Frame.ShowText("bob", text);
        EXPECT_EQ(DescribeLastLine(Document()), c.Runs) << c.Text.toStdString();
    }
}

TEST_F(ChatFrameTest, each_message_is_one_edit_however_many_codes_it_holds)
{
    QString text;
    for (int i = 0; i < 200; ++i)
        text += Bold + QString("w");
    int edits = 0;
    QObject::connect(&Document(), &QTextDocument::contentsChange, &Frame, [&](int, int, int) { ++edits; });
    Frame.ShowText("bob", text);
    EXPECT_EQ(edits, 1);
    Frame.ShowNotice("pat", Colour + QString("4red ") + Bold + "notice");
    EXPECT_EQ(edits, 2);
    EXPECT_EQ(LastLine(), "-pat- red notice");
}

TEST_F(ChatFrameTest, network_text_is_inserted_as_plain_text_never_as_markup)
{
    Frame.ShowText("mallory", "<b>big</b> &amp; <img src=x> <a href='y'>link</a>");
    EXPECT_EQ(LastLine(), "<mallory> <b>big</b> &amp; <img src=x> <a href='y'>link</a>");
    Frame.ShowText("<i>mallory</i>", "hi");
    EXPECT_EQ(LastLine(), "<<i>mallory</i>> hi");
}

TEST_F(ChatFrameTest, a_long_conversation_keeps_only_the_newest_lines)
{
    const int limit = TframeText::ConversationLineLimit;
    for (int i = 0; i < limit + 50; ++i)
        Frame.ShowText("bob", QString::number(i));
    // Trimmed a tenth of the limit at a time, so the newest lines stay, in order, without a gap.
    const QStringList lines = Lines();
    EXPECT_EQ(lines.size(), limit - limit / 10 + 49);
    EXPECT_EQ(lines.first(), QString("<bob> %1").arg(limit + 50 - lines.size()));
    EXPECT_EQ(LastLine(), QString("<bob> %1").arg(limit + 49));
}

TEST_F(ChatFrameTest, action_lines_and_unclosed_ctcp_bodies)
{
    Frame.ShowText("bob", Ctcp + QString("ACTION dances") + Ctcp);
    EXPECT_EQ(LastLine(), "bob dances");
    Frame.ShowText("bob", QString("look") + Ctcp + QString("action bows") + Ctcp + "again");
    EXPECT_EQ(Lines().mid(1), QStringList({"<bob> look", "bob bows", "<bob> again"}));
    Frame.ShowText("bob", Ctcp + QString("ACTION trips and never closes"));
    EXPECT_EQ(LastLine(), "bob trips and never closes");
    Frame.ShowText("bob", Ctcp + QString("VERSION") + Ctcp);
    EXPECT_EQ(Lines().size(), 5) << "other CTCP requests show nothing";
    EXPECT_TRUE(Sent.isEmpty());
}

TEST_F(ChatFrameTest, ignored_nicks_show_nothing_and_open_no_dialog)
{
    Frame.AddMember("@Bob", "#lobby");
    Select(Frame.lstUsers, "@Bob");
    Boxes.Answer(TDialogButton::No);
    Frame.Ignore1Click();
    EXPECT_TRUE(Frame.IgnoreList().isEmpty());
    Boxes.Answer(TDialogButton::Yes);
    Frame.Ignore1Click();
    EXPECT_EQ(Boxes.ShownTexts().last(),
              "Do you want to ignore Bob?  You will not receive any requests or text messages from this user.");
    EXPECT_EQ(Frame.IgnoreList(), QStringList{"Bob"});

    Frame.ShowText("bob", "can you hear me?");
    Frame.HandlePrivateMessage("bob", RequestText("HANDSHAKE", "alice", "#lobby"));
    EXPECT_TRUE(Lines().isEmpty());
    EXPECT_EQ(Frame.RequestDialogOf("bob"), nullptr);
    Frame.ShowText("carol", "I am heard");
    EXPECT_EQ(LastLine(), "<carol> I am heard");
}

TEST_F(ChatFrameTest, member_lists_keep_marked_entries_in_step)
{
    for (const QString nick : {"alice", "Dave", "@bob", "+carol", "charlie"})
        Frame.AddMember(nick, "#lobby");
    Frame.AddMember("eve", "#lobby.av");
    Frame.AddMember("bob", "#lobby.av");
    Frame.AddMember("zed", "#elsewhere");
    QStringList users;
    for (int i = 0; i < Frame.lstUsers->count(); ++i)
        users << Frame.lstUsers->item(i)->text();
    EXPECT_EQ(users, QStringList({"+carol", "@bob", "alice", "charlie", "Dave"}));

    Frame.RemoveMember("bob", "#lobby");
    Frame.RemoveMember("carol", "#lobby");
    EXPECT_EQ(Lines(), QStringList({"*** bob has left.", "*** carol has left."}));
    EXPECT_TRUE(Frame.HasMember("bob")) << "still a visual member";
    EXPECT_FALSE(Frame.HasMember("carol"));

    Frame.NickChanged("eve", "eva");
    EXPECT_EQ(Frame.lstVisualUsers->findItems("eva", Qt::MatchExactly).size(), 1);
    EXPECT_EQ(Lines().size(), 2) << "a visual-only rename writes no line";
    Frame.NickChanged("dave", "david");
    EXPECT_EQ(LastLine(), "*** dave is now know as david");
    EXPECT_EQ(Frame.lstUsers->findItems("david", Qt::MatchExactly).size(), 1);

    Frame.AddMember("@op", "#lobby");
    Frame.NickChanged("op", "boss");
    EXPECT_EQ(Frame.lstUsers->findItems("@boss", Qt::MatchExactly).size(), 1);
}

TEST_F(ChatFrameTest, popup_commands_strip_the_operator_and_voice_marks)
{
    Frame.AddMember("@bob", "#lobby");
    Frame.AddMember("+carol", "#lobby.av");
    Select(Frame.lstUsers, "@bob");
    Frame.lstUsersClick();
    Frame.Kick1Click();
    EXPECT_EQ(Commands, QStringList({"KICK #lobby bob", "KICK #lobby.av bob"}));

    Select(Frame.lstVisualUsers, "+carol");
    Frame.lstVisualUsersClick();
    EXPECT_TRUE(Frame.lstUsers->selectedItems().isEmpty());
    Frame.PrivateChat1Click();
    EXPECT_EQ(Opened, QStringList{"carol"});

    Frame.lstVisualUsersContextPopup({5, 5});
    EXPECT_TRUE(Frame.mnuUserAction->isVisible());
    Frame.mnuUserAction->hide();

    Frame.lstVisualUsers->clearSelection();
    Frame.lstUsersContextPopup({5, 5});
    EXPECT_FALSE(Frame.mnuUserAction->isVisible()) << "no menu over a list without a selection";
    Frame.PrivateChat1Click();
    EXPECT_EQ(Opened.size(), 1) << "nothing selected, nothing opened";
}

TEST_F(ChatFrameTest, kicks_remove_the_victim_and_a_kicked_user_is_told)
{
    AnnounceBob();
    Frame.AddMember("@bob", "#lobby");
    Frame.AddMember("bob", "#lobby.av");
    Frame.UserKicked("#lobby", "op", "bob", "behave");
    EXPECT_EQ(LastLine(), "<System> bob was Kicked out by op : behave");
    EXPECT_FALSE(Frame.HasMember("bob"));
    EXPECT_EQ(Character("bob"), nullptr);

    Frame.AddMember("carol", "#lobby.av");
    Frame.UserKicked("#lobby.av", "op", "carol", "x");
    EXPECT_FALSE(Frame.HasMember("carol"));
    EXPECT_EQ(Lines().size(), 1) << "a companion kick alone shows no text";

    Frame.Kicked("#lobby", "op", "spam");
    EXPECT_EQ(Boxes.ShownTexts(), QStringList{"You were Kicked Out by op!  Reason: spam"});
}

TEST_F(ChatFrameTest, announce_places_a_character_answers_with_present_and_replaces_an_earlier_one)
{
    Frame.HandleAvatarMessage("bob", AnnounceText(TestBlock(120, 230, "SW")));
    ASSERT_NE(Character("bob"), nullptr);
    EXPECT_EQ(Character("bob")->X, 120);
    EXPECT_EQ(Character("bob")->Y, 230);
    EXPECT_EQ(Character("bob")->Frame, TPersonaInst::StandingCel(1));
    EXPECT_EQ(Sent, QList<TSent>({{"bob", PresentText(Own(10, 250, "S "), "#lobby")}}));

    Frame.HandleAvatarMessage("bob", AnnounceText(TestBlock(300, 240, "S ")));
    EXPECT_EQ(CharactersNamed("bob"), 1);
    EXPECT_EQ(Character("bob")->X, 300);

    // ngIRCd strips the trailing blank of a one-letter direction: the character is placed all the same.
    Frame.HandleAvatarMessage("carol", AnnounceText(TestBlock(50, 240, "S ")).trimmed());
    EXPECT_NE(Character("carol"), nullptr);
}

TEST_F(ChatFrameTest, protocol_numbers_are_read_strictly_and_a_bad_one_abandons_the_message)
{
    const QString appearance = DefaultAppearance();
    const QStringList badFields = {" 120", "+120", "0x1F", QString::fromUtf16(u"\uFF11\uFF12\uFF10\uFF10"),
                                   QString::fromUtf16(u"\u0661\u0662\u0660\u0660")};
    for (const QString &x : badFields) {
        EXPECT_THROW(Frame.HandleAvatarMessage("bob", "AV_IAMHERE" + appearance + x + "0250S "), EConvertError)
            << x.toStdString();
        EXPECT_THROW(Frame.HandlePrivateMessage("bob", "AV_IAMHERE" + appearance + x + "0250S  #lobby"),
                     EConvertError);
    }
    EXPECT_THROW(Frame.HandleAvatarMessage("bob", "AV_IAMHERE" + appearance + "01"), EConvertError);
    EXPECT_EQ(Character("bob"), nullptr);
    EXPECT_TRUE(Sent.isEmpty());

    AnnounceBob();
    EXPECT_THROW(Frame.HandleAvatarMessage("bob", "AV_MOVE+1500250S "), EConvertError);
    EXPECT_THROW(Frame.HandleAvatarMessage("bob", "AV_MOVE01500x50S "), EConvertError);
    EXPECT_EQ(Character("bob")->TargetX, 100);
    Frame.HandleAvatarMessage("bob", "AV_MOVE01500250S ");
    EXPECT_EQ(Character("bob")->TargetX, 150);
    EXPECT_EQ(Character("bob")->TargetY, 250);
}

TEST_F(ChatFrameTest, present_reads_a_negative_x_raises_y_to_the_floor_and_replaces)
{
    Frame.HandlePrivateMessage("bob", ":" + PresentText(TestBlock(-5, 100, "S "), "#lobby"));
    ASSERT_NE(Character("bob"), nullptr);
    EXPECT_EQ(Character("bob")->X, -5);
    EXPECT_EQ(Character("bob")->Y, 216);
    Frame.HandlePrivateMessage("bob", PresentText(TestBlock(200, 260, "S "), "#lobby"));
    EXPECT_EQ(CharactersNamed("bob"), 1);
    EXPECT_EQ(Character("bob")->X, 200);
    EXPECT_EQ(Character("bob")->Y, 260);
    EXPECT_TRUE(Sent.isEmpty()) << "a Present is not answered";
}

TEST_F(ChatFrameTest, clicks_walk_and_send_the_target_then_turns_send_the_facing)
{
    Frame.SurfaceMouseDown(Qt::LeftButton, 200, 300);
    EXPECT_EQ(Sent, QList<TSent>({{"#lobby.av", "AV_MOVE01680246S "}}));
    TPersonaInst *own = Frame.OwnCharacter();
    const int x = own->X;
    Frame.timeTimerTimer();
    EXPECT_EQ(own->X, x + 5) << "one tick, one step";

    Sent.clear();
    Frame.SurfaceMouseDown(Qt::LeftButton, 42, 100);
    while (own->Walking)
        Frame.timeTimerTimer();
    QTest::mouseClick(Frame.sbutTurnClockwise, Qt::LeftButton);
    QTest::mouseClick(Frame.sbutTurnCounterClockwise, Qt::LeftButton);
    QTest::mouseClick(Frame.sbutTurnCounterClockwise, Qt::LeftButton);
    EXPECT_EQ(Sent.mid(1), QList<TSent>({{"#lobby.av", "AV_MOVE00100216SW"},
                                         {"#lobby.av", "AV_MOVE00100216S "},
                                         {"#lobby.av", "AV_MOVE00100216SE"}}));
}

TEST_F(ChatFrameTest, a_request_goes_to_the_character_clicked_and_only_once)
{
    AnnounceBob();
    Frame.btnPerformClick();
    EXPECT_EQ(Frame.Space()->ActionMode, 1);
    Frame.Space()->MouseMove(400, 300);
    Frame.SurfaceMouseDown(Qt::LeftButton, 400, 300);
    EXPECT_TRUE(Sent.isEmpty());
    EXPECT_EQ(Frame.Space()->ActionMode, 1) << "a click on nobody keeps the mode";

    Frame.Space()->MouseMove(130, 250);
    Frame.SurfaceMouseDown(Qt::LeftButton, 130, 250);
    EXPECT_EQ(Sent, QList<TSent>({{"bob", "AV_REQUESTHANDSHAKEbob #lobby"}}));
    EXPECT_EQ(Frame.PendingRequest(), "bob");
    EXPECT_EQ(Frame.Space()->ActionMode, 0);
    EXPECT_EQ(Frame.OwnCharacter()->TargetX, 10) << "a request does not walk";

    Frame.cboInteraction->setCurrentText("Kiss");
    Frame.btnPerformClick();
    Frame.SurfaceMouseDown(Qt::LeftButton, 130, 250);
    EXPECT_EQ(Boxes.ShownTexts(), QStringList{"You have already requested an interaction from bob.  You must wait for that person to respond."});
    EXPECT_EQ(Boxes.Shown().first().Kind, TDialogKind::Warning);
    EXPECT_EQ(Frame.Space()->ActionMode, 0);
    EXPECT_EQ(Sent.size(), 1);

    // bob accepts: his Accept on the companion starts the own character walking up to him.
    Frame.HandleAvatarMessage("bob", "AV_ACCEPTYESHANDSHAKEalice");
    EXPECT_TRUE(Frame.OwnCharacter()->Interacting);
    EXPECT_EQ(Frame.OwnCharacter()->Partner, Character("bob"));
    EXPECT_EQ(Frame.PendingRequest(), "");
}

TEST_F(ChatFrameTest, a_refusal_is_told_and_clears_the_pending_request)
{
    AnnounceBob();
    Frame.btnPerformClick();
    Frame.Space()->MouseMove(130, 250);
    Frame.SurfaceMouseDown(Qt::LeftButton, 130, 250);
    Frame.HandlePrivateMessage("bob", "AV_ACCEPTNO-HANDSHAKEalice #lobby");
    EXPECT_EQ(Boxes.ShownTexts(), QStringList{"Your interaction was not accepted by bob."});
    EXPECT_EQ(Frame.PendingRequest(), "");
    EXPECT_FALSE(Frame.OwnCharacter()->Interacting);
}

TEST_F(ChatFrameTest, wave_is_sent_to_the_companion_and_performed_at_once)
{
    Frame.cboInteraction->setCurrentText("Wave");
    QTest::mouseClick(Frame.btnPerform, Qt::LeftButton);
    EXPECT_EQ(Sent, QList<TSent>({{"#lobby.av", "AV_ACCEPTYESWAVE-----alice"}}));
    EXPECT_TRUE(Frame.OwnCharacter()->Interacting);
    AnnounceBob();
    Frame.HandleAvatarMessage("bob", "AV_ACCEPTYESWAVE-----bob");
    EXPECT_TRUE(Character("bob")->Interacting);
}

TEST_F(ChatFrameTest, the_request_dialog_answers_accept_reject_and_ignore)
{
    AnnounceBob();
    Frame.HandlePrivateMessage("bob", "AV_REQUESTHANDSHAKEalice #lobby");
    TfrmRequest *dialog = Frame.RequestDialogOf("bob");
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->findChild<QLabel *>("lblDescription")->text(), "bob would like to shake your hand!");

    // A second request from bob updates the same dialog; carol gets her own.
    Frame.HandlePrivateMessage("bob", "AV_REQUESTHIGH5----alice #lobby");
    EXPECT_EQ(Frame.RequestDialogOf("bob"), dialog);
    EXPECT_EQ(dialog->findChild<QLabel *>("lblDescription")->text(), "bob would like to give you a High 5!");
    Frame.HandlePrivateMessage("carol", "AV_REQUESTKISS-----alice #lobby");
    ASSERT_NE(Frame.RequestDialogOf("carol"), nullptr);
    EXPECT_NE(Frame.RequestDialogOf("carol"), dialog);
    EXPECT_EQ(Frame.findChildren<TfrmRequest *>().size(), 2);

    QTest::mouseClick(dialog->findChild<QPushButton *>("BitBtn1"), Qt::LeftButton);
    EXPECT_EQ(Sent, QList<TSent>({{"#lobby.av", "AV_ACCEPTYESHIGH5----bob"}}));
    EXPECT_TRUE(Character("bob")->Interacting) << "bob walks up to the own character";
    EXPECT_FALSE(dialog->isVisible());

    Sent.clear();
    TfrmRequest *carols = Frame.RequestDialogOf("carol");
    QTest::mouseClick(carols->findChild<QPushButton *>("BitBtn2"), Qt::LeftButton);
    EXPECT_EQ(Sent, QList<TSent>({{"carol", "AV_ACCEPTNO-KISS-----carol #lobby"}}));

    Sent.clear();
    Frame.HandlePrivateMessage("carol", "AV_REQUESTHUG------alice #lobby");
    Boxes.Answer(TDialogButton::No);
    QTest::mouseClick(carols->findChild<QPushButton *>("btnIgnore"), Qt::LeftButton);
    EXPECT_TRUE(carols->isVisible()) << "No keeps the dialog open";
    EXPECT_TRUE(Frame.IgnoreList().isEmpty());
    Boxes.Answer(TDialogButton::Yes);
    QTest::mouseClick(carols->findChild<QPushButton *>("btnIgnore"), Qt::LeftButton);
    EXPECT_FALSE(carols->isVisible());
    EXPECT_EQ(Frame.IgnoreList(), QStringList{"carol"});
    EXPECT_TRUE(Sent.isEmpty());
}

TEST_F(PrivateFrameTest, private_forms_travel_ctcp_framed_to_the_other_party)
{
    Frame.ShowText("bob", Ctcp + QString("AVP_IAMHERE ") + TestBlock(60, 230, "S ") + Ctcp);
    ASSERT_NE(Character("bob"), nullptr);
    EXPECT_EQ(Character("bob")->X, 60);
    EXPECT_EQ(Sent, QList<TSent>({{"bob", PrivateAcknowledgementText(Own(10, 250, "S "))}}));
    EXPECT_TRUE(Lines().isEmpty());

    Sent.clear();
    Frame.ShowText("bob", Ctcp + QString("AVP_MOVE 02000250S ") + Ctcp);
    EXPECT_EQ(Character("bob")->TargetX, 200);

    Frame.SurfaceMouseDown(Qt::LeftButton, 200, 300);
    EXPECT_EQ(Sent, QList<TSent>({{"bob", Ctcp + QString("AVP_MOVE 01680246S ") + Ctcp}}));

    Sent.clear();
    Character("bob")->SetPosition(300, 230);
    Frame.btnPerformClick();
    Frame.Space()->MouseMove(330, 260);
    Frame.SurfaceMouseDown(Qt::LeftButton, 330, 260);
    EXPECT_EQ(Sent, QList<TSent>({{"bob", Ctcp + QString("AVP_REQUEST HANDSHAKEbob bob") + Ctcp}}));

    Sent.clear();
    Frame.ShowText("bob", Ctcp + QString("AVP_REQUEST KISS-----alice bob") + Ctcp);
    TfrmRequest *dialog = Frame.RequestDialogOf("bob");
    ASSERT_NE(dialog, nullptr);
    QTest::mouseClick(dialog->findChild<QPushButton *>("BitBtn1"), Qt::LeftButton);
    EXPECT_EQ(Sent, QList<TSent>({{"bob", Ctcp + QString("AVP_ACCEPT YESKISS-----bob") + Ctcp}}));
    EXPECT_TRUE(Character("bob")->Interacting);

    Sent.clear();
    Frame.ShowText("bob", Ctcp + QString("AVP_ACCEPT YESHANDSHAKEalice") + Ctcp);
    EXPECT_EQ(Frame.PendingRequest(), "");
}

TEST_F(PrivateFrameTest, the_own_echo_of_private_protocol_texts_is_not_shown)
{
    Frame.ShowText("alice", PresentText(Own(10, 250, "S "), "#lobby"));
    Frame.ShowText("alice", Ctcp + QString("AVP_IAMHERE ") + Own(10, 250, "S ") + Ctcp);
    EXPECT_TRUE(Lines().isEmpty());
    EXPECT_TRUE(Sent.isEmpty());
    EXPECT_EQ(Character("alice"), nullptr);
    Frame.HandlePrivateMessage("bob", ":hi there");
    EXPECT_EQ(LastLine(), "<bob> hi there");
}
