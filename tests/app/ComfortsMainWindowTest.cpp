// The main window's side of the comforts: the options menu and the window placement kept across runs,
// and the window list marking a room with news.
#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include "MainWindowTestSupport.h"
#include "MxIRCConnection.h"
#include "frmChat.h"
#include "frmChattle.h"
#include "printers.h"

namespace {
class TRecordingNotifier : public TNotifier {
public:
    void Notify(const QString &title, const QString &text) override { Shown << title + " | " + text; }
    QStringList Shown;
};

// The window list's entry for a title, filled afresh (which drops the entries found before).
QAction *WindowListEntry(TfrmChattle &window, const QString &title)
{
    auto *menu = window.findChild<QMenu *>("Window1");
    emit menu->aboutToShow();
    for (QAction *action : menu->actions())
        if (action->text().endsWith(title))
            return action;
    return nullptr;
}
} // namespace

TEST(ComfortsSettingsTest, options_start_off_and_they_and_the_placement_come_back_at_the_next_start)
{
    TTemporarySettings settings;
    {
        TfrmChattle first;
        EXPECT_FALSE(first.ShowTimestamps1->isChecked());
        EXPECT_FALSE(first.KeepLogs1->isChecked());
        EXPECT_FALSE(first.ChatComforts().Timestamps);
        EXPECT_FALSE(first.RestorePlacement()) << "nothing saved yet";
        first.ShowTimestamps1->trigger();
        EXPECT_TRUE(first.ChatComforts().Timestamps);
        first.setGeometry(40, 50, 640, 480);
        first.show();
        first.close();
    }
    TfrmChattle second;
    EXPECT_TRUE(second.ShowTimestamps1->isChecked());
    EXPECT_TRUE(second.ChatComforts().Timestamps);
    EXPECT_FALSE(second.KeepLogs1->isChecked());
    EXPECT_TRUE(second.RestorePlacement());
    EXPECT_EQ(second.geometry().size(), QSize(640, 480));
    EXPECT_TRUE(second.ChatComforts().LogsDir.endsWith("/logs"));
}

TEST(ComfortsWindowListTest, a_room_with_news_is_marked_and_a_mention_elsewhere_is_notified)
{
    TMainWindowRig rig;
    TRecordingNotifier notifier;
    rig.Window->ChatComforts().Notifier = &notifier;
    rig.Window->ChatComforts().ApplicationActive = [] { return true; };
    rig.Activate();
    rig.ConnectAsAlice();
    rig.Feed(":alice!u@h JOIN :#lobby");
    rig.Feed(":alice!u@h JOIN :#garden");
    QMdiArea *area = rig.Window->Area();
    TfrmChat *garden = rig.Window->Connection()->FindRoom("#garden");
    area->setActiveSubWindow(garden);
    ASSERT_EQ(area->activeSubWindow(), garden);

    rig.Feed(":bob!u@h PRIVMSG #lobby :hello all");
    QAction *lobby = WindowListEntry(*rig.Window, "#lobby");
    ASSERT_TRUE(lobby);
    EXPECT_TRUE(lobby->font().bold());
    EXPECT_FALSE(lobby->icon().isNull());
    EXPECT_FALSE(WindowListEntry(*rig.Window, "#garden")->font().bold());
    EXPECT_TRUE(notifier.Shown.isEmpty());

    rig.Feed(":bob!u@h PRIVMSG #lobby :alice, over here");
    EXPECT_EQ(notifier.Shown, QStringList{"bob in #lobby | alice, over here"});

    WindowListEntry(*rig.Window, "#lobby")->trigger();
    EXPECT_FALSE(WindowListEntry(*rig.Window, "#lobby")->font().bold()) << "seen once activated";
}
