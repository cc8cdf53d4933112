// Draws a room with timestamps, links and a mention, and the main window whose window list marks the
// rooms with news, off screen into PNG files for people to look at: comforts_screenshots <folder>.
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

#include "AvatarProtocol.h"
#include "MainWindowTestSupport.h"
#include "MxIRCConnection.h"
#include "PersonaInst.h"
#include "frameChatFrame.h"
#include "frmChat.h"
#include "frmChattle.h"

namespace {
const QString Ctcp(QChar(0x01));

void Settle(TfrmChat *room)
{
    for (int tick = 0; tick < 3; ++tick) {
        room->frameChatFrame->timeTimerTimer();
        QApplication::processEvents();
    }
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString out = PrepareScreenshots(argc, argv);

    TMainWindowRig rig;
    TfrmChattle &window = *rig.Window;
    window.resize(1120, 640);
    rig.Activate();
    rig.ConnectAsAlice();
    rig.Character->Name = "alice";
    window.ShowTimestamps1->trigger();
    for (const QString room : {"#garden", "#lobby"}) {
        rig.Window->Connection()->JoinRoom(room, "^[beach.jpg]^");
        rig.Feed(":alice!a@h JOIN :" + room);
        rig.Feed(":alice!a@h JOIN :" + room + ".av");
    }
    rig.Feed(":irc.example 353 alice = #lobby :alice @bob carol dave");
    rig.Feed(":irc.example 353 alice = #lobby.av :alice bob");
    const QString bob = "BBACBA" "AAAAA" "E8B088" "2A1A10" "2A1A10" "2E7D32" "37474F" "9966CC" "3E2723" "0000D0" "FF0030";
    rig.Feed(":bob!b@h PRIVMSG alice :" + PresentText(CharacterBlock(bob, 300, 250, "SW"), "#lobby"));
    rig.Feed(":carol!c@h PRIVMSG #lobby :the photos are at https://example.com/beach/2026 (all of them)");
    rig.Feed(":bob!b@h PRIVMSG #lobby :Alice: did you see them?");
    rig.Feed(":dave!d@h PRIVMSG #lobby :" + Ctcp + "ACTION recommends www.example.org." + Ctcp);
    rig.Feed(":alice!a@h PRIVMSG #lobby :not yet, thanks bob");
    TfrmChat *lobby = window.Connection()->FindRoom("#lobby");
    TfrmChat *garden = window.Connection()->FindRoom("#garden");
    Settle(lobby);
    window.Area()->setActiveSubWindow(lobby);
    lobby->grab().save(out + "/comforts-room.png");

    // The user turns to the console; the lobby mentions her and the garden talks on.
    auto *console = qobject_cast<QMdiSubWindow *>(window.Console()->parentWidget());
    console->move(700, 10);
    garden->move(560, 230);
    lobby->move(10, 10);
    window.Area()->setActiveSubWindow(console);
    rig.Feed(":carol!c@h PRIVMSG #lobby :alice, are you coming?");
    rig.Feed(":dave!d@h PRIVMSG #garden :the roses are out");
    Settle(garden);
    garden->raise();
    QApplication::processEvents();

    auto *menu = window.findChild<QMenu *>("Window1");
    menu->popup(window.mapToGlobal(window.menuBar()->actionGeometry(menu->menuAction()).bottomLeft()));
    QApplication::processEvents();
    // The open menu is a window of its own: paint it over the main window where it stands.
    QPixmap shot = window.grab();
    QPainter painter(&shot);
    painter.drawPixmap(window.mapFromGlobal(menu->pos()), menu->grab());
    painter.end();
    shot.save(out + "/comforts-window-menu.png");
    menu->hide();
    return 0;
}
