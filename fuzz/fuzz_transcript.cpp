// A whole server transcript through the connection manager into room and private chat windows: the
// bytes arrive on the fake socket in chunks whose size follows from the input's length, each queued
// line is dispatched as the line pump does, and the windows are real widgets in a plain document area.
// One connection lives for the whole run; every input logs in afresh. The windows of a few names that
// the seeds use stay open from one input to the next, emptied, as they would over a reconnection, so
// that a join finds its window ready instead of building one with its character each time; every
// other window an input opens is closed and deleted after it.
#include "Dialogs.h"
#include "ErrorHook.h"
#include "FakeSocket.h"
#include "FuzzRooms.h"
#include "FuzzSupport.h"
#include "IRCClient.h"
#include "MdiWindowHost.h"
#include "MxIRCConnection.h"
#include "PersonaInst.h"
#include "frmChat.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

namespace {
const QString Own = QStringLiteral("alice");
const QStringList KeptWindows = {QStringLiteral("#lobby"), QStringLiteral("#den"), QStringLiteral("#burst"),
                                 QStringLiteral("bob")};

struct TSession {
    QMdiArea Area;
    TMdiWindowHost Host{&Area};
    TPersonaInst Selected{&MiniLibrary()};
    TFakeSocket *Socket = new TFakeSocket;
    TMxIRCConnection Connection{nullptr, Socket};

    TSession()
    {
        Selected.Name = Own;
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
        OpenKeptWindows();
    }

    void Pump()
    {
        TIRCClient &client = *Connection.IRCClient();
        while (!client.LineQueue().isEmpty())
            RunGuarded([&client] { client.ProcessNextLine(); });
    }

    // Opens the kept windows that are missing (an input may have closed them) through the manager, and
    // empties them all.
    void OpenKeptWindows()
    {
        for (const QString &name : KeptWindows) {
            if (!Connection.FindRoom(name))
                Connection.OpenRoom(name);
            EmptyChatFrame(*Connection.FindRoom(name)->frameChatFrame, Own);
        }
    }

    void Reset()
    {
        Connection.IRCClient()->Disconnect();
        for (const QString &name : Connection.RoomNames()) {
            TfrmChat *window = Connection.FindRoom(name);
            if (KeptWindows.contains(name) && window->RoomName == name)
                continue;
            window->CloseQuietly();
            Connection.RoomClosed(name);
        }
        DeliverPostedEvents();
        OpenKeptWindows();
        if (Area.subWindowList().size() != KeptWindows.size())
            __builtin_trap(); // a window outlived its close
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
    session.Connection.Connect(Own, QString(), QStringLiteral("srv1"), 6667);
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
