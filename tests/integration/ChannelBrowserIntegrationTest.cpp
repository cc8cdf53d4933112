// The channel browser filled by a real IRC server's LIST replies through the connection manager, and a
// room joined from it.
#include <QListView>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "ChannelsTestSupport.h"
#include "IRCClient.h"
#include "MdiWindowHost.h"
#include "PersonaInst.h"
#include "RecordingSocket.h"
#include "RoomsTestSupport.h"
#include "TestIrcServer.h"
#include "frmChannels.h"
#include "frmChat.h"
#include "printers.h"

namespace {
constexpr int WaitMs = 15000;

bool WaitUntil(const std::function<bool()> &condition, const char *what)
{
    const bool met = QTest::qWaitFor(condition, WaitMs);
    if (!met)
        ADD_FAILURE() << "never came: " << what;
    return met;
}

// The row of a channel, or -1.
int RowOf(TfrmChannels *browser, const QString &name)
{
    for (int row = 0; browser && row < browser->Channels().rowCount(); ++row)
        if (browser->Channels().Entry(row).ChannelName == name)
            return row;
    return -1;
}
} // namespace

TEST(ChannelBrowserIntegrationTest, list_replies_fill_the_browser_and_go_joins_the_room_with_its_picture)
{
    const std::unique_ptr<TTestIrcServer> server = TTestIrcServer::FromEnvironment();
    ASSERT_TRUE(server->Start()) << server->Error().toStdString();

    // Someone has made a visual room and an ordinary channel.
    TIRCClient carol;
    bool registered = false;
    carol.SetOwnNick("carol");
    carol.OnEndMOTD = [&] { registered = true; };
    carol.ServerAddress = "127.0.0.1";
    carol.ServerPort = server->Port();
    carol.Connect();
    ASSERT_TRUE(WaitUntil([&] { return registered; }, "carol registered"));
    for (const char *line : {"JOIN #fun", "TOPIC #fun :Fun \x03" "04here", "JOIN #fun.av",
                                "TOPIC #fun.av :^[beach.jpg]^", "JOIN #quiet"})
        carol.SendRaw(line);

    // Chattle: the connection manager makes the browser when the message of the day ends.
    QMdiArea area;
    area.show();
    TMdiWindowHost host(&area);
    auto *socket = new TRecordingSocket;
    TMxIRCConnection manager(nullptr, socket);
    const std::unique_ptr<TPersonaInst> character = NewCharacter("me");
    manager.Host = &host;
    manager.PersonaLib = &TestLibrary();
    manager.ArtworkDir = TestArtworkDir();
    manager.SelectedCharacter = character.get();
    TChannelsTestShell shell(manager);
    manager.CreateChannelBrowser = [&](QWidget *owner) { return new TfrmChannels(owner, &shell); };
    // The topics are set once carol's lines have passed the server: her own LIST shows them.
    ASSERT_TRUE(WaitUntil([&] { return carol.FindChannel("#quiet") != nullptr; }, "carol's channels"));
    manager.Connect("me", QString(), "127.0.0.1", server->Port());

    auto browser = [&] { return dynamic_cast<TfrmChannels *>(manager.ChannelBrowser()); };
    auto fun = [&] { return browser()->Channels().Entry(RowOf(browser(), "#fun")); };
    ASSERT_TRUE(WaitUntil([&] { return RowOf(browser(), "#quiet") >= 0 && RowOf(browser(), "#fun") >= 0 &&
                                       !fun().CompanionTopic.isEmpty(); },
                          "the LIST replies"));
    EXPECT_EQ(browser()->Channels().rowCount(), 2) << "the companion is no row of its own";
    EXPECT_EQ(fun().Desc, "Fun \x03" "04here");
    EXPECT_EQ(fun().CompanionTopic, "^[beach.jpg]^");
    EXPECT_TRUE(socket->Lines().contains("LIST "));

    // Go! on the visual room: both channels joined, the beach behind the room, the browser gone.
    browser()->lstChannels->setCurrentIndex(browser()->Channels().index(RowOf(browser(), "#fun")));
    QTest::mouseClick(browser()->btnGo, Qt::LeftButton);
    ASSERT_TRUE(WaitUntil([&] { return manager.FindRoom("#fun") != nullptr; }, "the room window"));
    EXPECT_TRUE(manager.FindRoom("#fun")->BackgroundPath.endsWith("/beach.jpg"));
    EXPECT_TRUE(socket->Lines().contains("join #fun.av"));
    EXPECT_EQ(manager.ChannelBrowser(), nullptr);

    // A second browser: the filter asks again, Stop Listing reaches the server.
    manager.ShowChannels();
    QTest::mouseClick(browser()->radAVOnly, Qt::LeftButton);
    QTest::mouseClick(browser()->btnStopListing, Qt::LeftButton);
    EXPECT_TRUE(WaitUntil([&] { return socket->Lines().endsWith("LIST stop") && socket->Lines().contains("LIST >1 "); },
                          "the new request and its stop"));
}
