// The main window on a fake network: settings, start-up, failure messages, the version check, the
// connect command, leaving, the banner and the stand-in login.
#include <gtest/gtest.h>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QToolButton>
#include <functional>

#include "Banner.h"
#include "ChattleError.h"
#include "ErrorHook.h"
#include "MainWindowTestSupport.h"
#include "MxAppServ.h"
#include "MxIRCConnection.h"
#include "frmChannels.h"
#include "frmChattle.h"
#include "frmSplash.h"
#include "printers.h"

namespace {
QSettings Registry() { return QSettings("Fernhill Software", "Pagewalker"); }

class MainWindowTest : public ::testing::Test {
protected:
    TMainWindowRig Rig;
    TfrmChattle &Window() { return *Rig.Window; }
    TMxIRCConnection &Connection() { return *Rig.Window->Connection(); }
};
} // namespace

TEST(MainWindowSettingsTest, the_first_run_writes_the_three_values_and_later_runs_only_read_them)
{
    TTemporarySettings settings;
    {
        TfrmChattle first;
        EXPECT_EQ(first.Settings().Version, "B1.4");
    }
    EXPECT_EQ(Registry().value("Version").toString(), "B1.4");
    EXPECT_FALSE(Registry().value("Interaction Flag").toBool());
    EXPECT_TRUE(Registry().contains("Private Chat Flag"));

    // A later run keeps what it finds, and writes no flag that is missing.
    Registry().setValue("Version", "B0.9");
    Registry().setValue("Interaction Flag", true);
    Registry().remove("Private Chat Flag");
    TfrmChattle later;
    EXPECT_EQ(later.Settings().Version, "B0.9");
    EXPECT_TRUE(later.Settings().InteractionFlag);
    EXPECT_FALSE(later.Settings().PrivateChatFlag);
    EXPECT_FALSE(Registry().contains("Private Chat Flag"));
}

TEST_F(MainWindowTest, the_first_activation_opens_the_console_loads_the_characters_and_starts_the_service_once)
{
    EXPECT_EQ(Window().windowTitle(), "Chattle!    Version 1.4 ");
    EXPECT_EQ(Window().SoundPaths().first(), Window().ArtworkDir() + "/BuddyOnLine.wav");
    TfrmSplash splash(&Rig.Login, &Window());
    Window().Splash = &splash;
    Window().show();
    EXPECT_EQ(Rig.Login.Calls, QStringList({"dirs", "load"})) << "the login waits for the splash";
    auto *ok = splash.findChild<QPushButton *>("btnOk");
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(splash.isVisible() && ok->isEnabled());
    ok->click();
    EXPECT_EQ(Rig.Login.Calls.last(), "show");
    ASSERT_NE(Window().Console(), nullptr);
    EXPECT_EQ(Window().Area()->subWindowList().size(), 1);
    EXPECT_EQ(Connection().ArtworkDir, Window().ArtworkDir());
    EXPECT_EQ(Rig.ServiceSocket->OpenCount, 1);
    Rig.ServiceSocket->AcceptConnection();
    EXPECT_EQ(Rig.ServiceSocket->TakeLines(), QStringList({"CLOGIN CHATTLE", "CREQUEST VERSION"}));

    Connection().OnConsoleLine(&Connection(), "hello");
    EXPECT_EQ(Window().Console()->memConsole->toPlainText(), "hello");

    Window().hide();
    Window().show();
    Window().FormActivate();
    EXPECT_EQ(Window().Area()->subWindowList().size(), 1);
    EXPECT_EQ(Rig.ServiceSocket->OpenCount, 1);
    EXPECT_EQ(Rig.Login.Calls.count("load"), 1);
}

TEST_F(MainWindowTest, each_failure_code_shows_its_message_and_then_shows_or_raises_the_login)
{
    struct Row {
        const char *Case;
        bool InRoom; // connected and in a room before the failure
        std::function<void(TMainWindowRig &)> Fail;
        QString Message;
        QString LoginCall;
    };
    const QList<Row> rows = {
        {"connect error (1000)", false,
         [](TMainWindowRig &rig) {
             rig.Window->Connection()->Connect("alice", "", "srv1", 6667);
             rig.Socket->Fail(eeConnect, 111);
         },
         "You are unable to connect to this server.  Please try again later, or try a different IRC server.", "front"},
        {"nick in use (1433)", true, [](TMainWindowRig &rig) { rig.Feed(":srv 433 * alice :Nickname already in use"); },
         "The nickname you have chosen is in use by someone else on this server.  Please change your nickname and try again.",
         "show"},
        {"banned (1465)", true, [](TMainWindowRig &rig) { rig.Feed(":srv 465 alice :You are banned"); },
         "You have been banned from this server.  Try connecting to a different one.", "show"},
        {"password refused at the SASL login (1904)", false,
         [](TMainWindowRig &rig) {
             rig.Window->Connection()->Connect("alice", "pw", "srv1", 6697, true);
             rig.Socket->AcceptConnection();
             rig.Login.Calls.clear(); // the window hid at the connect
             for (const char *line : {":srv CAP * LS :sasl", ":srv CAP alice ACK :sasl", "AUTHENTICATE +",
                                      ":srv 904 alice :SASL authentication failed"})
                 rig.Feed(line);
         },
         "The server refused the password for alice (SASL). Check the character's password, or clear it to log in "
         "without one.",
         "show"},
        {"certificate refused (1010)", false,
         [](TMainWindowRig &rig) {
             rig.Window->Connection()->Connect("alice", "", "srv1", 6697, true);
             rig.Socket->Fail(eeCertificate, 14);
         },
         "", "show"},
        {"lost (2001): reconnecting instead of the login", true, [](TMainWindowRig &rig) { rig.Socket->PeerCloses(); },
         "You have been disconnected.  Please check your connection, or try a different IRC server.", ""},
        {"other socket error (2000)", true, [](TMainWindowRig &rig) {
             TMxIRCConnection *connection = rig.Window->Connection();
             connection->OnError(connection, ConnectionFailure::SocketError);
         }, "", ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.Case);
        TMainWindowRig rig;
        rig.Activate();
        if (row.InRoom) {
            rig.ConnectAsAlice();
            rig.Feed(":alice!u@h JOIN :#lobby");
        }
        row.Fail(rig);
        EXPECT_EQ(rig.Boxes.ShownTexts(), row.Message.isEmpty() ? QStringList() : QStringList{row.Message});
        EXPECT_EQ(rig.Login.Calls, row.LoginCall.isEmpty() ? QStringList() : QStringList{row.LoginCall});
        if (row.InRoom) {
            EXPECT_EQ(rig.Window->Connection()->RoomNames().isEmpty(), row.Message.startsWith("You have been disconnected"))
                << "only a lost connection closes the rooms";
        }
    }
}

TEST_F(MainWindowTest, the_version_reply_announces_a_new_version_only_when_its_text_differs)
{
    const QString announcement =
        "A new version is available!  Please download the latest version of Chattle at http://www.chattle.example ";
    const struct {
        QString Line;
        bool Announces;
    } rows[] = {
        {"VERSION B1.4", false},
        {"VERSION B1.5", true},
        {"VERSIONxB1.4", false},          // the eighth character is not looked at
        {"version B1.5", false},          // other letter case: not a version reply
        {"VERSION B1.4 ", true},          // compared exactly
        {"HELLO B1.5", false},
        {"VERSION ", true},
        {"VERSION B1.4" + QString(200, 'x'), true},
        {"VERSION " + QString::fromLatin1("B1.4\xe9"), true},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.Line.toStdString());
        TScriptedDialogs boxes;
        Window().ServiceLineReceived(row.Line);
        EXPECT_EQ(boxes.ShownTexts(), row.Announces ? QStringList{announcement} : QStringList());
    }
    Registry().setValue("Version", "B1.5");
    TScriptedDialogs boxes;
    Window().ServiceLineReceived("VERSION B1.4");
    EXPECT_TRUE(boxes.ShownTexts().isEmpty()) << "the registry's version plays no part";

    // The service client's lines reach the check.
    Rig.Activate();
    Rig.ConnectService();
    Rig.ServiceSocket->Receive("VERSION B1.5\r\n");
    Window().AppServ()->TimerTick();
    EXPECT_EQ(boxes.ShownTexts(), QStringList{announcement});
}

TEST_F(MainWindowTest, channels_opens_the_browser_and_connect_disconnect_asks_before_leaving_a_server)
{
    Rig.Activate();
    Window().btnConnectDisco->click();
    EXPECT_TRUE(Rig.Boxes.ShownTexts().isEmpty()) << "not connected: no question";
    EXPECT_EQ(Rig.Login.Calls, QStringList({"show"}));

    Rig.ConnectAsAlice();
    Window().btnChannels->click();
    EXPECT_EQ(Rig.Socket->TakeLines(), QStringList({"LIST "}));
    auto *browser = Window().findChild<TfrmChannels *>();
    ASSERT_NE(browser, nullptr);
    EXPECT_TRUE(browser->isVisible());
    browser->close();

    Rig.Boxes.Answer(TDialogButton::No);
    Window().ConnectDisconnect1->trigger();
    EXPECT_EQ(Rig.Boxes.ShownTexts(), QStringList({"To connect to a different server, you must first disconnect from this "
                                                   "one.  Are you sure you'd like to disconnect?"}));
    EXPECT_TRUE(Connection().IsConnected());
    EXPECT_TRUE(Rig.Socket->TakeLines().isEmpty());
    EXPECT_TRUE(Rig.Login.Calls.isEmpty());

    Rig.Boxes.Answer(TDialogButton::Yes);
    Window().btnConnectDisco->click();
    EXPECT_EQ(Rig.Socket->TakeLines(), QStringList({"QUIT :Bye Bye"}));
    EXPECT_FALSE(Connection().IsConnected());
    EXPECT_EQ(Rig.Login.Calls, QStringList({"show"}));
    EXPECT_EQ(Rig.Boxes.ShownTexts().size(), 2) << "an own disconnect is no failure";
}

TEST_F(MainWindowTest, closing_while_connected_says_goodbye_and_closes_the_rooms_without_leaving_them)
{
    Rig.Activate();
    Rig.ConnectAsAlice();
    Rig.Feed(":alice!u@h JOIN :#lobby");
    Rig.Feed(":bob!u@h PRIVMSG alice :hi");
    ASSERT_EQ(Connection().RoomNames(), QStringList({"#lobby", "bob"}));
    Rig.Socket->TakeLines();
    bool closed = false;
    Window().OnClosed = [&closed] { closed = true; };

    Window().Exit1->trigger();
    EXPECT_EQ(Rig.Socket->TakeLines(), QStringList({"QUIT :Bye Bye"}));
    EXPECT_TRUE(Connection().RoomNames().isEmpty());
    EXPECT_TRUE(closed);
    EXPECT_TRUE(Rig.Boxes.ShownTexts().isEmpty());
}

TEST_F(MainWindowTest, socket_errors_escaping_a_handler_ask_to_check_the_connection_and_others_are_dropped)
{
    Rig.Activate();
    RunGuarded([] { throw EFileError("broken picture"); });
    EXPECT_TRUE(Rig.Boxes.ShownTexts().isEmpty());
    RunGuarded([] { throw ESocketError("Connection reset", 104); });
    EXPECT_EQ(Rig.Boxes.ShownTexts(), QStringList({"Please verify you are connected to the Internet."}));
    EXPECT_EQ(Rig.Login.Calls, QStringList({"front"}));
}

TEST_F(MainWindowTest, counted_banners_and_reports_reach_the_service_and_tell_a_friend_opens_the_wizard)
{
    Rig.Activate();
    Rig.ConnectService();
    TBanner &banner = *Window().Banner();
    ASSERT_EQ(banner.BannerCount(), 3) << "the generated house banners";
    EXPECT_EQ(banner.size(), QSize(468, 60));
    banner.CountTick();
    banner.CountTick();
    banner.RotateTick();
    EXPECT_EQ(banner.CurrentBanner(), 1);
    banner.CountTick();
    EXPECT_EQ(Rig.ServiceSocket->TakeLines(), QStringList(2, "CSENDINFO AUREATE_ADVERT 344")) << "once per display";

    Window().ReportEmailAddress("a@b.c");
    Window().ReportTellAFriend("Ann` `1`x@y.z`");
    EXPECT_EQ(Rig.ServiceSocket->TakeLines(),
              QStringList({"CSENDINFO EMAILADDRESS a@b.c", "CSENDINFO TELLAFRIEND Ann` `1`x@y.z`"}));

    Window().Button1->click();
    auto *wizard = Window().findChild<QWidget *>("frmEmailWizard");
    ASSERT_NE(wizard, nullptr);
    EXPECT_TRUE(wizard->isVisible() && !wizard->isModal());
    wizard->close();
}
