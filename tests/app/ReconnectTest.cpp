// Connecting again by itself after a lost connection: the waits, and what does or does not start it.
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

#include "MainWindowTestSupport.h"
#include "MxIRCConnection.h"
#include "ReconnectSchedule.h"
#include "Reconnector.h"
#include "frmChattle.h"
#include "frmConsole.h"
#include "printers.h"

TEST(ReconnectScheduleTest, waits_ten_seconds_then_doubles_up_to_ten_minutes_until_it_succeeds)
{
    TReconnectSchedule schedule;
    schedule.ConnectionLost();
    QList<int> waits;
    for (int attempt = 0; attempt < 8; ++attempt) {
        waits << schedule.Delay();
        for (int second = 1; second < schedule.Delay(); ++second)
            ASSERT_FALSE(schedule.Tick());
        ASSERT_TRUE(schedule.Tick()) << "due after " << waits.last() << " s";
        schedule.ConnectionLost(); // a loss reported during the attempt does not restart the count
        schedule.AttemptFailed();
    }
    EXPECT_EQ(waits, QList<int>({10, 20, 40, 80, 160, 320, 600, 600}));
    schedule.Succeeded();
    schedule.ConnectionLost();
    EXPECT_EQ(schedule.Delay(), 10) << "a success starts over";
}

TEST(ReconnectTest, only_a_lost_connection_reconnects_and_cancel_returns_to_the_login)
{
    const struct {
        const char *Case;
        std::function<void(TMainWindowRig &)> End;
        bool Reconnects;
        QStringList LoginCalls;
    } rows[] = {
        {"lost", [](TMainWindowRig &rig) { rig.Socket->PeerCloses(); }, true, {}},
        {"disconnected from the main window",
         [](TMainWindowRig &rig) {
             rig.Boxes.Answer(TDialogButton::Yes);
             rig.Window->btnConnectDiscoClick();
         },
         false, {"show"}},
        {"disconnected by the login window", [](TMainWindowRig &rig) { rig.Window->Connection()->Disconnect(); }, false, {}},
        {"kicked", [](TMainWindowRig &rig) { rig.Feed(":bob!u@h KICK #lobby alice :out"); }, false, {}},
        {"banned", [](TMainWindowRig &rig) { rig.Feed(":srv 465 alice :You are banned"); }, false, {"show"}},
        {"lost, then cancelled",
         [](TMainWindowRig &rig) {
             rig.Socket->PeerCloses();
             QTest::mouseClick(rig.Window->Reconnector()->btnCancelReconnect, Qt::LeftButton);
         },
         false, {"show"}},
        {"lost, then connected elsewhere by hand",
         [](TMainWindowRig &rig) {
             rig.Socket->PeerCloses();
             rig.Window->Connection()->Connect("alice", "", "srv2", 6667);
         },
         false, {}},
        {"lost, then the attempt's certificate refused",
         [](TMainWindowRig &rig) {
             rig.Window->Reconnector()->Schedule().FirstDelay = 1;
             rig.Socket->PeerCloses();
             rig.Window->Reconnector()->Tick();
             rig.Socket->Fail(eeCertificate, 14);
         },
         false, {"show"}},
        {"lost, then the attempt refused and the window closed",
         [](TMainWindowRig &rig) {
             rig.Window->Reconnector()->Schedule().FirstDelay = 1;
             rig.Socket->PeerCloses();
             rig.Window->Reconnector()->Tick();
             rig.Socket->Fail(eeConnect, 111);
             EXPECT_EQ(rig.Window->Reconnector()->Schedule().Delay(), 2);
             rig.Window->close();
         },
         false, {"hide"}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.Case);
        TMainWindowRig rig;
        rig.Activate();
        rig.ConnectAsAlice();
        rig.Feed(":alice!u@h JOIN :#lobby");
        row.End(rig);
        EXPECT_EQ(rig.Login.Calls, row.LoginCalls);
        TReconnector *reconnector = rig.Window->Reconnector();
        EXPECT_EQ(reconnector->Schedule().Active(), row.Reconnects);
        EXPECT_EQ(rig.Window->statusBar()->isVisible(), row.Reconnects);
        const int opened = rig.Socket->OpenCount;
        for (int second = 0; second < 600; ++second)
            reconnector->Tick();
        EXPECT_EQ(rig.Socket->OpenCount - opened, row.Reconnects ? 1 : 0);
    }
}

TEST(ReconnectTest, the_status_bar_counts_down_and_the_attempt_asks_for_the_rooms_again)
{
    TMainWindowRig rig;
    rig.Activate();
    rig.ConnectAsAlice();
    rig.Feed(":alice!u@h JOIN :#lobby");
    rig.Window->Connection()->OpenPrivateChat("bob");
    rig.Socket->PeerCloses();
    TReconnector *reconnector = rig.Window->Reconnector();
    EXPECT_EQ(reconnector->lblReconnect->text(), "Reconnecting in 10 s...");
    reconnector->Tick();
    EXPECT_EQ(reconnector->lblReconnect->text(), "Reconnecting in 9 s...");
    EXPECT_TRUE(rig.Window->Console()->memConsole->toPlainText().contains("Reconnecting in 10 s..."));
    while (reconnector->Schedule().State() == TReconnectSchedule::TState::Waiting)
        reconnector->Tick();
    rig.Socket->AcceptConnection();
    rig.Socket->TakeLines();
    rig.Feed(":srv 001 alice :Welcome");
    rig.Feed(":srv 376 alice :End of MOTD");
    EXPECT_EQ(rig.Socket->TakeLines(), QStringList({"join #lobby", "join #lobby.av"}));
    EXPECT_NE(rig.Window->Connection()->FindRoom("bob"), nullptr);
    EXPECT_FALSE(reconnector->Schedule().Active());
    EXPECT_FALSE(rig.Window->statusBar()->isVisible());
}
