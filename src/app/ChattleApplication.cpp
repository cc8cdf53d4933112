#include "ChattleApplication.h"

#include <QApplication>

#include "AppPaths.h"
#include "ProductInfo.h"
#include "ToolGlyphs.h"
#include "frmChattle.h"
#include "frmEditor.h"
#include "frmLogin.h"
#include "frmNewChannel.h"
#include "frmSplash.h"

void PrepareApplication()
{
    QApplication::setApplicationName(QStringLiteral("Chattle"));
    QApplication::setApplicationDisplayName(QStringLiteral("Chattle"));
    // The main window ends the program; the other top-level windows do not keep it running.
    QApplication::setQuitOnLastWindowClosed(false);
    // The desktop pairs the windows with the menu entry and its icon by this name.
    QGuiApplication::setDesktopFileName(DesktopAppId);
    QApplication::setWindowIcon(ApplicationIcon(AppPaths::ArtworkDir()));
}

TfrmLogin *ComposeWindows(TfrmChattle &Window)
{
    auto *login = new TfrmLogin(&Window, &Window);
    login->RunEditor = [&Window, login](TPersonaInst *existing) {
        return RunCharacterEditor(&Window, login->PersonaLib(), Window.ArtworkDir(), Window.ProfilesDir(), existing);
    };
    Window.LoginWindow = login;
    Window.NewChannelDialog = new TfrmNewChannel(&Window);
    Window.Splash = new TfrmSplash(login, &Window);
    Window.OnClosed = [] { QCoreApplication::quit(); };
    return login;
}
