// Draws a busy room, its member lists after mode changes, a private chat and the request dialog off
// screen and saves them as PNG files for people to look at: rooms_screenshots <output folder>.
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QMdiArea>
#include <QTimer>

#include "AvatarProtocol.h"
#include "FakeSocket.h"
#include "IRCClient.h"
#include "MdiWindowHost.h"
#include "MxIRCConnection.h"
#include "PersonaInst.h"
#include "PersonaSpace.h"
#include "RoomsTestSupport.h"
#include "frameChatFrame.h"
#include "frmChat.h"
#include "frmRequest.h"

namespace {
const QString Bold(QChar(0x02));
const QString Colour(QChar(0x03));
const QString Ctcp(QChar(0x01));

// Part letters (body, face, facial hair, hair, accessory, hat) and the nine colours.
QString Appearance(const QString &parts, const QString &colours) { return parts + "AAAAA" + colours; }

const QString Bob = Appearance("BBACBA", "E8B088" "2A1A10" "2A1A10" "2E7D32" "37474F" "9966CC" "3E2723" "0000D0" "FF0030");
const QString Carol = Appearance("CCADCB", "F0C8A0" "C62828" "660000" "FFB300" "5C6BC0" "AD1457" "212121" "0000D0" "FF0030");
const QString Alice = Appearance("ADAEAA", "FFCC99" "F9A825" "660000" "1E88E5" "424242" "9966CC" "6D4C41" "0000D0" "FF0030");

class TScene {
public:
    TScene()
    {
        Client().LineTimer()->stop();
        Own = NewCharacter("alice", Alice);
        Connection.Host = &Host;
        Connection.PersonaLib = &TestLibrary();
        Connection.ArtworkDir = TestArtworkDir();
        Connection.SelectedCharacter = Own.get();
        Connection.Connect("alice", "", "irc.example", 6667);
        Socket->AcceptConnection();
        Area.resize(700, 480);
        Area.show();
    }
    TIRCClient &Client() { return *Connection.IRCClient(); }
    void Feed(const QString &line)
    {
        Socket->Receive(line.toUtf8() + "\r\n");
        while (!Client().LineQueue().isEmpty())
            Client().ProcessNextLine();
    }
    TfrmChat *Window(const QString &name) { return Connection.FindRoom(name); }
    void Settle(const QString &name, int ticks)
    {
        for (int i = 0; i < ticks; ++i) {
            Window(name)->frameChatFrame->timeTimerTimer();
            QApplication::processEvents();
        }
    }
    static void Save(QWidget *widget, const QString &path)
    {
        QApplication::processEvents();
        widget->grab().save(path);
    }

    QMdiArea Area;
    TMdiWindowHost Host{&Area};
    std::unique_ptr<TPersonaInst> Own;
    TFakeSocket *Socket = new TFakeSocket;
    TMxIRCConnection Connection{nullptr, Socket};
};
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);

    TScene scene;
    scene.Connection.JoinRoom("#lobby", "Visit us  ^[beach.jpg]^");
    scene.Feed(":alice!a@h JOIN :#lobby");
    scene.Feed(":alice!a@h JOIN :#lobby.av");
    scene.Feed(":irc.example 353 alice = #lobby :alice @bob +carol dave");
    scene.Feed(":irc.example 366 alice #lobby :End of NAMES list");
    scene.Feed(":irc.example 353 alice = #lobby.av :alice @bob carol");
    scene.Feed(":irc.example 366 alice #lobby.av :End of NAMES list");
    scene.Feed(":bob!b@h PRIVMSG alice :" + PresentText(CharacterBlock(Bob, 250, 236, "SW"), "#lobby"));
    scene.Feed(":carol!c@h PRIVMSG alice :" + PresentText(CharacterBlock(Carol, 400, 262, "W "), "#lobby"));
    scene.Feed(QStringLiteral(":bob!b@h PRIVMSG #lobby :hi everybody, ") + Bold + "welcome" + Bold + " to the beach!");
    scene.Feed(QStringLiteral(":carol!c@h PRIVMSG #lobby :") + Colour + "4red" + Colour + " " + Colour + "2blue " + Colour +
               "3green " + Colour + "7orange " + Colour + "6purple");
    scene.Feed(QStringLiteral(":dave!d@h PRIVMSG #lobby :") + Ctcp + "ACTION waves from the shade" + Ctcp);
    scene.Feed(":erin!e@h JOIN :#lobby");
    scene.Feed(":alice!a@h PRIVMSG #lobby :nice to see you all " + QString(QChar(0x1F)) + "again" + QChar(0x1F));
    TfrmChat *room = scene.Window("#lobby");
    room->frameChatFrame->Space()->ShowAllNames = true;
    room->frameChatFrame->lstUsers->setCurrentRow(1);
    room->OwnCharacter()->SetPosition(110, 250);
    scene.Settle("#lobby", 3);
    scene.Save(room, out + "/room.png");

    // Operators and voices follow the modes the channel's operators give and take.
    scene.Feed(":op!o@h MODE #lobby -o+vo bob bob :dave");
    scene.Feed(":op!o@h MODE #lobby.av +v carol");
    scene.Save(room->frameChatFrame->Panel1, out + "/member-marks.png");

    scene.Feed(":bob!b@h PRIVMSG alice :are you free later?");
    TfrmChat *chat = scene.Window("bob");
    scene.Feed(":bob!b@h PRIVMSG alice :" + PrivateAcknowledgementText(CharacterBlock(Bob, 260, 236, "SW")));
    scene.Connection.SendMessage("bob", "sure, after the quiz");
    scene.Area.setActiveSubWindow(chat);
    chat->frameChatFrame->Space()->ShowAllNames = true;
    scene.Settle("bob", 3);
    scene.Save(chat, out + "/private.png");

    scene.Feed(":bob!b@h PRIVMSG alice :AV_REQUESTHIGH5----alice #lobby");
    TfrmRequest *dialog = room->frameChatFrame->RequestDialogOf("bob");
    scene.Save(dialog, out + "/request.png");
    return 0;
}
