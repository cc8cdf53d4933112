// Channel rosters: the roster's own rules, and how joins, names, WHO, parts, quits, kicks and nick
// changes reach them through the dispatcher.
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>

#include "ClientFixture.h"

namespace {
struct RosterLog {
    QStringList Events;
    void Watch(TIRCChannel &channel)
    {
        channel.OnShortListChanged = [this](TIRCChannel *, TIRCClient *) { Events << "short"; };
        channel.OnLongListChanged = [this](TIRCChannel *, TIRCClient *) { Events << "long"; };
    }
    QStringList Take() { return std::exchange(Events, {}); }
};
} // namespace

TEST(RosterTest, name_is_written_once_and_short_names_stay_unique_ignoring_case)
{
    TIRCChannel channel;
    EXPECT_TRUE(channel.NamesComplete && channel.NotifyChanges);
    channel.SetChannelName("#a");
    channel.SetChannelName("#b");
    EXPECT_EQ(channel.ChannelName(), "#a");

    channel.AddShortName("bob");
    channel.AddShortName("Bob");
    channel.AddShortName("@bob");
    EXPECT_EQ(channel.ShortList(), QStringList({"bob", "@bob"}));
    channel.ClearShortList();
    EXPECT_TRUE(channel.ShortList().isEmpty());
}

TEST(RosterTest, long_names_report_when_they_catch_up_with_short_names)
{
    TIRCChannel channel;
    RosterLog log;
    log.Watch(channel);
    for (const char *name : {"@op", "+v", "x"})
        channel.AddShortName(name);
    channel.AddLongName("op!u@h");
    channel.AddLongName("v!u@h");
    EXPECT_TRUE(log.Take().isEmpty());
    channel.AddLongName("x!u@h");
    EXPECT_EQ(log.Take(), QStringList({"long"}));
    channel.AddLongName("X!U@H");
    EXPECT_TRUE(log.Take().isEmpty());
    EXPECT_EQ(channel.LongList().size(), 3);
}

TEST(RosterTest, join_part_and_kick_keep_both_lists)
{
    TIRCChannel channel;
    RosterLog log;
    log.Watch(channel);
    channel.AddUser("ann!a@h");
    channel.AddUser("ann!a@h");
    channel.AddUser("@~op!o@h");
    EXPECT_EQ(channel.LongList(), QStringList({"ann!a@h", "~op!o@h"}));
    EXPECT_EQ(channel.ShortList(), QStringList({"ann", "@op"}));
    EXPECT_EQ(log.Take(), QStringList({"short", "long", "short", "long"}));

    channel.AddShortName("+ann");
    channel.RemoveUser("ann!a@h");
    EXPECT_EQ(channel.ShortList(), QStringList({"@op"}));
    EXPECT_EQ(channel.LongList(), QStringList({"~op!o@h"}));
    channel.RemoveUser("nobody!n@h");
    EXPECT_EQ(log.Take(), QStringList({"short", "long", "short", "long"}));

    channel.AddUser("bob!u@h");
    channel.AddShortName("@bob");
    channel.RemoveUser("bob"); // a bare nick matches no long nick
    EXPECT_EQ(channel.LongList(), QStringList({"~op!o@h", "bob!u@h"}));
    channel.KickUser("bob"); // a kick takes the long nick too
    EXPECT_EQ(channel.LongList(), QStringList({"~op!o@h"}));
    EXPECT_EQ(channel.ShortList(), QStringList({"@op"}));
}

TEST(RosterTest, a_nick_change_keeps_the_mark_and_renames_only_where_the_user_is)
{
    TIRCChannel channel;
    RosterLog log;
    log.Watch(channel);
    channel.AddShortName("@old");
    channel.AddLongName("old!u@h");
    log.Take();
    channel.RenameUser("old!u@h", "new");
    EXPECT_EQ(channel.ShortList(), QStringList({"@new"}));
    EXPECT_EQ(channel.LongList(), QStringList({"new!u@h"}));
    EXPECT_EQ(log.Take(), QStringList({"short", "long"}));

    channel.RenameUser("stranger!s@h", "other");
    EXPECT_EQ(channel.ShortList(), QStringList({"@new"}));
    EXPECT_TRUE(log.Take().isEmpty());
    EXPECT_TRUE(channel.NotifyChanges);
}

using RosterDispatch = ClientFixture;

TEST_F(RosterDispatch, own_join_creates_the_roster_and_asks_who)
{
    ConnectAs("me");
    Feed(":me!u@h JOIN :#room");
    EXPECT_EQ(Socket->TakeLines(), QStringList({"WHO #room"}));
    EXPECT_EQ(Events.Take(), QStringList({"OnIRCData(me!u@h JOIN :#room)", "OnJoined(#room, #room)"}));
    TIRCChannel *room = Client.FindChannel("#ROOM");
    ASSERT_NE(room, nullptr);
    EXPECT_EQ(room, Events.LastJoined);
    EXPECT_EQ(room->IRCClient, &Client);

    Client.RetrieveLongNames = false;
    Feed(":Me!u@h JOIN :#other"); // another user's join: letter case counts for the own nick
    Feed(":me!u@h JOIN #quiet");
    EXPECT_TRUE(Socket->TakeLines().isEmpty());
    EXPECT_EQ(Client.Channels().size(), 2);
}

TEST_F(RosterDispatch, names_and_who_replies_fill_the_lists)
{
    ConnectAs("me");
    Events.WatchRosters();
    TIRCChannel *room = Join("#room");
    Feed(":srv 353 me = #room :@op +voice plain");
    Feed(":srv 353 me = #room :me");
    EXPECT_FALSE(room->NamesComplete);
    Feed(":srv 366 me #room :End of NAMES list");
    EXPECT_EQ(room->ShortList(), QStringList({"@op", "+voice", "plain", "me"}));
    QStringList events = Events.Take().filter(QRegularExpression("^On(UserIn|Short|Long)"));
    EXPECT_EQ(events, QStringList({"OnUserInChannelMsg(#room, @op)", "OnUserInChannelMsg(#room, +voice)",
                                   "OnUserInChannelMsg(#room, plain)", "OnUserInChannelMsg(#room, me)",
                                   "OnShortListChanged(#room, @op +voice plain me)"}));

    Feed(":srv 352 me #room ~joe h srv plain H :0 Joe");
    EXPECT_EQ(room->LongList(), QStringList({"plain!joe@h"}));
    Feed(":srv 352 me #nowhere u h srv x H :0 X");

    Feed(":srv 353 me = #room :me solo"); // a fresh names reply starts again
    Feed(":srv 366 me #room :End");
    EXPECT_EQ(room->ShortList(), QStringList({"me", "solo"}));
}

TEST_F(RosterDispatch, joins_parts_and_quits_of_others)
{
    ConnectAs("me");
    Events.WatchRosters();
    TIRCChannel *room = Join("#room");
    TIRCChannel *den = Join("#den");
    Feed(":ann!a@h JOIN :#room");
    EXPECT_EQ(Events.Take().mid(1), QStringList({"OnJoin(ann, #room)", "OnShortListChanged(#room, ann)",
                                                 "OnLongListChanged(#room, ann!a@h)"}));
    Feed(":ann!a@h JOIN #den");
    Feed(":ann!a@h PART #den :"); // the empty reason the server sends
    EXPECT_TRUE(den->ShortList().isEmpty());
    Feed(":ann!a@h PART #room :gone for lunch");
    EXPECT_TRUE(room->ShortList().isEmpty());
    EXPECT_TRUE(room->LongList().isEmpty());
    Events.Take();

    Feed(":bob!b@h JOIN :#room");
    Events.Take();
    Feed(":bob!b@h QUIT :Bye Bye");
    EXPECT_EQ(Events.Take().mid(1),
              QStringList({"OnShortListChanged(#den, )", "OnLongListChanged(#den, )", "OnShortListChanged(#room, )",
                           "OnLongListChanged(#room, )", "OnQuit(bob, Bye Bye)"}));
    Feed(":zed!z@h PART #nowhere :x");
    EXPECT_EQ(Events.Take().mid(1), QStringList({"OnPart(zed, #nowhere)"}));
}

TEST_F(RosterDispatch, own_part_kick_and_quit_take_rosters_away)
{
    ConnectAs("me");
    Join("#a");
    Join("#b");
    Join("#c");
    Feed(":me!u@h PART #a :");
    EXPECT_EQ(Events.Take().last(), "OnParted(#a)");
    EXPECT_EQ(Client.FindChannel("#a"), nullptr);

    Feed(":op!o@h KICK #b me :out");
    EXPECT_EQ(Events.Take().last(), "OnKicked(#b, op, out)");
    EXPECT_EQ(Client.FindChannel("#b"), nullptr);
    Client.OnKicked = nullptr;
    Join("#b");
    Feed(":op!o@h KICK #b me :again");
    EXPECT_EQ(Events.Take().last(), "OnKick(#b, op, me, again)");
    EXPECT_EQ(Client.FindChannel("#b"), nullptr);

    Feed(":me!u@h QUIT :Bye Bye");
    EXPECT_EQ(Events.Take().last(), "OnQuit(me, Bye Bye)");
    EXPECT_TRUE(Client.Channels().isEmpty());
}

TEST_F(RosterDispatch, leaving_frees_the_roster_and_a_later_join_makes_a_fresh_one)
{
    ConnectAs("me");
    for (const QString leave : {":me!u@h PART #a :", ":op!o@h KICK #a me :out"}) {
        QPointer<TIRCChannel> roster = Join("#a");
        ASSERT_FALSE(roster.isNull()) << leave.toStdString();
        Feed(leave);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(roster.isNull()) << leave.toStdString();
    }
}

TEST_F(RosterDispatch, a_kick_of_another_user_removes_both_of_their_entries)
{
    ConnectAs("me");
    TIRCChannel *room = Join("#room");
    Feed(":bob!b@h JOIN #room");
    Feed(":op!o@h JOIN #room");
    Feed(":op!o@h KICK #room bob :bye");
    EXPECT_EQ(Events.Take().last(), "OnKick(#room, op, bob, bye)");
    EXPECT_EQ(room->ShortList(), QStringList({"op"}));
    EXPECT_EQ(room->LongList(), QStringList({"op!o@h"}));
}

TEST_F(RosterDispatch, nick_changes_rename_in_every_channel_and_follow_the_own_nick)
{
    ConnectAs("me");
    TIRCChannel *room = Join("#room");
    TIRCChannel *den = Join("#den");
    Feed(":srv 353 me = #room :@old me");
    Feed(":srv 366 me #room :End");
    Feed(":srv 352 me #room u h srv old H :0 Old");
    Feed(":old!u@h NICK :new");
    EXPECT_EQ(Events.Take().last(), "OnNickChange(old, new)");
    EXPECT_EQ(room->ShortList(), QStringList({"me", "@new"}));
    EXPECT_EQ(room->LongList(), QStringList({"new!u@h"}));
    EXPECT_TRUE(den->ShortList().isEmpty());

    Feed(":me!u@h NICK :me2");
    EXPECT_EQ(Client.OwnNick(), "me2");
    Feed(":me2!u@h PART #den :");
    EXPECT_EQ(Client.FindChannel("#den"), nullptr);
}

TEST_F(RosterDispatch, a_captured_server_burst_fills_the_roster)
{
    QFile file(QStringLiteral(CHATTLE_IRC_TEST_DATA "/ngircd_join_burst.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray burst = file.readAll();
    // The capture's own nick is on its first line: ":server 001 <nick> :..."
    const QString ownNick = QString::fromUtf8(burst.left(burst.indexOf('\n'))).split(' ').value(2);
    ConnectAs(ownNick);
    Events.WatchRosters();
    Socket->Receive(burst);
    PumpAll();
    ASSERT_EQ(Client.Channels().size(), 1);
    const TIRCChannel *room = Client.Channels().at(0);
    EXPECT_EQ(room->ChannelName(), "#burst");
    EXPECT_EQ(room->ShortList(), QStringList({ownNick, "second", "@first"}));
    EXPECT_EQ(room->LongList(), QStringList({ownNick + "!" + ownNick + "@127.0.0.1", "second!second@127.0.0.1",
                                             "first!first@127.0.0.1"}));
    EXPECT_TRUE(room->NamesComplete);
    EXPECT_EQ(Socket->TakeLines(), QStringList({"WHO #burst"}));
    const QStringList rosterEvents = Events.Log.filter(QRegularExpression("^On(EndMOTD|Joined|UserIn|Short|Long)"));
    EXPECT_EQ(rosterEvents,
              QStringList({"OnEndMOTD()", "OnJoined(#burst, #burst)", "OnUserInChannelMsg(#burst, " + ownNick + ")",
                           "OnUserInChannelMsg(#burst, second)", "OnUserInChannelMsg(#burst, @first)",
                           "OnShortListChanged(#burst, " + ownNick + " second @first)",
                           "OnLongListChanged(#burst, " + room->LongList().join(' ') + ")"}));
}

namespace {
// A consistent server's traffic for two channels: users join, part, quit, get kicked, change nick
// (sometimes only in letter case), and names and WHO replies come in, from a fixed seed.
QStringList ChurnTranscript(int Lines)
{
    quint32 seed = 12345;
    auto Next = [&seed](int range) { return int((seed = seed * 1103515245u + 12345u) >> 16) % range; };
    struct User {
        QString Nick, UserHost;
        QSet<QString> Channels, Marked; // Marked: where a names reply gave an "@" or "+"
    };
    QList<User> users;
    for (int i = 0; i < 40; ++i)
        users.append({"n" + QString::number(i), "u" + QString::number(i) + "@h" + QString::number(i % 3), {}, {}});
    const QStringList channels{"#a", "#b"};
    QStringList lines{":me!me@pc JOIN :#a", ":me!me@pc JOIN :#b"};
    while (lines.size() < Lines) {
        User &user = users[Next(users.size())];
        const QString channel = channels.at(Next(2));
        const QString prefix = ":" + user.Nick + "!" + user.UserHost;
        switch (Next(7)) {
        case 0:
        case 1:
            lines << prefix + " JOIN :" + channel;
            user.Channels.insert(channel);
            break;
        case 2:
            lines << prefix + (user.Channels.remove(channel) ? " PART " + channel + " :bye" : " QUIT :gone");
            user.Marked.remove(channel);
            if (lines.last().contains(" QUIT "))
                user.Channels.clear(), user.Marked.clear();
            break;
        case 3:
            if (user.Channels.remove(channel))
                lines << ":op!o@h KICK " + channel + " " + user.Nick + " :out";
            user.Marked.remove(channel);
            break;
        case 4: { // a new nick nobody has, or the same nick in other letters; marked users keep theirs
            if (!user.Marked.isEmpty())
                break;
            const QString nick = Next(2) ? user.Nick.toUpper() : "x" + QString::number(Next(1000));
            const auto taken = [&](const User &u) { return &u != &user && u.Nick.compare(nick, Qt::CaseInsensitive) == 0; };
            if (std::none_of(users.begin(), users.end(), taken)) {
                lines << prefix + " NICK :" + nick;
                user.Nick = nick;
            }
            break;
        }
        case 5: {
            QString names;
            for (User &u : users) {
                if (!u.Channels.contains(channel))
                    continue;
                const QString mark = Next(4) == 0 ? "@" : Next(4) == 0 ? "+" : "";
                mark.isEmpty() ? void(u.Marked.remove(channel)) : void(u.Marked.insert(channel));
                names += mark + u.Nick + " ";
            }
            lines << ":srv 353 me = " + channel + " :" + names.trimmed() << ":srv 366 me " + channel + " :End";
            break;
        }
        default:
            for (const User &u : users)
                if (u.Channels.contains(channel))
                    lines << ":srv 352 me " + channel + " " + u.UserHost.section('@', 0, 0) + " "
                                 + u.UserHost.section('@', 1) + " srv " + u.Nick + " H :0 R";
        }
    }
    return lines;
}
} // namespace

TEST_F(RosterDispatch, a_long_churn_raises_the_same_events_and_lists_as_ever)
{
    ConnectAs("me");
    Events.WatchRosters();
    for (const QString &line : ChurnTranscript(3000))
        Feed(line);
    const QByteArray log = Events.Log.join('\n').toUtf8();
    EXPECT_EQ(Events.Log.size(), 9427);
    EXPECT_EQ(QCryptographicHash::hash(log, QCryptographicHash::Sha1).toHex(), "0b11d3f535c3cf6b97f90d2ffefedcd20045b4da");
}

TEST_F(RosterDispatch, long_nicks_match_by_nick_whatever_the_user_name_looks_like)
{
    ConnectAs("me");
    const struct {
        QString Line;
        QStringList Long, Short;
    } rows[] = {
        {":bob!~bob@127.0.0.1 NICK :bobby", {"bobby!~bob@127.0.0.1"}, {"@bobby"}},
        {":bob!~bob@127.0.0.1 PART #room :", {}, {}},
        {":bob!~bob@127.0.0.1 QUIT :gone", {}, {}},
        {":op!o@h KICK #room bob :out", {}, {}},
        {":bob!~bob@127.0.0.1 JOIN #room", {"bob!bob@127.0.0.1"}, {"@bob"}},
    };
    int round = 0;
    for (const auto &row : rows) {
        const QString room = "#room" + QString::number(round++);
        Join(room);
        QString line = row.Line;
        Feed(":srv 353 me = " + room + " :@bob");
        Feed(":srv 366 me " + room + " :End");
        Feed(":srv 352 me " + room + " ~bob 127.0.0.1 srv bob H :0 Bob");
        Feed(line.replace("#room", room));
        EXPECT_EQ(Client.FindChannel(room)->LongList(), row.Long) << row.Line.toStdString();
        EXPECT_EQ(Client.FindChannel(room)->ShortList(), row.Short) << row.Line.toStdString();
        Feed(":me!u@h PART " + room + " :");
    }
}

TEST_F(RosterDispatch, operator_and_voice_modes_mark_the_short_list)
{
    ConnectAs("me");
    Events.WatchRosters();
    const struct {
        QString Modes;
        QString Short; // after "@op alice +bob carol"; empty when nothing changes
    } rows[] = {
        {"+o alice", "@op @alice +bob carol"},
        {"+v :carol", "@op alice +bob +carol"},
        {"-o op", "op alice +bob carol"},
        {"+ov-v alice carol bob", "@op @alice bob +carol"},
        {"+o-o bob :bob", ""}, // voice is still there under the "@"
        {"+v op", ""},
        {"+b-v+l *!*@x BOB 10", "@op alice bob carol"},
        {"+ntk key", ""},
        {"+o nobody", ""},
    };
    int round = 0;
    for (const auto &row : rows) {
        const QString room = "#r" + QString::number(round++);
        Join(room);
        Feed(":srv 353 me = " + room + " :@op alice +bob carol");
        Feed(":srv 366 me " + room + " :End");
        Events.Take();
        Feed(":op!o@h MODE " + room + " " + row.Modes);
        const QStringList changed = Events.Take().filter("OnShortListChanged");
        const QStringList expected{"OnShortListChanged(" + room + ", " + row.Short + ")"};
        EXPECT_EQ(changed, row.Short.isEmpty() ? QStringList() : expected) << row.Modes.toStdString();
    }
}
