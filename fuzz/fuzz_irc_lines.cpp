// Server bytes through the fake socket into the engine: line splitting, decoding, the dispatcher and
// the rosters, with every event set. The input is the raw byte stream; it arrives in chunks whose size
// follows from the input's length, so lines are also cut across reads.
#include "ChattleError.h"
#include "EventRecorder.h"
#include "FakeSocket.h"
#include "FuzzSupport.h"
#include "IRCChannel.h"
#include "IRCClient.h"

#include <QTimer>

namespace {
void TouchRosters(const TIRCClient &client)
{
    for (const TIRCChannel *channel : client.Channels()) {
        Touch(channel->ChannelName());
        for (const QString &name : channel->ShortList())
            Touch(name);
        for (const QString &name : channel->LongList())
            Touch(name);
    }
}

void PumpAll(TIRCClient &client, TEventRecorder &events)
{
    while (!client.LineQueue().isEmpty()) {
        try {
            client.ProcessNextLine();
        } catch (const EChattleError &) {
            // A malformed line is abandoned; the next one is read as usual.
        }
        for (const QString &entry : events.Take())
            Touch(entry);
    }
    TouchRosters(client);
}
// One client for the whole run; every input logs in afresh, as a new login after a lost connection does.
struct TSession {
    TFakeSocket *Socket = new TFakeSocket;
    TIRCClient Client{nullptr, Socket};
    TEventRecorder Events{Client};

    TSession()
    {
        Client.LineTimer()->stop();
        Events.WatchRosters();
        // A handler may leave the server in the middle of a burst; the queued lines are still dispatched.
        auto recordPrivate = Client.OnPrivateMsg;
        Client.OnPrivateMsg = [this, recordPrivate](QObject *sender, QString from, QString text) {
            recordPrivate(sender, from, text);
            if (text == u"!leave")
                Client.Disconnect();
        };
        Client.ServerAddress = QStringLiteral("srv1");
    }
};

TSession &Session()
{
    static TSession *session = new TSession;
    return *session;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    EnsureApplication(); // the client's line timer wants an event dispatcher
    Session();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    TSession &session = Session();
    TIRCClient &client = session.Client;
    client.Disconnect();
    // The rosters of the last input go with deleteLater; without an event loop they would pile up.
    DeliverPostedEvents();
    session.Events.Take();
    client.IgnoreListReplies = size % 2 == 1;
    client.SetOwnNick(QStringLiteral("me"));
    client.Connect();
    session.Socket->AcceptConnection();

    ForEachChunk(data, size, 1 + size % 61, [&](const QByteArray &bytes) {
        session.Socket->Receive(bytes);
        PumpAll(client, session.Events);
    });
    Touch(QString::fromLatin1(client.PartialLine()));
    for (const QByteArray &written : std::exchange(session.Socket->Written, {}))
        Touch(QString::fromLatin1(written));
    return 0;
}
