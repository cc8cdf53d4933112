// Draws the main window (console, a room, the banner), the about box, the six room cursors and the
// main window counting down to a reconnect off screen and saves them as PNG files for people to look at: app_screenshots <output folder>.
#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>

#include "AboutBox.h"
#include "AvatarProtocol.h"
#include "ChattleCursors.h"
#include "MainWindowTestSupport.h"
#include "MxIRCConnection.h"
#include "PersonaInst.h"
#include "Reconnector.h"
#include "frameChatFrame.h"
#include "frmChat.h"
#include "frmChattle.h"

namespace {
void Save(QWidget *widget, const QString &path)
{
    QApplication::processEvents();
    widget->grab().save(path);
}

// The six cursors side by side at twice their size, on a light and a dark strip.
QImage CursorSheet()
{
    constexpr int Cell = 72;
    QImage sheet(6 * Cell, 2 * Cell, QImage::Format_RGB32);
    sheet.fill(QColor(0xf0, 0xea, 0xd8));
    QPainter painter(&sheet);
    painter.fillRect(0, Cell, sheet.width(), Cell, QColor(0x40, 0x50, 0x60));
    for (int number = 1; number <= 6; ++number) {
        const QCursor cursor = DrawChattleCursor(number);
        const QPixmap picture = cursor.pixmap().scaled(64, 64);
        for (int row = 0; row < 2; ++row) {
            const QPoint at((number - 1) * Cell + 4, row * Cell + 4);
            painter.drawPixmap(at, picture);
            painter.fillRect(QRect(at + cursor.hotSpot() * 2, QSize(2, 2)), Qt::red);
        }
    }
    return sheet;
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
    window.resize(1120, 600);
    rig.Activate();
    rig.ConnectAsAlice();
    rig.Character->Name = "alice";
    rig.Feed(":irc.example 001 alice :Welcome to the Internet Relay Network alice");
    rig.Feed(":irc.example 251 alice :There are 4 users and 0 services on 1 servers");
    rig.Feed(":irc.example 376 alice :End of MOTD command");
    rig.Window->Connection()->JoinRoom("#lobby", "^[beach.jpg]^");
    rig.Feed(":alice!a@h JOIN :#lobby");
    rig.Feed(":alice!a@h JOIN :#lobby.av");
    rig.Feed(":irc.example 353 alice = #lobby :alice @bob carol");
    rig.Feed(":irc.example 353 alice = #lobby.av :alice bob");
    const QString bob = "BBACBA" "AAAAA" "E8B088" "2A1A10" "2A1A10" "2E7D32" "37474F" "9966CC" "3E2723" "0000D0" "FF0030";
    rig.Feed(":bob!b@h PRIVMSG alice :" + PresentText(CharacterBlock(bob, 300, 250, "SW"), "#lobby"));
    rig.Feed(":bob!b@h PRIVMSG #lobby :hello alice, welcome to the beach!");
    TfrmChat *room = window.Connection()->FindRoom("#lobby");
    for (int tick = 0; tick < 3; ++tick) {
        room->frameChatFrame->timeTimerTimer();
        QApplication::processEvents();
    }
    window.Console()->parentWidget()->move(636, 10);
    room->move(10, 10);
    window.Area()->setActiveSubWindow(room);
    Save(&window, out + "/main-window.png");

    TAboutBox about(&window);
    about.show();
    Save(&about, out + "/about.png");

    CursorSheet().save(out + "/cursors.png");

    // The server goes away: the rooms close and the status bar counts down to the reconnect.
    about.close();
    rig.Socket->PeerCloses();
    for (int second = 0; second < 3; ++second)
        window.Reconnector()->Tick();
    Save(&window, out + "/reconnecting.png");
    return 0;
}
