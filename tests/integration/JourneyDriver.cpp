// One Chattle for the journey test: the application put together exactly as the program does, then
// driven through its widgets by commands read from standard input, one a line. Each command answers
// with one line on standard output ("DONE <command>" or "FAIL <command>: <why>"); every message box
// is answered with its first button and reported as "BOX <text>". At the start, once the splash's
// "&Ok" is enabled, it says "READY".
// The journey test points the "Chattle Server" preset and the service client at the servers it
// started: CHATTLE_JOURNEY_IRC_PORT and CHATTLE_JOURNEY_SERVICE_PORT, read here only.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QRadioButton>
#include <QSocketNotifier>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <cstdio>
#include <deque>
#include <unistd.h>
#include <functional>

#include "ChannelListModel.h"
#include "ChattleApplication.h"
#include "Dialogs.h"
#include "MxIRCConnection.h"
#include "PaintBox.h"
#include "PersonaInst.h"
#include "PersonaProfiles.h"
#include "PersonaSpace.h"
#include "frameChatFrame.h"
#include "frameText.h"
#include "frmChannels.h"
#include "frmChat.h"
#include "frmChattle.h"
#include "frmEditor.h"
#include "frmLogin.h"
#include "frmNewChannel.h"
#include "frmRequest.h"
#include "frmSplash.h"

namespace {
constexpr int TickMilliseconds = 50;
constexpr int StepMilliseconds = 20000;
// The width of a cell in the editor's part strip.
constexpr int BodyCellWidth = 74;

void Say(const QString &line)
{
    std::fputs(qPrintable(line + '\n'), stdout);
    std::fflush(stdout);
}

// Clicks from a fresh turn of the event loop, so a click that opens a modal dialog does not hold up
// the steps that work the dialog.
void ClickLater(QAbstractButton *button)
{
    QTimer::singleShot(0, button, [button] { QTest::mouseClick(button, Qt::LeftButton); });
}

void TypeInto(QLineEdit *edit, const QString &text)
{
    edit->clear();
    QTest::keyClicks(edit, text);
}

// The control of that name in the window; the driver works windows only through their controls.
template <typename T = QAbstractButton> T *Control(QWidget *window, const char *name)
{
    return window ? window->findChild<T *>(QLatin1String(name)) : nullptr;
}

template <typename T> T *Modal() { return qobject_cast<T *>(QApplication::activeModalWidget()); }

// A step is tried every tick until it says it is done; a command is a queue of steps.
struct TStep {
    QString What;
    std::function<bool()> Try;
};

class TJourneyDriver : public QObject {
public:
    TJourneyDriver(TfrmChattle &window, TfrmLogin &login) : FWindow(window), FLogin(login)
    {
        connect(&FInput, &QSocketNotifier::activated, this, [this] { ReadCommands(); });
        connect(&FTick, &QTimer::timeout, this, [this] { RunSteps(); });
        FTick.start(TickMilliseconds);
        Command(QStringLiteral("start"), {{"the splash's Ok enabled", [this] {
                                              return FWindow.Splash && FWindow.Splash->isVisible() &&
                                                     Control(FWindow.Splash, "btnOk")->isEnabled();
                                          }}},
                QStringLiteral("READY"));
    }

private:
    void ReadCommands()
    {
        char buffer[4096];
        const auto got = ::read(0, buffer, sizeof buffer);
        if (got <= 0) {
            FInput.setEnabled(false);
            return;
        }
        FPending += QByteArray(buffer, int(got));
        for (qsizetype end; (end = FPending.indexOf('\n')) >= 0; FPending.remove(0, end + 1))
            Parse(QString::fromUtf8(FPending.left(end)).split(' ', Qt::SkipEmptyParts));
    }

    void Parse(const QStringList &words)
    {
        if (words.isEmpty())
            return;
        const QString name = words.first();
        const QString a = words.value(1), b = words.value(2);
        if (name == "create") // create <nick> <e-mail> <body cell> [picture of the filled editor]
            Command(words.join(' '), CreateSteps(a, b, words.value(3).toInt(), words.value(4)));
        else if (name == "choose") // choose <nick>: the character picked in the nickname box
            Command(words.join(' '), {ChooseStep(a)});
        else if (name == "login") // login <nick>: the "Chattle Server" preset, then the channel browser
            Command(words.join(' '), LoginSteps(a));
        else if (name == "newroom") // newroom <#name>: from the channel browser, with the beach
            Command(words.join(' '), NewRoomSteps(a));
        else if (name == "listed") // listed <#name>: the channel browser lists the room
            Command(words.join(' '), {{"the room listed", [=, this] { return ListedAt(a) >= 0; }}});
        else if (name == "join") // join <#name>: chosen in the channel browser
            Command(words.join(' '), JoinSteps(a));
        else if (name == "sees") // sees <#room> <nick>: the character stands in the room
            Command(words.join(' '), {{"the character", [=, this] { return Character(a, b); }}});
        else if (name == "say") // say <#room> <text...>
            Command(words.join(' '), SaySteps(a, words.mid(2).join(' ')));
        else if (name == "heard") // heard <#room> <line...>
            Command(words.join(' '), {{"the line", [=, this] { return Heard(a, words.mid(2).join(' ')); }}});
        else if (name == "walk") // walk <#room> <x> <y>: a click on the room
            Command(words.join(' '), WalkSteps(a, b.toInt(), words.value(3).toInt()));
        else if (name == "walks") // walks <#room> <nick> <x> <y>: the character goes there
            Command(words.join(' '), {{"the walk", [=, this] {
                                           TPersonaInst *who = Character(a, b);
                                           return who && who->TargetX == words.value(3).toInt() &&
                                                  who->TargetY == words.value(4).toInt();
                                       }}});
        else if (name == "handshake") // handshake <#room> <nick>: asks with "Do It!" and a click
            Command(words.join(' '), HandshakeSteps(a, b));
        else if (name == "accept") // accept <#room> <nick>: yes to the request of nick
            Command(words.join(' '), AcceptSteps(a, b));
        else if (name == "shakes") // shakes <#room>: the own character is in a handshake
            Command(words.join(' '), {{"the handshake", [=, this] {
                                           return Frame(a) && Frame(a)->OwnCharacter() &&
                                                  Frame(a)->OwnCharacter()->Interacting;
                                       }}});
        else if (name == "logout") // Login/out while connected: leaves the server, the login window returns
            Command(words.join(' '), {{"the login window", [this] {
                                           if (FWindow.Connection()->IsConnected())
                                               ClickLater(Control(&FWindow, "btnConnectDisco"));
                                           return FLogin.isVisible() && !FWindow.Connection()->IsConnected();
                                       }}});
        else if (name == "shot") // shot <file> <window objectName>: a picture of the window
            Command(words.join(' '), {{"the window", [=, this] { return Shoot(a, b); }}});
        else
            Say("FAIL " + words.join(' ') + ": unknown command");
    }

    void Command(const QString &name, std::deque<TStep> steps, const QString &done = {})
    {
        steps.push_back({{}, [=] { Say(done.isEmpty() ? "DONE " + name : done); return true; }});
        for (TStep &step : steps)
            FSteps.push_back({name + ": " + step.What, std::move(step.Try)});
    }

    void RunSteps()
    {
        if (FSteps.empty() || FBusy)
            return;
        if (!FStepClock.isValid())
            FStepClock.start();
        FBusy = true; // a step's widget call may turn the event loop; no step runs inside another
        const bool done = FSteps.front().Try();
        FBusy = false;
        if (done) {
            FSteps.pop_front();
            FOpenerClicks = 0;
            FStepClock.invalidate();
        } else if (FStepClock.hasExpired(StepMilliseconds)) {
            Say("FAIL " + FSteps.front().What + " did not come");
            FSteps.clear();
            FStepClock.invalidate();
        }
    }

    std::deque<TStep> CreateSteps(const QString &nick, const QString &email, int body, const QString &picture)
    {
        return {
            {"the login window", [this] {
                 if (FWindow.Splash && FWindow.Splash->isVisible() && Control(FWindow.Splash, "btnOk")->isEnabled())
                     QTest::mouseClick(Control(FWindow.Splash, "btnOk"), Qt::LeftButton);
                 return FLogin.isVisible();
             }},
            {"the editor", [this] { return Opened<TfrmEditor>(Control(&FLogin, "btnNew")); }},
            {"the character saved", [=, this] {
                 if (TfrmEditor *editor = Modal<TfrmEditor>(); editor && !std::exchange(FClicked, true)) {
                     const QPoint cell(body * BodyCellWidth + BodyCellWidth / 2, BodyCellWidth / 2);
                     QTest::mouseClick(Control<QWidget>(editor, "celList")->findChild<TMxPaintBox *>(), Qt::LeftButton, {},
                                       cell);
                     TypeInto(Control<QLineEdit>(editor, "txtNickName"), nick);
                     TypeInto(Control<QLineEdit>(editor, "txtEmail"), email);
                     if (!picture.isEmpty())
                         Shoot(picture, editor->objectName());
                     ClickLater(Control(editor, "btnCreate"));
                 }
                 return !Modal<TfrmEditor>() && Control<QComboBox>(&FLogin, "cboLogins")->findText(nick) >= 0;
             }},
        };
    }

    TStep ChooseStep(const QString &nick)
    {
        return {"the character chosen", [=, this] {
                    auto *nicknames = Control<QComboBox>(&FLogin, "cboLogins");
                    nicknames->setCurrentIndex(nicknames->findText(nick));
                    return FLogin.proLogin->Selected() && FLogin.proLogin->Selected()->Name == nick;
                }};
    }

    std::deque<TStep> LoginSteps(const QString &nick)
    {
        return {
            ChooseStep(nick),
            {"the connection", [this] {
                 QTest::mouseClick(Control(&FLogin, "btnChattle"), Qt::LeftButton);
                 return true;
             }},
            {"the channel browser", [this] { return !FLogin.isVisible() && Browser(); }},
        };
    }

    std::deque<TStep> NewRoomSteps(const QString &room)
    {
        return {
            {"the new-channel dialog", [this] { return Browser() && Opened<TfrmNewChannel>(Control(Browser(), "btnNewChannel")); }},
            {"the room", [=, this] {
                 if (TfrmNewChannel *dialog = Modal<TfrmNewChannel>(); dialog && !std::exchange(FClicked, true)) {
                     TypeInto(Control<QLineEdit>(dialog, "txtChannel"), room);
                     for (QRadioButton *choice : Control<QGroupBox>(dialog, "radBG")->findChildren<QRadioButton *>())
                         if (choice->text() == "Beach")
                             QTest::mouseClick(choice, Qt::LeftButton);
                     ClickLater(Control(dialog, "btnOk"));
                 }
                 return InRoom(room);
             }},
        };
    }

    // The row of the room in the channel browser, or -1.
    int ListedAt(const QString &room) const
    {
        auto *list = Control<QListView>(Browser(), "lstChannels");
        auto *model = list ? qobject_cast<TChannelListModel *>(list->model()) : nullptr;
        for (int row = 0; model && row < model->rowCount(); ++row)
            if (model->Entry(row).ChannelName.compare(room, Qt::CaseInsensitive) == 0)
                return row;
        return -1;
    }

    std::deque<TStep> JoinSteps(const QString &room)
    {
        return {
            {"the room listed", [=, this] {
                 const int row = ListedAt(room);
                 if (row < 0)
                     return false;
                 auto *list = Control<QListView>(Browser(), "lstChannels");
                 QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(row, 0)).center());
                 QTest::mouseClick(Control(Browser(), "btnGo"), Qt::LeftButton);
                 return true;
             }},
            {"the room", [=, this] { return InRoom(room); }},
        };
    }

    std::deque<TStep> SaySteps(const QString &room, const QString &text)
    {
        return {{"the room", [=, this] {
                     if (!Frame(room))
                         return false;
                     QLineEdit *say = Frame(room)->frameChatText->txtSay;
                     TypeInto(say, text);
                     QTest::keyClick(say, Qt::Key_Return);
                     return true;
                 }}};
    }

    std::deque<TStep> WalkSteps(const QString &room, int x, int y)
    {
        return {{"the room", [=, this] {
                     if (!Frame(room))
                         return false;
                     ClickRoom(room, QPoint(x, y));
                     return true;
                 }}};
    }

    std::deque<TStep> HandshakeSteps(const QString &room, const QString &nick)
    {
        return {{"the partner", [=, this] {
                     TPersonaInst *partner = Character(room, nick);
                     if (!partner || Frame(room)->OwnCharacter()->Walking)
                         return false;
                     Control<QComboBox>(Frame(room), "cboInteraction")->setCurrentText(QStringLiteral("Handshake"));
                     QTest::mouseClick(Control(Frame(room), "btnPerform"), Qt::LeftButton);
                     ClickRoom(room, QPoint(partner->X + 32, partner->Y + 40));
                     return true;
                 }}};
    }

    std::deque<TStep> AcceptSteps(const QString &room, const QString &nick)
    {
        return {{"the request", [=, this] {
                     TfrmRequest *request = Frame(room) ? Frame(room)->RequestDialogOf(nick) : nullptr;
                     if (!request || !request->isVisible())
                         return false;
                     QTest::mouseClick(request->findChild<QAbstractButton *>("BitBtn1"), Qt::LeftButton);
                     return true;
                 }}};
    }

    // Clicks Opener (again each second, should a window have been replaced meanwhile) and is done
    // when the modal dialog T shows.
    template <typename T> bool Opened(QAbstractButton *opener)
    {
        if (Modal<T>()) {
            FClicked = false;
            return true;
        }
        if (opener && FStepClock.elapsed() / 1000 >= FOpenerClicks)
            ClickLater(opener), ++FOpenerClicks;
        return false;
    }

    // The room's paint box under the pointer, then a click there.
    void ClickRoom(const QString &room, QPoint at)
    {
        QWidget *surface = Frame(room)->Space()->PaintBox();
        QTest::mouseMove(surface, at);
        QTest::mouseClick(surface, Qt::LeftButton, {}, at);
    }

    bool Shoot(const QString &file, const QString &name)
    {
        const QString folder = qEnvironmentVariable("CHATTLE_JOURNEY_SHOTS");
        if (folder.isEmpty())
            return true;
        for (QWidget *window : QApplication::topLevelWidgets()) {
            QWidget *shown = window->objectName() == name ? window : window->findChild<QWidget *>(name);
            if (shown && shown->isVisible())
                return shown->grab().save(QDir(folder).filePath(file));
        }
        return false;
    }

    TfrmChannels *Browser() const
    {
        for (TfrmChannels *browser : FWindow.findChildren<TfrmChannels *>())
            if (browser->isVisible())
                return browser;
        return nullptr;
    }
    TframeChatFrame *Frame(const QString &room) const
    {
        TfrmChat *window = FWindow.Connection()->FindRoom(room);
        return window ? window->frameChatFrame : nullptr;
    }
    bool InRoom(const QString &room) const { return Frame(room) && Frame(room)->lstVisualUsers->count() > 0; }
    TPersonaInst *Character(const QString &room, const QString &nick) const
    {
        return Frame(room) ? Frame(room)->Space()->FindInstance(nick) : nullptr;
    }
    bool Heard(const QString &room, const QString &line) const
    {
        return Frame(room) && Frame(room)->frameChatText->txtConversation->toPlainText().split('\n').contains(line);
    }

    TfrmChattle &FWindow;
    TfrmLogin &FLogin;
    QSocketNotifier FInput{0, QSocketNotifier::Read};
    QByteArray FPending;
    QTimer FTick;
    std::deque<TStep> FSteps;
    QElapsedTimer FStepClock;
    bool FBusy = false;
    bool FClicked = false;
    qint64 FOpenerClicks = 0;
};
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    PrepareApplication();
    SetDialogResponder([](TDialogKind kind, const QString &text) {
        Say("BOX " + QString(text).replace('\n', ' '));
        return kind == TDialogKind::Confirmation ? TDialogButton::Yes : TDialogButton::Ok;
    });
    TfrmChattle window;
    TfrmLogin *login = ComposeWindows(window);
    login->SetChattleServer(QStringLiteral("127.0.0.1"), qEnvironmentVariableIntValue("CHATTLE_JOURNEY_IRC_PORT"));
    window.ServiceHost = QStringLiteral("127.0.0.1");
    window.ServicePort = quint16(qEnvironmentVariableIntValue("CHATTLE_JOURNEY_SERVICE_PORT"));
    TJourneyDriver driver(window, *login);
    window.showMaximized();
    return QApplication::exec();
}
