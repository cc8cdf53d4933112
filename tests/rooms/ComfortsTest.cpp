// The chat window's comforts: nick completion, input history, links, mentions with their marks and
// notifications, timestamps, logs and the window's own slash commands.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include "ChatComforts.h"
#include "ChatLogWriter.h"
#include "FrameComforts.h"
#include "InputHistory.h"
#include "LinkFinder.h"
#include "MentionMatcher.h"
#include "NickCompleter.h"
#include "PersonaInst.h"
#include "RoomsTestSupport.h"
#include "ScriptedDialogs.h"
#include "WindowMarks.h"
#include "frameChatFrame.h"
#include "frameText.h"
#include "frmChat.h"
#include "printers.h"

namespace {
const QChar Ctcp(0x01);

TEST(NickCompleterTest, completes_the_word_before_the_cursor_and_cycles)
{
    const QStringList nicks = {"bob", "Bobby", "carol"};
    struct TCase {
        const char *Why;
        QString Line;
        int Cursor;
        QString Text;
        int NewCursor;
    };
    const TCase cases[] = {
        {"line start gets a colon", "bo", 2, "bob: ", 5},
        {"letter case is ignored", "BO", 2, "bob: ", 5},
        {"inside a line a blank follows", "hi ca", 5, "hi carol ", 9},
        {"the text after the cursor stays", "hi ca and more", 5, "hi carol  and more", 9},
    };
    for (const TCase &c : cases) {
        TNickCompleter completer;
        const auto done = completer.Complete(c.Line, c.Cursor, nicks);
        ASSERT_TRUE(done) << c.Why;
        EXPECT_EQ(done->Text, c.Text) << c.Why;
        EXPECT_EQ(done->Cursor, c.NewCursor) << c.Why;
    }

    TNickCompleter completer;
    EXPECT_FALSE(completer.Complete("zed", 3, nicks));
    EXPECT_FALSE(completer.Complete("", 0, nicks)) << "nothing to complete";
    auto done = completer.Complete("b", 1, nicks);
    EXPECT_EQ(done->Text, "bob: ");
    done = completer.Complete(done->Text, done->Cursor, nicks);
    EXPECT_EQ(done->Text, "Bobby: ");
    done = completer.Complete(done->Text, done->Cursor, nicks);
    EXPECT_EQ(done->Text, "bob: ") << "cycling wraps around";

    EXPECT_EQ(CompletionOrder({"zoe", "alice"}, {"@bob", "+Amy", "zoe", "alice"}, "alice"),
              QStringList({"zoe", "Amy", "bob"}))
        << "recent speakers first, then the members alphabetically, marks and the own nick left out";
}

TEST(InputHistoryTest, walks_like_a_shell_and_keeps_the_draft)
{
    TInputHistory history;
    EXPECT_FALSE(history.Up("draft"));
    history.Add("one");
    history.Add("two");
    history.Add("two");
    EXPECT_EQ(history.Up("half typed"), "two");
    EXPECT_EQ(history.Up("two"), "one");
    EXPECT_FALSE(history.Up("one")) << "the oldest line is the end";
    EXPECT_EQ(history.Down(), "two");
    EXPECT_EQ(history.Down(), "half typed") << "the draft comes back";
    EXPECT_FALSE(history.Down());

    for (int i = 0; i < 150; ++i)
        history.Add(QString::number(i));
    EXPECT_EQ(history.Lines().size(), TInputHistory::Capacity);
    EXPECT_EQ(history.Lines().first(), "50");
}

TEST(LinkFinderTest, finds_addresses_without_the_punctuation_after_them)
{
    struct TCase {
        QString Text;
        QStringList Links; // the address as found, then its URL
    };
    const TCase cases[] = {
        {"see http://example.com/a.", {"http://example.com/a", "http://example.com/a"}},
        {"(https://example.com/x_(y)), ok?", {"https://example.com/x_(y)", "https://example.com/x_(y)"}},
        {"www.example.org!", {"www.example.org", "http://www.example.org"}},
        {"HTTP://EXAMPLE.COM and www.b.net", {"HTTP://EXAMPLE.COM", "http://example.com", "www.b.net", "http://www.b.net"}},
        {"<a href=\"http://x.io\">", {"http://x.io", "http://x.io"}},
        {"no link: http:// or ftp://x.y or awww.z", {}},
    };
    for (const TCase &c : cases) {
        QStringList found;
        for (const TFoundLink &link : FindLinks(c.Text))
            found << c.Text.mid(link.Start, link.Length) << link.Url.toString();
        EXPECT_EQ(found, c.Links) << c.Text.toStdString();
    }
}

TEST(MentionMatcherTest, the_nick_as_a_word_of_its_own)
{
    struct TCase {
        QString Text;
        QString Nick;
        bool Mentions;
    };
    const TCase cases[] = {
        {"hi alice", "alice", true},        {"ALICE: look", "alice", true},    {"alice's hat", "alice", true},
        {"malice here", "alice", false},    {"alice_ left", "alice", false},   {"alice2", "alice", false},
        {"ping [bot]!", "[bot]", true},     {"ping {BOT}", "[bot]", true},     {"x[bot]y", "[bot]", false},
        {"hey a|b, hi", "a|b", true},       {"hey a\\b", "a|b", true},         {"", "alice", false},
    };
    for (const TCase &c : cases)
        EXPECT_EQ(MentionsNick(c.Text, c.Nick), c.Mentions) << c.Text.toStdString() << " / " << c.Nick.toStdString();
}

TEST(ChatLogTest, one_file_per_window_and_day_written_as_lines_arrive)
{
    QTemporaryDir logs;
    const QDateTime when(QDate(2026, 3, 4), QTime(9, 5, 7));
    EXPECT_EQ(ChatLogPath("/l", "Irc.Example.NET", "#Lobby", when.date()), "/l/irc.example.net/#lobby/2026-03-04.log");
    EXPECT_EQ(ChatLogPath("/l", "..", "a/b", when.date()), "/l/_./a_b/2026-03-04.log") << "no way out of the folder";

    TChatLogWriter writer;
    writer.Append(logs.path(), "srv", "#lobby", when, "<bob> grüß dich");
    writer.Append(logs.path(), "srv", "#lobby", when.addSecs(60), "bob waves");
    writer.Flush();
    QFile file(ChatLogPath(logs.path(), "srv", "#lobby", when.date()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), "[09:05:07] <bob> grüß dich\n[09:06:07] bob waves\n");
}

class TRecordingNotifier : public TNotifier {
public:
    void Notify(const QString &title, const QString &text) override { Shown << title + " | " + text; }
    QStringList Shown;
};

// A room window in a document area, with the comforts shared and the user's attention scripted.
class ComfortsFrameTest : public ::testing::Test {
protected:
    explicit ComfortsFrameTest(const QString &room = QStringLiteral("#lobby"))
    {
        Shared.Notifier = &Notifier;
        Shared.Player = &Sounds;
        Shared.MessageFromSound = "/art/MessageFrom.wav";
        Shared.IsActiveWindow = [this](const QMdiSubWindow *) { return WindowActive; };
        Shared.ApplicationActive = [this] { return ApplicationActive; };
        Window->RoomName = room;
        Window->BackgroundPath = TestArtworkDir() + "/manor.jpg";
        Window->SetOwnCharacter(NewCharacter("alice"));
        Frame().PersonaLib = &TestLibrary();
        Frame().OnSendMessage = [this](QString target, QString text) { Sent << target + " :" + text; };
        Frame().OnSendCommand = [this](QString line) { Sent << line; };
        Frame().OnOpenPrivate = [this](QString nick) { Sent << "[open " + nick + "]"; };
        Frame().Comforts()->Shared = &Shared;
        Frame().Comforts()->OpenLink = [this](const QUrl &url) { Opened << url.toString(); };
        Area.addSubWindow(Window);
        Area.resize(700, 500);
        Area.show();
        Window->show();
        Window->FormActivate();
    }

    TframeChatFrame &Frame() { return *Window->frameChatFrame; }
    QLineEdit &SayLine() { return *Frame().frameChatText->txtSay; }
    QTextEdit &Conversation() { return *Frame().frameChatText->txtConversation; }
    QStringList Lines() { return Conversation().toPlainText().split('\n', Qt::SkipEmptyParts); }
    QTextCharFormat FormatAt(int block, int column)
    {
        QTextCursor cursor(Conversation().document()->findBlockByNumber(block));
        cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column + 1);
        return cursor.charFormat();
    }
    void Say(const QString &text)
    {
        SayLine().setText(text);
        QTest::keyClick(&SayLine(), Qt::Key_Return);
    }

    TScriptedDialogs Boxes;
    TChatComforts Shared;
    TRecordingNotifier Notifier;
    TRecordingSoundPlayer Sounds;
    bool WindowActive = true;
    bool ApplicationActive = true;
    QMdiArea Area;
    TfrmChat *Window = new TfrmChat;
    QStringList Sent, Opened;
};

TEST_F(ComfortsFrameTest, tab_completes_members_recent_speakers_first_and_keys_walk_the_history)
{
    Frame().AddMember("@bob", "#lobby");
    Frame().AddMember("bea", "#lobby");
    Frame().AddMember("alice", "#lobby");
    Frame().ShowText("bob", "hello");
    SayLine().setText("b");
    QTest::keyClick(&SayLine(), Qt::Key_Tab);
    EXPECT_EQ(SayLine().text(), "bob: ");
    QTest::keyClick(&SayLine(), Qt::Key_Tab);
    EXPECT_EQ(SayLine().text(), "bea: ");
    EXPECT_TRUE(SayLine().hasFocus() || !Window->isActiveWindow()) << "Tab stays in the line";

    Say("first");
    Say("second");
    SayLine().setText("draft");
    QTest::keyClick(&SayLine(), Qt::Key_Up);
    EXPECT_EQ(SayLine().text(), "second");
    QTest::keyClick(&SayLine(), Qt::Key_Up);
    EXPECT_EQ(SayLine().text(), "first");
    QTest::keyClick(&SayLine(), Qt::Key_Down);
    QTest::keyClick(&SayLine(), Qt::Key_Down);
    EXPECT_EQ(SayLine().text(), "draft");
}

TEST_F(ComfortsFrameTest, links_are_formats_on_plain_text_and_open_on_a_click)
{
    Frame().ShowText("bob", "look <b>http://example.com/a</b>, now");
    Frame().ShowText("bob", Ctcp + QString("ACTION likes www.example.org.") + Ctcp);
    EXPECT_EQ(Lines(), QStringList({"<bob> look <b>http://example.com/a</b>, now", "bob likes www.example.org."}))
        << "markup from the network stays text";
    EXPECT_EQ(FormatAt(0, 14).anchorHref(), "http://example.com/a");
    EXPECT_FALSE(FormatAt(0, 8).isAnchor());
    EXPECT_EQ(FormatAt(1, 12).anchorHref(), "http://www.example.org");
    EXPECT_FALSE(FormatAt(1, 25).isAnchor()) << "the full stop is not part of the address";

    const QRect at = Conversation().cursorRect([&] {
        QTextCursor cursor(Conversation().document()->findBlockByNumber(1));
        cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 13);
        return cursor;
    }()).adjusted(2, 0, 2, 0);
    ASSERT_EQ(Conversation().anchorAt(at.center()), "http://www.example.org");
    QTest::mouseClick(Conversation().viewport(), Qt::LeftButton, {}, at.center());
    EXPECT_EQ(Opened, QStringList{"http://www.example.org"});
}

TEST_F(ComfortsFrameTest, a_mention_is_highlighted_and_notified_only_when_the_user_looks_elsewhere)
{
    Frame().ShowText("bob", "hi ALICE, look");
    EXPECT_TRUE(FormatAt(0, 3).fontWeight() > QFont::Normal);
    EXPECT_TRUE(FormatAt(0, 3).background().style() != Qt::NoBrush);
    EXPECT_TRUE(Notifier.Shown.isEmpty()) << "the user is looking at this window";
    EXPECT_EQ(WindowMarkOf(Window), TWindowMark::None);

    Frame().ShowText("alice", "alice here");
    Frame().ShowText("bob", "malice everywhere");
    EXPECT_EQ(FormatAt(2, 3).background().style(), Qt::NoBrush) << "no word of its own";

    WindowActive = false;
    Frame().ShowText("bob", "just chatting");
    EXPECT_EQ(WindowMarkOf(Window), TWindowMark::Unread);
    EXPECT_TRUE(Notifier.Shown.isEmpty()) << "ordinary room text only marks the window";
    Frame().ShowText("carol", Ctcp + QString("ACTION pokes alice") + Ctcp);
    EXPECT_EQ(WindowMarkOf(Window), TWindowMark::Mention);
    EXPECT_EQ(Notifier.Shown, QStringList{"carol in #lobby | pokes alice"});
    EXPECT_EQ(Sounds.Played, QStringList{"/art/MessageFrom.wav"});
    Frame().ShowText("bob", "more");
    EXPECT_EQ(WindowMarkOf(Window), TWindowMark::Mention) << "a mention stays marked";

    WindowActive = true;
    ApplicationActive = false;
    Frame().ShowText("bob", "alice?");
    EXPECT_EQ(Notifier.Shown.size(), 2) << "Chattle itself is in the background";
    ClearWindowMark(Window);
    EXPECT_EQ(WindowMarkOf(Window), TWindowMark::None);
}

class PrivateComfortsTest : public ComfortsFrameTest {
protected:
    PrivateComfortsTest() : ComfortsFrameTest(QStringLiteral("Bob")) {}
};

TEST_F(PrivateComfortsTest, tab_completes_the_party_and_any_private_text_elsewhere_is_notified)
{
    SayLine().setText("see you b");
    QTest::keyClick(&SayLine(), Qt::Key_Tab);
    EXPECT_EQ(SayLine().text(), "see you Bob ");

    Frame().ShowText("Bob", "are you there?");
    EXPECT_TRUE(Notifier.Shown.isEmpty());
    WindowActive = false;
    Frame().ShowText("Bob", "hello?");
    EXPECT_EQ(Notifier.Shown, QStringList{"Bob | hello?"});
    EXPECT_EQ(WindowMarkOf(Window), TWindowMark::Unread);
    EXPECT_EQ(Sounds.Played.size(), 1);
}

TEST_F(ComfortsFrameTest, timestamps_follow_the_option_and_logs_take_every_line)
{
    QTemporaryDir logs;
    TChatLogWriter writer;
    Frame().ShowText("bob", "plain");
    Shared.Timestamps = true;
    Shared.KeepLogs = true;
    Shared.LogWriter = &writer;
    Shared.LogsDir = logs.path();
    Shared.Network = "srv";
    Frame().ShowText("bob", "stamped");
    Frame().ShowText("", Ctcp + QString("ACTION ignored by nobody") + Ctcp + "and text");
    EXPECT_EQ(Lines().first(), "<bob> plain");
    const QRegularExpression stamped("^\\[\\d\\d:\\d\\d\\] ");
    EXPECT_TRUE(Lines().at(1).contains(stamped)) << Lines().at(1).toStdString();
    EXPECT_EQ(Lines().at(1).mid(8), "<bob> stamped");
    EXPECT_EQ(Lines().size(), 4);

    writer.Flush();
    QFile file(ChatLogPath(logs.path(), "srv", "#lobby", QDate::currentDate()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList logged = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(logged.size(), 3);
    EXPECT_TRUE(logged.at(0).endsWith("] <bob> stamped"));
    EXPECT_TRUE(logged.at(2).endsWith("] and text"));
}

TEST_F(ComfortsFrameTest, window_commands_send_their_lines_and_the_rest_goes_raw)
{
    struct TCase {
        QString Typed;
        QStringList Sent;
        QString Left; // what stays in the input line
    };
    const TCase cases[] = {
        {"/msg bob hi there", {"bob :hi there"}, ""},
        {"/MSG bob", {}, "/MSG bob"},
        {"/query carol", {"[open carol]"}, ""},
        {"/query carol hello", {"[open carol]", "carol :hello"}, ""},
        {"/topic", {"TOPIC #lobby"}, ""},
        {"/topic new: topic", {"TOPIC #lobby :new: topic"}, ""},
        {"/notice #lobby hear ye", {"NOTICE #lobby :hear ye"}, ""},
        {"/nick alicia", {"nick alicia"}, ""},
        {"/whois bob", {"whois bob"}, ""},
        {"/mode #lobby +m", {"mode #lobby +m"}, ""},
    };
    for (const TCase &c : cases) {
        Sent.clear();
        Say(c.Typed);
        EXPECT_EQ(Sent, c.Sent) << c.Typed.toStdString();
        EXPECT_EQ(SayLine().text(), c.Left) << c.Typed.toStdString();
    }
    SayLine().clear();
    Say("/clear");
    EXPECT_TRUE(Lines().isEmpty());
    Say("/help");
    EXPECT_TRUE(Lines().join('\n').contains("/query nick [text]"));
}
} // namespace
