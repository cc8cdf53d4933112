// Chattle's entry: the main window first, then the login window, then the message loop.
#include <QApplication>
#include <QIcon>
#include <memory>

#include "MxAppServ.h"
#include "StandInLogin.h"
#include "ToolGlyphs.h"
#include "frmChattle.h"
#include "frmEmailWizard.h"
#include "frmSplash.h"

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
    window.OnClosed = [] { QCoreApplication::quit(); };

    // The splash and the service client belong to the main window and go with it.
    auto *splash = new TfrmSplash(login.get(), &window);
    window.ShowSplash = [splash] { splash->show(); };
    window.SplashLoaded = [splash] { splash->LoadingDone(); };
    auto *service = new TMxAppServ(&window);
    window.StartServiceClient = [service, &window] {
        service->AppID = QStringLiteral("CHATTLE");
        service->OnLineReceived = [&window](QObject *, const QString &Line) { window.ServiceLineReceived(Line); };
        service->OpenConnection();
    };
    window.SendServiceLine = [service](const QString &Line) { service->SendLine(Line); };
    window.OpenTellAFriend = [&window](QWidget *Owner) { (new TfrmEmailWizard(&window, Owner))->show(); };
    window.showMaximized();
    return QApplication::exec();
}
