#include "MainWindowTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QTimer>

#include "ErrorHook.h"
#include "IRCClient.h"
#include "MxIRCConnection.h"
#include "PersonaInst.h"
#include "PersonaLib.h"
#include "ToolGlyphs.h"
#include "frmChattle.h"

namespace {
// One part library for the whole run: loading it takes a while.
TPersonaLib &Library()
{
    static TPersonaLib library(QStringLiteral(CHATTLE_ARTWORK_DIR));
    return library;
}
} // namespace

TTemporarySettings::TTemporarySettings()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FDir.path());
}

TTemporarySettings::~TTemporarySettings()
{
    // Nowhere real, even after the folder is gone.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FDir.path() + "-gone");
}

TMainWindowRig::TMainWindowRig()
    : Socket(new TFakeSocket), ServiceSocket(new TFakeSocket), Character(std::make_unique<TPersonaInst>(&Library())),
      Window(std::make_unique<TfrmChattle>(nullptr, Socket, ServiceSocket))
{
    Window->LoginWindow = &Login;
    Window->ChatComforts().Notifier = nullptr; // no desktop notifications from tests
    Window->Connection()->IRCClient()->LineTimer()->stop();
}

TMainWindowRig::~TMainWindowRig() { Window.reset(); }

void TMainWindowRig::Activate()
{
    Window->show();
    Login.Calls.clear();
}

void TMainWindowRig::ConnectAsAlice()
{
    TMxIRCConnection *connection = Window->Connection();
    connection->PersonaLib = &Library();
    connection->SelectedCharacter = Character.get();
    connection->Connect("alice", "", "srv1", 6667);
    Socket->AcceptConnection();
    Socket->TakeLines();
    Login.Calls.clear();
}

void TMainWindowRig::ConnectService()
{
    ServiceSocket->AcceptConnection();
    ServiceSocket->TakeLines();
}

void TMainWindowRig::Feed(const QString &Line)
{
    TIRCClient *client = Window->Connection()->IRCClient();
    Socket->Receive(Line.toUtf8() + "\r\n");
    while (!client->LineQueue().isEmpty())
        RunGuarded([client] { client->ProcessNextLine(); });
}

QString PrepareScreenshots(int argc, char **argv)
{
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    QApplication::setWindowIcon(ApplicationIcon(QStringLiteral(CHATTLE_ARTWORK_DIR)));
    return out;
}
