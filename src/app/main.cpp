// Chattle's entry: the main window first, then the login window, then the message loop.
#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <memory>

#include "AppPaths.h"
#include "MxAppServ.h"
#include "ProductInfo.h"
#include "StandInLogin.h"
#include "ToolGlyphs.h"
#include "frmChattle.h"
#include "frmEmailWizard.h"
#include "frmSplash.h"

namespace {
// The icon of the menu entry, as artgen draws it into the artwork; the drawn emblem when it is missing.
QIcon ApplicationIcon()
{
    QIcon icon;
    for (int size : {48, 128, 256}) {
        const QString path = AppPaths::ArtworkDir() + QStringLiteral("/chattle%1.png").arg(size);
        if (QFileInfo::exists(path))
            icon.addFile(path, QSize(size, size));
    }
    return icon.isNull() ? ChattleEmblem() : icon;
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Chattle"));
    QApplication::setApplicationDisplayName(QStringLiteral("Chattle"));
    // The main window ends the program; the other top-level windows do not keep it running.
    QApplication::setQuitOnLastWindowClosed(false);
    // The desktop pairs the windows with the menu entry and its icon by this name.
    QGuiApplication::setDesktopFileName(DesktopAppId);
    QApplication::setWindowIcon(ApplicationIcon());

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
