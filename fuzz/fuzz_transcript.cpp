// A whole server transcript through the connection manager into room and private chat windows: the
// bytes arrive on the fake socket in chunks whose size follows from the input's length, each queued
// line is dispatched as the line pump does, and the windows are real widgets in a plain document area.
// One connection lives for the whole run; every input logs in afresh, and the windows it opened are
// closed and deleted after it, as the main window does on a lost connection.
#include "Dialogs.h"
#include "ErrorHook.h"
#include "FakeSocket.h"
#include "FuzzSupport.h"
#include "IRCClient.h"
#include "MdiWindowHost.h"
#include "MxIRCConnection.h"
#include "PersonaInst.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

namespace {
struct TSession {
    QMdiArea Area;
    TMdiWindowHost Host{&Area};
    TPersonaInst Selected{&MiniLibrary()};
    TFakeSocket *Socket = new TFakeSocket;
    TMxIRCConnection Connection{nullptr, Socket};

    TSession()
    {
        Selected.Name = QStringLiteral("alice");
        Connection.Host = &Host;
        Connection.PersonaLib = &MiniLibrary();
        Connection.SelectedCharacter = &Selected;
        Connection.OnConsoleLine = [](QObject *, QString text) { Touch(text); };
        Connection.OnError = [this](QObject *, int code) {
            Touch(code);
            if (code == ConnectionFailure::Disconnected)
                Connection.CloseAll();
        };
        Connection.IRCClient()->LineTimer()->stop();
    }

    void Pump()
    {
        TIRCClient &client = *Connection.IRCClient();
        while (!client.LineQueue().isEmpty())
            RunGuarded([&client] { client.ProcessNextLine(); });
    }

    void Reset()
    {
        Connection.CloseAll();
        Connection.IRCClient()->Disconnect();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!Area.subWindowList().isEmpty())
            __builtin_trap(); // a window outlived the close of every room
        Socket->Written.clear();
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
    EnsureApplication();
    SetDialogResponder([](TDialogKind, const QString &text) {
        Touch(text);
        return TDialogButton::No;
    });
    SetApplicationErrorHandler([](const std::exception &error) { Touch(QString::fromUtf8(error.what())); });
    Session();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    TSession &session = Session();
    session.Connection.Connect(QStringLiteral("alice"), QString(), QStringLiteral("srv1"), 6667);
    session.Socket->AcceptConnection();
    ForEachChunk(data, size, 1 + size % 509, [&](const QByteArray &bytes) {
        session.Socket->Receive(bytes);
        session.Pump();
    });
    for (const QString &name : session.Connection.RoomNames())
        Touch(name);
    session.Reset();
    return 0;
}
