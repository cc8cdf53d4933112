// Chattle's entry: the main window first, then the login window and the splash, then the message loop.
#include <QApplication>
#include <QIcon>
#include <memory>

#include "StandInLogin.h"
#include "ToolGlyphs.h"
#include "frmSplash.h"
#include "frmChattle.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Chattle"));
    QApplication::setApplicationDisplayName(QStringLiteral("Chattle"));
    // The main window ends the program; the other top-level windows do not keep it running.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("chattle"), ChattleEmblem()));

    // The login window goes after the main window, whose rooms use its characters.
    std::unique_ptr<TStandInLogin> login;
    TfrmChattle window;
    login = std::make_unique<TStandInLogin>(window.Connection());
    window.LoginWindow = login.get();
    window.Splash = new TfrmSplash(login.get(), &window);
    window.OnClosed = [] { QCoreApplication::quit(); };
    window.showMaximized();
    return QApplication::exec();
}
