#pragma once
// The main window: the multiple-document frame around the console, the room and private chat
// windows. It owns the connection manager, turns its failure codes into messages, keeps the three
// registry values, checks the service's version reply and hosts the banner.
#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

#include "AppShell.h"
#include "ChatComforts.h"
#include "ComfortSettings.h"
#include "MxAppServ.h"
#include "RegistrySettings.h"
#include "WindowHost.h"
#include "frmConsole.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPushButton;
class QToolButton;
class TBanner;
class TChatLogWriter;
class TClientSocket;
class TLoginWindow;
class TMxPalette;
class TQtSoundPlayer;
class TReconnector;
class TSoundPlayer;
class TMdiWindowHost;
class TfrmNewChannel;
class TfrmSplash;

class TfrmChattle : public QMainWindow, public TAppShell, public TWindowHost {
    Q_OBJECT
public:
    static constexpr int BannerProgramID = 344;

    // Socket: the IRC transport, ServiceSocket: the service client's (tests pass fakes, which the
    // window takes over); null makes the real ones.
    explicit TfrmChattle(QWidget *Parent = nullptr, TClientSocket *Socket = nullptr,
                         TClientSocket *ServiceSocket = nullptr);
    ~TfrmChattle() override;

    // Set by the entry before the window is shown; not owned.
    TLoginWindow *LoginWindow = nullptr;
    // Shown at the start of the first activation and told when the characters are loaded; its "&Ok"
    // then shows the login window. Without a splash the login window shows at once. Not owned.
    QPointer<TfrmSplash> Splash;
    // The one "Create New Channel" dialog every channel browser shows; made by the entry.
    QPointer<TfrmNewChannel> NewChannelDialog;
    // Where the service client connects, read at the first activation (tests point it at their own).
    QString ServiceHost = TMxAppServ::ServiceHost;
    quint16 ServicePort = TMxAppServ::ServicePort;
    // Raised when the main window has closed: the program ends.
    std::function<void()> OnClosed;

    // TAppShell
    TMxIRCConnection *Connection() override { return FConnection; }
    void ReportEmailAddress(const QString &Address) override;
    void ReportTellAFriend(const QString &Text) override;
    void StopChannelListing() override;

    // TWindowHost
    QWidget *OwnerWindow() override { return this; }
    void AddChildWindow(QMdiSubWindow *Window) override;
    void ActivateChildWindow(QMdiSubWindow *Window) override;
    void BringToFront() override;

    // Where things live, decided at creation.
    QString ArtworkDir() const { return FArtworkDir; }
    QString ProfilesDir() const { return FProfilesDir; }
    QStringList SoundPaths() const { return FSoundPaths; }
    const TRegistrySettings &Settings() const { return FSettings; }
    TfrmConsole *Console() const { return FConsole; }
    // The service client, made at the first activation.
    TMxAppServ *AppServ() const { return FAppServ; }
    TBanner *Banner() const { return AdImage1; }
    QMdiArea *Area() const { return FArea; }
    bool Activated() const { return FActivated; }
    // Connects again after a lost connection; its status bar line counts down (tests tick it).
    TReconnector *Reconnector() const { return FReconnector; }
    // The options and services every chat window shares (tests replace the notifier and the checks).
    TChatComforts &ChatComforts() { return FComforts; }
    const TComfortOptions &Options() const { return FOptions; }
    // Puts the window where it stood when it last closed; false when it never closed before.
    bool RestorePlacement();

    // The first activation: splash, console, events, characters, service client. Runs when the
    // window is first shown; later calls do nothing.
    void FormActivate();

    void btnConnectDiscoClick();
    void btnChannelsClick();
    void Button1Click();
    void Contents1Click();
    void ChattleWebsite1Click();
    void About1Click();
    void Tile1Click();
    void Cascade1Click();
    void ArrangeAll1Click();
    void ShowTimestamps1Click();
    void KeepLogs1Click();
    void OpenLogsFolder1Click();

    // Connection manager events.
    void ConnectionConnected();
    void ConnectionError(int Code);
    // A line from the service client.
    void ServiceLineReceived(const QString &Line);
    // The banner counted one display.
    void AdImage1Counted(int ProgramID);

    // Controls.
    QToolButton *btnConnectDisco;
    QToolButton *btnChannels;
    TBanner *AdImage1;
    QPushButton *Button1;
    QAction *ConnectDisconnect1;
    QAction *ShowChannels1;
    QAction *Exit1;
    QAction *Tile1;
    QAction *Cascade1;
    QAction *ArrangeAll1;
    QAction *ShowTimestamps1;
    QAction *KeepLogs1;
    QAction *OpenLogsFolder1;
    QAction *Contents1;
    QAction *ChattleWebsite1;
    QAction *About1;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildToolStrip();
    QWidget *BuildBannerStrip();
    void BuildMenus();
    void FillWindowMenu();
    void HandleApplicationError(const std::exception &Error);
    void SendToService(const QString &Line);

    TRegistrySettings FSettings;
    QString FArtworkDir;
    QString FProfilesDir;
    QStringList FSoundPaths;
    int FColourDepth = 0;
    std::unique_ptr<TMxPalette> FPalette;
    std::unique_ptr<TQtSoundPlayer> FWavPlayer;
    TMxIRCConnection *FConnection;
    TReconnector *FReconnector;
    QMdiArea *FArea;
    std::unique_ptr<TMdiWindowHost> FHost;
    QMenu *FWindowMenu = nullptr;
    QList<QAction *> FWindowListActions;
    QPointer<TfrmConsole> FConsole;
    TClientSocket *FServiceSocket;
    TMxAppServ *FAppServ = nullptr;
    bool FActivated = false;
    TComfortOptions FOptions;
    std::unique_ptr<TNotifier> FNotifier;
    TChatLogWriter *FLogWriter;
    TChatComforts FComforts;
};
