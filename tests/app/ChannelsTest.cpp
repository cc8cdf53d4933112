// The channel browser and the new-channel dialog, driven through their widgets.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "ChannelsTestSupport.h"
#include "frmChannels.h"
#include "frmNewChannel.h"
#include "printers.h"

namespace {
struct TReply {
    QString Name;
    int Users;
    QString Topic;
};

class ChannelsTest : public ::testing::Test {
protected:
    ChannelsTest() { NextBrowser(); }
    ~ChannelsTest() override { delete Browser; }

    // A fresh browser once the last one has closed itself.
    void NextBrowser()
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return Browser.isNull(); }, 5000));
        Browser = new TfrmChannels(nullptr, &Shell);
        Browser->NewChannelDialog = Dialog;
        Browser->OnJoinChannel = [this](QString name, QString topic) { Joined << name + "|" + topic; };
        Browser->OnNewChannel = [this](QString name, QString desc, QString bg) { Created << name + "|" + desc + "|" + bg; };
        Browser->OnClosed = [this] { ++Closed; };
        Browser->ShowBrowser();
    }

    void Add(const QList<TReply> &replies)
    {
        for (const TReply &reply : replies)
            Browser->AddChannel(reply.Name, reply.Users, reply.Topic);
    }
    QStringList Names() const
    {
        QStringList names;
        for (int row = 0; row < Browser->Channels().rowCount(); ++row)
            names << Browser->Channels().Entry(row).ChannelName;
        return names;
    }
    QString RowText(int row) const { return Browser->Channels().index(row).data().toString(); }
    void Choose(int row)
    {
        Browser->lstChannels->setCurrentIndex(Browser->Channels().index(row));
        QTest::mouseClick(Browser->btnGo, Qt::LeftButton);
    }
    QImage GrabList()
    {
        Browser->lstChannels->doItemsLayout();
        return Browser->lstChannels->viewport()->grab().toImage();
    }

    TMxIRCConnection Manager;
    TChannelsTestShell Shell{Manager};
    QPointer<TfrmChannels> Browser;
    TfrmNewChannel *Dialog = nullptr;
    QStringList Joined, Created;
    int Closed = 0;
};

bool IsRed(QRgb c) { return qRed(c) > 150 && qGreen(c) < 90 && qBlue(c) < 90; }
bool IsDark(QRgb c) { return qRed(c) < 90 && qGreen(c) < 90 && qBlue(c) < 90; }
int CountIn(const QImage &image, const QRect &area, const std::function<bool(QRgb)> &test)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    return count;
}
} // namespace

TEST_F(ChannelsTest, a_chosen_row_joins_with_its_companion_topic_whichever_came_first)
{
    const struct {
        const char *Case;
        bool VisualOnly;
        QList<TReply> Replies;
        QString Row;    // name|users|description of the one row
        QString Joins;  // name|companion topic
    } cases[] = {
        {"room first", false, {{"#fun", 3, "Fun"}, {"#fun.av", 2, "^[beach.jpg]^"}}, "#fun|3|Fun", "#fun|^[beach.jpg]^"},
        {"companion first", false, {{"#fun.av", 2, "^[beach.jpg]^"}, {"#fun", 3, "Fun"}}, "#fun|3|Fun", "#fun|^[beach.jpg]^"},
        {"visual only", true, {{"#fun", 3, "Fun"}, {"#a", 1, ""}, {"#fun.av", 2, "^[room.jpg]^"}},
         "#fun|2|^[room.jpg]^", "#fun|^[room.jpg]^"},
        {"mode prefixes", false, {{"#sun", 4, "[+nt] Sunny side"}, {"#sun.av", 1, "[+tn] ^[beach.jpg]^"}},
         "#sun|4|Sunny side", "#sun|^[beach.jpg]^"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Case);
        if (c.VisualOnly != Browser->radAVOnly->isChecked())
            QTest::mouseClick(c.VisualOnly ? Browser->radAVOnly : Browser->radAllChannels, Qt::LeftButton);
        Add(c.Replies);
        ASSERT_EQ(Browser->Channels().rowCount(), 1);
        const TChannelInfo &row = Browser->Channels().Entry(0);
        EXPECT_EQ(row.ChannelName + "|" + QString::number(row.Users) + "|" + row.Desc, c.Row);
        Choose(0);
        EXPECT_EQ(Joined.takeFirst(), c.Joins);
        EXPECT_EQ(std::exchange(Closed, 0), 1);
        NextBrowser();
    }
}

TEST_F(ChannelsTest, the_filter_starts_over_and_the_sort_orders_keep_new_rows_before_equal_keys)
{
    Add({{"#b", 10, "x"}, {"#c", 3, "a"}, {"#a", 10, "y"}});
    EXPECT_EQ(Names(), QStringList({"#a", "#b", "#c"})) << "by users, the newer 10 before the older";
    QTest::mouseClick(Browser->btnSortChannel, Qt::LeftButton);
    Add({{"#bb", 1, "z"}});
    EXPECT_EQ(Names(), QStringList({"#a", "#b", "#bb", "#c"}));
    QTest::mouseClick(Browser->btnSortDesc, Qt::LeftButton);
    Add({{"#d", 1, "x"}, {"#D", 1, "x"}, {"#d", 1, "X"}});
    EXPECT_EQ(Names(), QStringList({"#c", "#d", "#b", "#a", "#bb"})) << "a row text listed twice, letter case aside, is dropped";
    QTest::mouseClick(Browser->btnSortUsers, Qt::LeftButton);
    EXPECT_EQ(Browser->Channels().Entry(4).Users, 1);

    QTest::mouseClick(Browser->btnStopListing, Qt::LeftButton);
    EXPECT_EQ(Shell.StopCount, 1);
    EXPECT_EQ(Browser->Channels().rowCount(), 5) << "Stop Listing keeps what is listed";
    QTest::mouseClick(Browser->radAVOnly, Qt::LeftButton);
    EXPECT_EQ(Browser->Channels().rowCount(), 0);
    QTest::mouseClick(Browser->btnGo, Qt::LeftButton);
    EXPECT_TRUE(Joined.isEmpty()) << "Go! without a row does nothing";
    EXPECT_EQ(Closed, 0);
}

TEST_F(ChannelsTest, rows_are_fixed_width_texts_and_a_cut_name_joins_in_full)
{
    const QString longName = "#a-channel-name-longer-than-twenty";
    Add({{longName, 12345, "wide"}, {"#b", 7, ""}});
    EXPECT_EQ(RowText(0), "#a-channel-name-long  12345  wide" + QString(46, ' '));
    EXPECT_EQ(RowText(1), "#b" + QString(23, ' ') + "7  " + QString(50, ' '));
    EXPECT_EQ(RowText(0).size(), RowText(1).size() + 1);
    Browser->lstChannels->doItemsLayout();
    const QPoint row0 = Browser->lstChannels->visualRect(Browser->Channels().index(0)).center();
    QTest::mouseClick(Browser->lstChannels->viewport(), Qt::LeftButton, {}, row0);
    QTest::mouseDClick(Browser->lstChannels->viewport(), Qt::LeftButton, {}, row0);
    EXPECT_EQ(Joined, QStringList{longName + "|"});
    NextBrowser();
    Add({{"#b", 7, ""}});
    Browser->lstChannels->setCurrentIndex(Browser->Channels().index(0));
    QTest::keyClick(Browser->lstChannels, Qt::Key_Return);
    EXPECT_EQ(Joined.last(), "#b|") << "Enter joins as Go! does";
}

TEST_F(ChannelsTest, a_description_draws_in_its_colours_and_bad_rows_stay_inside_their_line)
{
    Add({{"#colour", 5, QString("\x03") + "04red" + QChar(3) + "plain"}});
    QImage image = GrabList();
    const QFontMetrics metrics(Browser->lstChannels->font());
    const int redEnd = 200 + metrics.horizontalAdvance("red");
    const QRect red(200, 0, redEnd - 200, 16), plain(redEnd + 1, 0, metrics.horizontalAdvance("plain"), 16);
    EXPECT_GT(CountIn(image, red, IsRed), 5);
    EXPECT_GT(CountIn(image, plain, IsDark), 5);
    EXPECT_EQ(CountIn(image, plain, IsRed), 0);

    // Never-ending codes, a huge count, a 500-character name and an empty one.
    QTest::mouseClick(Browser->radAllChannels, Qt::LeftButton);
    Add({{"#" + QString(499, 'w'), 2147483647, QString("\x16\x02\x1F\x03") + "1,4" + QString(300, 'M')}, {"", 3, "empty"}});
    ASSERT_EQ(Browser->Channels().rowCount(), 1);
    EXPECT_EQ(Browser->lstChannels->visualRect(Browser->Channels().index(0)).height(), 16);
    image = GrabList();
    const QRgb base = Browser->lstChannels->palette().color(QPalette::Base).rgb();
    const QRect below(0, 16, image.width(), image.height() - 16);
    EXPECT_EQ(CountIn(image, below, [base](QRgb c) { return c != base; }), 0);
    const QRect nameGap(146, 0, 4, 16);
    EXPECT_EQ(CountIn(image, nameGap, IsDark), 0) << "the name stops before the count";
}

TEST_F(ChannelsTest, a_background_colour_fills_behind_its_text_until_a_reset)
{
    Add({{"#bg", 5, QString("\x03") + "00,04white on red" + QChar(0x0F) + "plain"}});
    const QImage image = GrabList();
    const QFontMetrics metrics(Browser->lstChannels->font());
    const int redEnd = 200 + metrics.horizontalAdvance("white on red");
    const QRect onRed(200, 0, redEnd - 200, 16), plain(redEnd + 1, 0, metrics.horizontalAdvance("plain"), 16);
    EXPECT_GT(CountIn(image, onRed, IsRed), onRed.width() * onRed.height() / 2);
    EXPECT_EQ(CountIn(image, plain, IsRed), 0);
    EXPECT_GT(CountIn(image, plain, IsDark), 5);
}

TEST_F(ChannelsTest, create_new_channel_names_the_room_and_its_picture)
{
    TfrmNewChannel shared;
    Dialog = &shared;
    Browser->NewChannelDialog = &shared;
    const struct {
        QString Typed;
        int Picture;
        QString Raised;
    } cases[] = {
        {"lobby", 0, "#lobby|about|manor.jpg"},
        {"#den", 1, "#den|about|room.jpg"},
        {"sand", 2, "#sand|about|beach.jpg"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Typed.toStdString());
        QTimer::singleShot(0, &shared, [&] {
            EXPECT_EQ(shared.txtChannel->text(), "") << "every showing starts empty";
            QTest::mouseClick(shared.btnOk, Qt::LeftButton);
            EXPECT_TRUE(shared.isVisible()) << "an empty name is refused";
            shared.txtChannel->setText(c.Typed);
            shared.txtDesc->setText("about");
            shared.radBGItems->button(c.Picture)->click();
            QTest::mouseClick(shared.btnOk, Qt::LeftButton);
        });
        QTest::mouseClick(Browser->btnNewChannel, Qt::LeftButton);
        EXPECT_EQ(Created.takeFirst(), c.Raised);
        NextBrowser();
    }
    QTimer::singleShot(0, &shared, [&] { QTest::mouseClick(shared.btnCancel, Qt::LeftButton); });
    QTest::mouseClick(Browser->btnNewChannel, Qt::LeftButton);
    EXPECT_TRUE(Created.isEmpty());
    EXPECT_TRUE(Browser->isVisible()) << "a cancelled dialog leaves the browser open";
}

TEST(ChannelListModelTest, thousands_of_rows_in_any_arrival_order_stay_sorted)
{
    TChannelListModel model;
    const int count = 3000; // many chunks' worth
    for (int i = 0; i < count; ++i) {
        const int key = (i * 7919) % count; // every key once, in a scrambled order
        model.Insert(TChannelInfo{QString("#c%1").arg(key, 4, 10, QChar('0')), "", "", key % 50}, TChannelSort::ByChannel);
    }
    ASSERT_EQ(model.rowCount(), count);
    for (int row = 0; row < count; ++row)
        ASSERT_EQ(model.Entry(row).ChannelName, QString("#c%1").arg(row, 4, 10, QChar('0')));
    model.Sort(TChannelSort::ByUsers);
    model.Insert(TChannelInfo{"#new", "", "", 25}, TChannelSort::ByUsers);
    for (int row = 1; row <= count; ++row)
        ASSERT_GE(model.Entry(row - 1).Users, model.Entry(row).Users) << row;
    EXPECT_EQ(model.Entry(24 * (count / 50)).ChannelName, "#new") << "before the older rows of 25 users";
}
