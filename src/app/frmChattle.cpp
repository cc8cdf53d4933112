#include "frmChattle.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <utility>

#include "AboutBox.h"
#include "AppLog.h"
#include "AppPaths.h"
#include "Banner.h"
#include "CertificateQuestion.h"
#include "CertificateTrust.h"
#include "ChatLogWriter.h"
#include "ChattleCursors.h"
#include "ChattleError.h"
#include "ChattleLog.h"
#include "CursorTable.h"
#include "DesktopNotifier.h"
#include "Dialogs.h"
#include "ErrorHook.h"
#include "FrameComforts.h"
#include "IRCClient.h"
#include "LoginWindow.h"
#include "MdiWindowHost.h"
#include "MxAppServ.h"
#include "MxIRCConnection.h"
#include "Palette.h"
#include "ProductInfo.h"
#include "QtSoundPlayer.h"
#include "Reconnector.h"
#include "ToolGlyphs.h"
#include "VersionCheck.h"
#include "WindowMarks.h"
#include "frameChatFrame.h"
#include "frmChannels.h"
#include "frmChat.h"
#include "frmConsole.h"
#include "frmEmailWizard.h"
#include "frmSplash.h"

namespace {
const QStringList SoundFiles = {
    QStringLiteral("/BuddyOnLine.wav"), QStringLiteral("/BuddyOffLine.wav"), QStringLiteral("/MessageFrom.wav"),
    QStringLiteral("/MessageTo.wav"),   QStringLiteral("/EnterRoom.wav"),    QStringLiteral("/ExitRoom.wav"),
};
const QString QuitLine = QStringLiteral("QUIT :Bye Bye");
const QString DisconnectQuestion = QStringLiteral(
    "To connect to a different server, you must first disconnect from this one.  Are you sure you'd like to disconnect?");
const QString ConnectFailedText =
    QStringLiteral("You are unable to connect to this server.  Please try again later, or try a different IRC server.");
const QString NickInUseText = QStringLiteral("The nickname you have chosen is in use by someone else on this server.  "
                                             "Please change your nickname and try again.");
const QString BannedText = QStringLiteral("You have been banned from this server.  Try connecting to a different one.");
const QString DisconnectedText =
    QStringLiteral("You have been disconnected.  Please check your connection, or try a different IRC server.");
const QString LoginRefusedText = QStringLiteral(
    "The server refused the password for %1 (SASL). Check the character's password, or clear it to log in without one.");
const QString NotOnlineText = QStringLiteral("Please verify you are connected to the Internet.");

// The desktop's default sans-serif font, sized in points or, when pixelSize is given, in pixels.
QFont SansSerif(int pointSize, int pixelSize = 0)
{
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    if (pixelSize > 0)
        font.setPixelSize(pixelSize);
    else
        font.setPointSize(pointSize);
    return font;
}

// Runs a user command under the application's error hook.
template <typename Handler> auto Guarded(Handler handler)
{
    return [handler] { RunGuarded(handler); };
}
} // namespace

TfrmChattle::TfrmChattle(QWidget *Parent, TClientSocket *Socket, TClientSocket *ServiceSocket)
    : QMainWindow(Parent), FConnection(nullptr), FReconnector(nullptr), FArea(new QMdiArea(this)), FHost(std::make_unique<TMdiWindowHost>(FArea)),
      FServiceSocket(ServiceSocket)
{
    if (FServiceSocket)
        FServiceSocket->setParent(this);
    setObjectName(QStringLiteral("frmChattle"));
    setWindowTitle(ProductName + QStringLiteral("!    Version ") + ProductVersion + QStringLiteral(" "));
    setFont(SansSerif(8));
    resize(800, 600);

    FSettings = LoadRegistrySettings();

    FConnection = new TMxIRCConnection(this, Socket);
    FConnection->Host = this;
    FConnection->IRCClient()->OnCertificateCheck = [this](QObject *, const TPeerCertificate &certificate) {
        return CheckServerCertificate(this, TCertificateTrust(AppPaths::TrustedCertificatesPath()), certificate);
    };
    FConnection->CreateChannelBrowser = [this](QWidget *owner) {
        auto *browser = new TfrmChannels(owner, this);
        browser->NewChannelDialog = NewChannelDialog;
        return browser;
    };
    FReconnector = new TReconnector(this, FConnection);
    FReconnector->OnCancelled = [this] {
        if (LoginWindow)
            LoginWindow->ShowLogin();
    };

    FArtworkDir = AppPaths::ArtworkDir();
    FProfilesDir = AppPaths::ProfilesDir();
    for (const QString &file : SoundFiles)
        FSoundPaths << FArtworkDir + file;

    RegisterChattleCursors();

    FColourDepth = screen() ? screen()->depth() : 32;
    if (NeedsSharedPalette(FColourDepth)) {
        FPalette = std::make_unique<TMxPalette>();
        SetSharedPalette(FPalette.get());
    }

    FWavPlayer = std::make_unique<TQtSoundPlayer>();
    FOptions = LoadComfortOptions();
    FNotifier = std::make_unique<TDesktopNotifier>();
    FLogWriter = new TChatLogWriter(this);
    FComforts.Timestamps = FOptions.Timestamps;
    FComforts.KeepLogs = FOptions.KeepLogs;
    FComforts.LogsDir = AppPaths::LogsDir();
    FComforts.LogWriter = FLogWriter;
    FComforts.Notifier = FNotifier.get();
    FComforts.Player = FWavPlayer.get();
    FComforts.MessageFromSound = FSoundPaths.value(2);
    SetApplicationErrorHandler([this](const std::exception &error) { HandleApplicationError(error); });

    FArea->setObjectName(QStringLiteral("MDIClient"));
    FArea->setBackground(Qt::white);
    connect(FArea, &QMdiArea::subWindowActivated, this, [](QMdiSubWindow *window) { ClearWindowMark(window); });
    BuildToolStrip();
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BuildBannerStrip());
    layout->addWidget(FArea, 1);
    setCentralWidget(central);
    BuildMenus();
    AdImage1->LoadBanners(FArtworkDir);
}

TfrmChattle::~TfrmChattle()
{
    SetApplicationErrorHandler(nullptr);
    // The manager first: it cuts the room windows' way back to it while they still exist.
    delete FConnection;
    FConnection = nullptr;
    if (FPalette)
        SetSharedPalette(nullptr);
}

void TfrmChattle::BuildToolStrip()
{
    auto *strip = addToolBar(QStringLiteral("Tools"));
    strip->setObjectName(QStringLiteral("ToolBar1"));
    strip->setMovable(false);
    strip->setFloatable(false);
    strip->setIconSize(QSize(18, 18));
    strip->setFixedHeight(27 + 4);
    auto makeButton = [strip](const QString &name, const QString &caption, const QString &hint, const QIcon &glyph) {
        auto *button = new QToolButton(strip);
        button->setObjectName(name);
        button->setText(caption);
        button->setToolTip(hint);
        button->setIcon(glyph);
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setAutoRaise(true);
        QFont bold = button->font();
        bold.setBold(true);
        button->setFont(bold);
        strip->addWidget(button);
        return button;
    };
    btnConnectDisco = makeButton(QStringLiteral("btnConnectDisco"), QStringLiteral("Login/out"),
                                 QStringLiteral("Connect / Disconnect"), ConnectGlyph());
    btnChannels = makeButton(QStringLiteral("btnChannels"), QStringLiteral("Channels"), QStringLiteral("Channels"),
                             ChannelsGlyph());
    connect(btnConnectDisco, &QToolButton::clicked, this, Guarded([this] { btnConnectDiscoClick(); }));
    connect(btnChannels, &QToolButton::clicked, this, Guarded([this] { btnChannelsClick(); }));
}

QWidget *TfrmChattle::BuildBannerStrip()
{
    auto *strip = new QWidget(this);
    strip->setObjectName(QStringLiteral("pnlBanner"));
    strip->setFixedHeight(64);
    strip->setAutoFillBackground(true);

    AdImage1 = new TBanner(strip);
    AdImage1->ProgramID = BannerProgramID;
    AdImage1->OnCounted = [this](QObject *, int programId) { AdImage1Counted(programId); };

    Button1 = new QPushButton(QStringLiteral("Tell A Friend!"), strip);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFixedSize(145, 52);
    QFont font = SansSerif(0, 16);
    font.setBold(true);
    Button1->setFont(font);
    connect(Button1, &QPushButton::clicked, this, Guarded([this] { Button1Click(); }));

    auto *layout = new QHBoxLayout(strip);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(8);
    layout->addWidget(AdImage1);
    layout->addWidget(Button1);
    layout->addStretch(1);
    return strip;
}

void TfrmChattle::BuildMenus()
{
    auto addItem = [this](QMenu *menu, const QString &name, const QString &caption, const std::function<void()> &action) {
        QAction *item = menu->addAction(caption);
        item->setObjectName(name);
        connect(item, &QAction::triggered, this, [action] { RunGuarded(action); });
        return item;
    };
    QMenu *connection = menuBar()->addMenu(QStringLiteral("&Connection"));
    connection->setObjectName(QStringLiteral("Connection1"));
    ConnectDisconnect1 = addItem(connection, QStringLiteral("ConnectDisconnect1"), QStringLiteral("&Connect / Disconnect..."),
                                 [this] { btnConnectDiscoClick(); });
    ShowChannels1 = addItem(connection, QStringLiteral("ShowChannels1"), QStringLiteral("&Show Chatrooms (Channels)..."),
                            [this] { btnChannelsClick(); });
    connection->addSeparator()->setObjectName(QStringLiteral("N1"));
    Exit1 = addItem(connection, QStringLiteral("Exit1"), QStringLiteral("E&xit"), [this] { close(); });

    FWindowMenu = menuBar()->addMenu(QStringLiteral("&Window"));
    FWindowMenu->setObjectName(QStringLiteral("Window1"));
    Tile1 = addItem(FWindowMenu, QStringLiteral("Tile1"), QStringLiteral("&Tile"), [this] { Tile1Click(); });
    Cascade1 = addItem(FWindowMenu, QStringLiteral("Cascade1"), QStringLiteral("&Cascade"), [this] { Cascade1Click(); });
    ArrangeAll1 = addItem(FWindowMenu, QStringLiteral("ArrangeAll1"), QStringLiteral("&Arrange All"),
                          [this] { ArrangeAll1Click(); });
    connect(FWindowMenu, &QMenu::aboutToShow, this, [this] { FillWindowMenu(); });

    QMenu *options = menuBar()->addMenu(QStringLiteral("&Options"));
    options->setObjectName(QStringLiteral("Options1"));
    ShowTimestamps1 = addItem(options, QStringLiteral("ShowTimestamps1"), QStringLiteral("Show &Timestamps"),
                              [this] { ShowTimestamps1Click(); });
    KeepLogs1 = addItem(options, QStringLiteral("KeepLogs1"), QStringLiteral("Keep Conversation &Logs"),
                        [this] { KeepLogs1Click(); });
    for (QAction *option : {ShowTimestamps1, KeepLogs1})
        option->setCheckable(true);
    ShowTimestamps1->setChecked(FOptions.Timestamps);
    KeepLogs1->setChecked(FOptions.KeepLogs);
    options->addSeparator();
    OpenLogsFolder1 = addItem(options, QStringLiteral("OpenLogsFolder1"), QStringLiteral("Open Logs &Folder"),
                              [this] { OpenLogsFolder1Click(); });

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    Contents1 = addItem(help, QStringLiteral("Contents1"), QStringLiteral("&Contents"), [this] { Contents1Click(); });
    ChattleWebsite1 = addItem(help, QStringLiteral("ChattleWebsite1"), QStringLiteral("&Chattle Website"),
                              [this] { ChattleWebsite1Click(); });
    About1 = addItem(help, QStringLiteral("About1"), QStringLiteral("&About..."), [this] { About1Click(); });
}

// The open child windows below the three commands, the active one checked.
void TfrmChattle::FillWindowMenu()
{
    qDeleteAll(FWindowListActions);
    FWindowListActions.clear();
    const QList<QMdiSubWindow *> windows = FArea->subWindowList();
    if (windows.isEmpty())
        return;
    FWindowListActions << FWindowMenu->addSeparator();
    int number = 0;
    for (QMdiSubWindow *window : windows) {
        ++number;
        const QString title = window->windowTitle().replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *item = FWindowMenu->addAction(number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(title) : title);
        item->setCheckable(true);
        item->setChecked(window == FArea->activeSubWindow());
        // Unread text and mentions: bold, with the caption's dot.
        if (const TWindowMark mark = WindowMarkOf(window); mark != TWindowMark::None) {
            QFont bold = item->font();
            bold.setBold(true);
            item->setFont(bold);
            item->setIcon(WindowMarkIcon(mark));
        }
        const QPointer<QMdiSubWindow> target = window;
        connect(item, &QAction::triggered, this, [this, target] {
            if (target)
                ActivateChildWindow(target);
        });
        FWindowListActions << item;
    }
}

// ---- Start-up --------------------------------------------------------------------------------------

void TfrmChattle::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!FActivated)
        RunGuarded([this] { FormActivate(); });
}

void TfrmChattle::FormActivate()
{
    if (FActivated)
        return;
    FActivated = true;
    if (Splash) {
        Splash->show();
        QCoreApplication::processEvents();
    }

    FConsole = new TfrmConsole;
    const QRect place = FConsole->geometry();
    QMdiSubWindow *consoleWindow = FArea->addSubWindow(FConsole);
    consoleWindow->setWindowIcon(windowIcon());
    consoleWindow->setGeometry(place);
    consoleWindow->show();

    FConnection->OnConnected = [this](QObject *, QString) { ConnectionConnected(); };
    FConnection->OnError = [this](QObject *, int code) { ConnectionError(code); };
    const QPointer<TfrmConsole> console = FConsole;
    FConnection->OnConsoleLine = [console](QObject *sender, QString text) {
        if (console)
            console->AddLine(sender, text);
    };
    FReconnector->OnConsoleLine = [this, console](QString text) {
        if (console)
            console->AddLine(this, text);
    };

    if (LoginWindow) {
        LoginWindow->SetDirectories(FArtworkDir, FProfilesDir);
        // Without artwork there are no characters; the program still runs and shows the console.
        RunGuarded([this] { LoginWindow->LoadCharacters(); });
    }
    FConnection->PersonaLib = LoginWindow ? LoginWindow->PersonaLib() : nullptr;
    FConnection->ArtworkDir = FArtworkDir;
    FConnection->WavPlayer = FWavPlayer.get();

    if (Splash) {
        Splash->LoadingDone();
        QCoreApplication::processEvents();
    } else if (LoginWindow) {
        LoginWindow->ShowLogin();
    }

    FAppServ = new TMxAppServ(this, std::exchange(FServiceSocket, nullptr));
    FAppServ->AppID = QStringLiteral("CHATTLE");
    FAppServ->Host = ServiceHost;
    FAppServ->Port = ServicePort;
    FAppServ->OnLineReceived = [this](QObject *, const QString &line) { ServiceLineReceived(line); };
    FAppServ->OpenConnection();
}

// ---- Commands ----------------------------------------------------------------------------------------

void TfrmChattle::btnConnectDiscoClick()
{
    if (FConnection->IsConnected()) {
        if (Confirm(this, DisconnectQuestion) != TDialogButton::Yes)
            return;
        FConnection->SendCommand(QuitLine);
        FConnection->Disconnect();
    }
    if (LoginWindow)
        LoginWindow->ShowLogin();
}

void TfrmChattle::btnChannelsClick() { FConnection->ShowChannels(); }

void TfrmChattle::Button1Click()
{
    auto *wizard = new TfrmEmailWizard(this, this);
    wizard->show();
}

void TfrmChattle::Contents1Click()
{
    const QString help = AppPaths::HelpFilePath();
    if (!QFileInfo::exists(help)) {
        Warn(this, QStringLiteral("The help file %1 could not be found.").arg(QDir::toNativeSeparators(help)));
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(help));
}

void TfrmChattle::ChattleWebsite1Click() { QDesktopServices::openUrl(QUrl(MakerWebAddress)); }

void TfrmChattle::About1Click()
{
    TAboutBox about(this);
    about.exec();
}

void TfrmChattle::ShowTimestamps1Click()
{
    FOptions.Timestamps = FComforts.Timestamps = ShowTimestamps1->isChecked();
    SaveComfortOptions(FOptions);
}

void TfrmChattle::KeepLogs1Click()
{
    FOptions.KeepLogs = FComforts.KeepLogs = KeepLogs1->isChecked();
    SaveComfortOptions(FOptions);
}

void TfrmChattle::OpenLogsFolder1Click()
{
    const QString logs = FComforts.LogsDir;
    if (!QDir().mkpath(logs)) {
        Warn(this, QStringLiteral("The logs folder %1 could not be created.").arg(QDir::toNativeSeparators(logs)));
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(logs));
}

void TfrmChattle::Tile1Click() { FArea->tileSubWindows(); }

void TfrmChattle::Cascade1Click() { FArea->cascadeSubWindows(); }

// Lines the minimised child windows up along the bottom of the area, left to right.
void TfrmChattle::ArrangeAll1Click()
{
    int x = 0;
    int y = FArea->viewport()->height();
    for (QMdiSubWindow *window : FArea->subWindowList()) {
        if (!window->isMinimized())
            continue;
        const QSize size = window->size();
        if (x > 0 && x + size.width() > FArea->viewport()->width()) {
            x = 0;
            y -= size.height();
        }
        window->move(x, y - size.height());
        x += size.width();
    }
}

// ---- Events --------------------------------------------------------------------------------------------

void TfrmChattle::ConnectionConnected()
{
    FComforts.Network = FConnection->IRCClient()->ServerAddress;
    if (LoginWindow)
        LoginWindow->HideLogin();
}

void TfrmChattle::ConnectionError(int Code)
{
    if (FReconnector->AttemptError(Code))
        return;
    const QPointer<TfrmChattle> self = this;
    auto report = [this, &self](const QString &text) {
        ShowError(this, text);
        if (self)
            ResetScreenCursor();
        return !self.isNull();
    };
    switch (Code) {
    case ConnectionFailure::ConnectError:
        if (report(ConnectFailedText) && LoginWindow)
            LoginWindow->BringLoginToFront();
        break;
    case ConnectionFailure::NickInUse:
        if (report(NickInUseText) && LoginWindow)
            LoginWindow->ShowLogin();
        break;
    case ConnectionFailure::Banned:
        if (report(BannedText) && LoginWindow)
            LoginWindow->ShowLogin();
        break;
    case ConnectionFailure::LoginRefused:
        if (report(LoginRefusedText.arg(FConnection->OwnNick())) && LoginWindow)
            LoginWindow->ShowLogin();
        break;
    case ConnectionFailure::CertificateRefused: // the user has been told, or has cancelled
        ResetScreenCursor();
        if (LoginWindow) // hidden when a reconnect was refused
            LoginWindow->ShowLogin();
        break;
    case ConnectionFailure::Disconnected: {
        // The rooms close and the countdown starts at once; the message does not wait for its OK,
        // so the reconnect goes on while it is up. Cancel brings the login window.
        const TOpenWindows open = FConnection->OpenWindows();
        FConnection->CloseAll();
        FReconnector->ConnectionLost(open);
        OpenMessage(this, DisconnectedText, {});
        ResetScreenCursor();
        break;
    }
    default:
        break;
    }
}

void TfrmChattle::ServiceLineReceived(const QString &Line)
{
    if (AnnouncesNewVersion(Line))
        ShowMessage(this, QStringLiteral("A new version is available!  Please download the latest version of Chattle at ") +
                              MakerWebAddress + QStringLiteral(" "));
}

void TfrmChattle::AdImage1Counted(int ProgramID)
{
    SendToService(QStringLiteral("CSENDINFO AUREATE_ADVERT ") + QString::number(ProgramID));
}

void TfrmChattle::ReportEmailAddress(const QString &Address)
{
    SendToService(QStringLiteral("CSENDINFO EMAILADDRESS ") + Address);
}

void TfrmChattle::ReportTellAFriend(const QString &Text) { SendToService(QStringLiteral("CSENDINFO TELLAFRIEND ") + Text); }

void TfrmChattle::StopChannelListing() { FConnection->StopListing(); }

void TfrmChattle::SendToService(const QString &Line)
{
    if (FAppServ)
        FAppServ->SendLine(Line);
}

void TfrmChattle::HandleApplicationError(const std::exception &Error)
{
    if (!dynamic_cast<const ESocketError *>(&Error)) {
        LogAbandoned(lcApp, QStringLiteral("Dropped an error"), Error);
        return;
    }
    const QPointer<TfrmChattle> self = this;
    ShowError(this, NotOnlineText);
    if (!self)
        return;
    ResetScreenCursor();
    if (LoginWindow)
        LoginWindow->BringLoginToFront();
}

// ---- Child windows ---------------------------------------------------------------------------------------

void TfrmChattle::AddChildWindow(QMdiSubWindow *Window)
{
    if (auto *chat = qobject_cast<TfrmChat *>(Window))
        chat->frameChatFrame->Comforts()->Shared = &FComforts;
    FHost->AddChildWindow(Window);
}

void TfrmChattle::ActivateChildWindow(QMdiSubWindow *Window) { FHost->ActivateChildWindow(Window); }

void TfrmChattle::BringToFront() { FHost->BringToFront(); }

// ---- Placement -----------------------------------------------------------------------------------------

bool TfrmChattle::RestorePlacement()
{
    const QByteArray placement = LoadWindowPlacement();
    return !placement.isEmpty() && restoreGeometry(placement);
}

// ---- Closing -------------------------------------------------------------------------------------------

// Leaving while connected says goodbye to the server and closes the room windows quietly: their own
// close rule would send a PART for every room.
void TfrmChattle::closeEvent(QCloseEvent *event)
{
    RunGuarded([this] {
        FReconnector->Stop();
        if (FConnection->IsConnected()) {
            FConnection->SendCommand(QuitLine);
            FConnection->Disconnect();
        }
        FConnection->CloseAll();
        if (LoginWindow)
            LoginWindow->HideLogin();
    });
    SaveWindowPlacement(saveGeometry());
    event->accept();
    QMainWindow::closeEvent(event);
    if (OnClosed)
        OnClosed();
}
