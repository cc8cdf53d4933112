// Chattle's entry: the main window first, then the login window, then the message loop.
#include <QApplication>

#include "StandInLogin.h"
#include "frmChattle.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Chattle"));
    QApplication::setApplicationDisplayName(QStringLiteral("Chattle"));
    // The main window ends the program; the other top-level windows do not keep it running.
    QApplication::setQuitOnLastWindowClosed(false);

    TfrmChattle window;
    TStandInLogin login(window.Connection());
    window.LoginWindow = &login;
    window.OnClosed = [] { QCoreApplication::quit(); };
    window.showMaximized();
    const int result = QApplication::exec();
    window.LoginWindow = nullptr;
    return result;
}
