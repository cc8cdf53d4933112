// Chattle's entry: the main window first, then the login window, the new-channel dialog and the
// splash, then the message loop.
#include <QApplication>

#include "AppPaths.h"
#include "ProductInfo.h"
#include "ToolGlyphs.h"
#include "frmChattle.h"
#include "frmEditor.h"
#include "frmLogin.h"
#include "frmNewChannel.h"
#include "frmSplash.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Chattle"));
    QApplication::setApplicationDisplayName(QStringLiteral("Chattle"));
    // The main window ends the program; the other top-level windows do not keep it running.
    QApplication::setQuitOnLastWindowClosed(false);
    // The desktop pairs the windows with the menu entry and its icon by this name.
    QGuiApplication::setDesktopFileName(DesktopAppId);
    QApplication::setWindowIcon(ApplicationIcon(AppPaths::ArtworkDir()));

    // The other windows belong to the main window and go with it.
    TfrmChattle window;
    auto *login = new TfrmLogin(&window, &window);
    login->RunEditor = [&window, login](TPersonaInst *existing) {
        return RunCharacterEditor(&window, login->PersonaLib(), window.ArtworkDir(), window.ProfilesDir(), existing);
    };
    window.LoginWindow = login;
    window.NewChannelDialog = new TfrmNewChannel(&window);
    window.Splash = new TfrmSplash(login, &window);
    window.OnClosed = [] { QCoreApplication::quit(); };
    window.showMaximized();
    return QApplication::exec();
}
