// The service client's receiving side: a byte stream from the maker's service through the fake socket
// into lines, delivered one per tick. Every delivered line holds no CR and at most MaxLineBytes
// characters, the queue stays bounded, and a line sent back goes out as exactly one line.
#include "FakeSocket.h"
#include "FuzzSupport.h"
#include "MxAppServ.h"

#include <QTimer>

namespace {
struct TService {
    TFakeSocket *Socket = new TFakeSocket;
    TMxAppServ Client{nullptr, Socket};
    QStringList Delivered;

    TService()
    {
        Client.Timer()->stop();
        Client.OnLineReceived = [this](QObject *, const QString &line) { Delivered << line; };
    }
};

TService &Service()
{
    static TService *service = new TService;
    return *service;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    EnsureApplication();
    Service();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    DeliverPostedEvents();
    TService &service = Service();
    service.Client.OpenConnection();
    service.Socket->AcceptConnection();
    service.Socket->Written.clear();
    ForEachChunk(data, size, 1 + size % 37, [&](const QByteArray &bytes) {
        service.Socket->Receive(bytes);
        if (service.Client.LineQueue().size() > TMxAppServ::MaxQueuedLines
            || service.Client.ReceiveBuffer().size() > TMxAppServ::MaxLineBytes)
            __builtin_trap();
        service.Client.TimerTick();
    });
    while (!service.Client.LineQueue().isEmpty())
        service.Client.TimerTick();
    for (const QString &line : std::exchange(service.Delivered, {})) {
        if (line.contains(u'\r') || line.size() > TMxAppServ::MaxLineBytes)
            __builtin_trap();
        Touch(line);
    }

    service.Client.SendLine(FuzzText(data, size));
    for (const QByteArray &written : std::exchange(service.Socket->Written, {}))
        if (!written.endsWith("\r\n") || written.count('\r') != 1 || written.count('\n') != 1)
            __builtin_trap();
    return 0;
}
