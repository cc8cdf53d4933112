// A plain user on a raw socket sends what other clients send (reset, italic, background colours, a
// notice, topics) to a room on a real IRC server (ngIRCd unless CHATTLE_IRC_SERVER names another); the
// Chattle room window that shows it is saved as a PNG for people to look at:
// other_clients_screenshot <output folder>. Exits non-zero if a line never came.
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QTcpSocket>
#include <QTest>
#include <QTextEdit>
#include <cstdio>

#include "IRCClient.h"
#include "MdiWindowHost.h"
#include "MxIRCConnection.h"
#include "TestIrcServer.h"
#include "PersonaInst.h"
#include "RoomsTestSupport.h"
#include "frameChatFrame.h"
#include "frameText.h"
#include "frmChat.h"

namespace {
constexpr int WaitMs = 15000;

bool Wait(const std::function<bool()> &condition, const char *what)
{
    if (QTest::qWaitFor(condition, WaitMs))
        return true;
    std::fprintf(stderr, "never came: %s\n", what);
    return false;
}

// Someone with another client, typing raw IRC lines.
class TRawUser {
public:
    explicit TRawUser(quint16 port)
    {
        QObject::connect(&Socket, &QTcpSocket::readyRead, [this] { Received += Socket.readAll(); });
        Socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    }
    void Send(const QString &line) { Socket.write(line.toUtf8() + "\r\n"); }
    bool Saw(const char *text) const { return Received.contains(text); }

    QTcpSocket Socket;
    QByteArray Received;
};
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);

    const std::unique_ptr<TTestIrcServer> server = TTestIrcServer::FromEnvironment();
    if (!server->Start()) {
        std::fprintf(stderr, "%s\n", qPrintable(server->Error()));
        return 1;
    }

    // pat is in first, so pat holds the room's topic.
    TRawUser pat(server->Port());
    pat.Send(QStringLiteral("NICK pat"));
    pat.Send(QStringLiteral("USER pat 0 * :Pat"));
    if (!Wait([&] { return pat.Saw(" 376 ") || pat.Saw(" 422 "); }, "pat registered"))
        return 1;
    pat.Send(QStringLiteral("JOIN #lobby"));
    pat.Send(QStringLiteral("TOPIC #lobby :Welcome to the \x02lobby\x02, \x03" "00,03be nice\x0F :)"));
    if (!Wait([&] { return pat.Saw("TOPIC #lobby"); }, "pat's first topic"))
        return 1;

    QMdiArea area;
    area.resize(660, 450);
    area.show();
    TMdiWindowHost host(&area);
    const std::unique_ptr<TPersonaInst> selected = NewCharacter(QStringLiteral("alice"));
    TMxIRCConnection alice(nullptr, nullptr);
    alice.Host = &host;
    alice.PersonaLib = &TestLibrary();
    alice.ArtworkDir = TestArtworkDir();
    alice.SelectedCharacter = selected.get();
    bool registered = false;
    TIRCClient &client = *alice.IRCClient();
    const TEndMOTDEvent endMotd = client.OnEndMOTD;
    client.OnEndMOTD = [&] {
        endMotd();
        registered = true;
    };
    alice.Connect(QStringLiteral("alice"), QString(), QStringLiteral("127.0.0.1"), server->Port());
    if (!Wait([&] { return registered; }, "alice registered"))
        return 1;
    alice.JoinRoom(QStringLiteral("#lobby"), QString());
    auto conversation = [&] {
        TfrmChat *room = alice.FindRoom(QStringLiteral("#lobby"));
        return room ? room->frameChatFrame->frameChatText->txtConversation->toPlainText() : QString();
    };
    if (!Wait([&] { return conversation().contains("The topic is: Welcome to the lobby"); }, "the topic on joining"))
        return 1;

    pat.Send(QStringLiteral("PRIVMSG #lobby :\x02\x1D" "bold italic\x0F, then plain after a reset"));
    pat.Send(QStringLiteral("PRIVMSG #lobby :\x03" "00,04 white on red \x03 \x03" "01,08 black on yellow \x03 \x03"
                            "09,12 green on blue \x0F plain"));
    pat.Send(QStringLiteral("PRIVMSG #lobby :\x16reversed\x16, \x04" "1E90FF" "hex blue\x04, \x03" "52extended red\x03, "
                            "\x1Estruck\x1E, \x11mono\x11, no \x07" "bell"));
    pat.Send(QStringLiteral("NOTICE #lobby :the quiz starts in \x02" "five\x02 minutes"));
    pat.Send(QStringLiteral("TOPIC #lobby :Quiz night \x03" "04tonight\x0F!"));
    if (!Wait([&] { return conversation().contains("*** pat changes the topic to: Quiz night tonight!"); }, "the new topic"))
        return 1;

    TfrmChat *room = alice.FindRoom(QStringLiteral("#lobby"));
    for (int i = 0; i < 3; ++i) {
        room->frameChatFrame->timeTimerTimer();
        QApplication::processEvents();
    }
    room->grab().save(out + "/other-clients.png");
    std::printf("%s\n", qPrintable(conversation()));
    alice.Disconnect();
    return 0;
}
