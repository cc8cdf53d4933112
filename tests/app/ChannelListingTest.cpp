// A long channel list from the server through the running line pump into the browser, and Stop
// Listing in the middle of one.
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include "IRCClient.h"
#include "MainWindowTestSupport.h"
#include "MxIRCConnection.h"
#include "frmChannels.h"
#include "frmChattle.h"
#include "printers.h"

namespace {
QByteArray ListReplies(int from, int to)
{
    QByteArray lines;
    for (int i = from; i < to; ++i)
        lines += ":srv 322 alice #c" + QByteArray::number(i) + ' ' + QByteArray::number(i % 37) + " :topic\r\n";
    return lines;
}
} // namespace

TEST(ChannelListingTest, a_long_list_arrives_whole_and_sorted_and_stop_listing_drops_what_is_still_queued)
{
    TMainWindowRig rig;
    rig.Activate();
    rig.ConnectAsAlice();
    rig.Window->btnChannels->click();
    auto *browser = rig.Window->findChild<TfrmChannels *>();
    ASSERT_NE(browser, nullptr);
    TIRCClient *client = rig.Window->Connection()->IRCClient();
    client->LineTimer()->start();
    rig.Socket->TakeLines();

    rig.Socket->Receive(ListReplies(0, 1500) + "PING :srv1\r\n" + ListReplies(1500, 3000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return browser->Channels().rowCount() == 3000; }, 30000));
    EXPECT_EQ(rig.Socket->TakeLines(), QStringList({"PONG :srv1"}));
    for (int row = 1; row < 3000; ++row)
        ASSERT_GE(browser->Channels().Entry(row - 1).Users, browser->Channels().Entry(row).Users) << row;

    rig.Socket->Receive(ListReplies(3000, 5000) + ":srv 323 alice :End of /LIST\r\n");
    browser->btnStopListing->click(); // before the next tick
    EXPECT_EQ(rig.Socket->TakeLines(), QStringList({"LIST stop"}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return client->LineQueue().isEmpty(); }, 30000));
    EXPECT_FALSE(browser->Channels().HasQueuedRows());
    EXPECT_EQ(browser->Channels().rowCount(), 3000) << "the rows listed before stay, the queued ones are dropped";
}
