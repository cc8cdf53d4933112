// Notices to a channel and the topic a channel has on joining reach the host with their channel.
#include "ClientFixture.h"

namespace {
class NoticeTopicTest : public ClientFixture {
protected:
    NoticeTopicTest() { ConnectAs("me"); }
    // What was raised, without the raw line each dispatch reports first.
    QStringList Raised()
    {
        QStringList events = Events.Take();
        events.removeIf([](const QString &event) { return event.startsWith("OnIRCData("); });
        return events;
    }
    QStringList Seen;
};
} // namespace

TEST_F(NoticeTopicTest, channel_notices_and_the_joining_topic_have_events_of_their_own)
{
    Feed(":pat!u@h NOTICE #room :without a handler");
    EXPECT_EQ(Raised(), QStringList({"OnNotice(pat!u@h, without a handler)"}));

    Client.OnChannelNotice = [this](QObject *, QString from, QString channel, QString text) {
        Seen << from + "|" + channel + "|" + text;
    };
    Client.OnTopicIs = [this](QObject *, QString channel, QString topic) { Seen << channel + "|" + topic; };
    Feed(":pat!u@h NOTICE #room :hi all");
    Feed(":pat!u@h NOTICE me :psst");
    Feed(":srv 332 me #room :the topic");
    EXPECT_EQ(Seen, QStringList({"pat|#room|hi all", "#room|the topic"}));
    EXPECT_EQ(Raised(), QStringList({"OnNotice(pat!u@h, psst)", "OnServerMsg(332, #room the topic )"}));
}
