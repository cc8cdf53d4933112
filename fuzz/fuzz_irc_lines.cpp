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
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    EnsureApplication(); // the client's line timer wants an event dispatcher
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    auto *socket = new TFakeSocket;
    TIRCClient client(nullptr, socket);
    client.LineTimer()->stop();
    TEventRecorder events(client);
    events.WatchRosters();
    // A handler may leave the server in the middle of a burst; the queued lines are still dispatched.
    auto recordPrivate = client.OnPrivateMsg;
    client.OnPrivateMsg = [&](QObject *sender, QString from, QString text) {
        recordPrivate(sender, from, text);
        if (text == u"!leave")
            client.Disconnect();
    };
    client.IgnoreListReplies = size % 2 == 1;
    client.SetOwnNick(QStringLiteral("me"));
    client.ServerAddress = QStringLiteral("srv1");
    client.Connect();
    socket->AcceptConnection();

    const std::size_t chunk = 1 + size % 61;
    for (std::size_t at = 0; at < size; at += chunk) {
        const std::size_t count = std::min(chunk, size - at);
        socket->Receive(QByteArray(reinterpret_cast<const char *>(data + at), static_cast<qsizetype>(count)));
        PumpAll(client, events);
    }
    Touch(QString::fromLatin1(client.PartialLine()));
    for (const QByteArray &written : socket->Written)
        Touch(QString::fromLatin1(written));
    return 0;
}
