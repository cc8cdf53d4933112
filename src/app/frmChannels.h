#pragma once
// The channel browser: the server's channel list as it arrives, sorted and owner-drawn, restricted
// to visual rooms on demand; joins the chosen room or creates a new one. It frees itself when closed.
// Rows reported during one tick of the line pump reach the list together, right after that tick.
#include <QHash>
#include <QPointer>
#include <QWidget>

#include "ChannelBrowser.h"
#include "ChannelListModel.h"
#include "frmNewChannel.h"

class QLabel;
class QListView;
class QPushButton;
class QRadioButton;
class QTimer;
class TAppShell;

class TfrmChannels : public QWidget, public TChannelBrowser {
    Q_OBJECT
public:
    // Shell: the main window, asked to stop the listing and to send a new LIST; may be null.
    TfrmChannels(QWidget *Owner, TAppShell *Shell);

    QWidget *BrowserWindow() override { return this; }
    void ShowBrowser() override;
    void AddChannel(const QString &Name, int Users, const QString &Topic) override;

    // The dialog "Create New Channel..." shows; while unset the browser makes one for each use.
    QPointer<TfrmNewChannel> NewChannelDialog;

    // The listed rows; rows reported since the last turn of the event loop are still queued in it.
    const TChannelListModel &Channels() const { return *FChannels; }

    QLabel *lblPrompt;
    QRadioButton *radAllChannels;
    QRadioButton *radAVOnly;
    QPushButton *btnSortChannel;
    QPushButton *btnSortUsers;
    QPushButton *btnSortDesc;
    QListView *lstChannels;
    QPushButton *btnStopListing;
    QPushButton *btnNewChannel;
    QPushButton *btnGo;
    QPushButton *btnCancel;

protected:
    void closeEvent(QCloseEvent *Event) override;
    // Enter joins the chosen row as Go! does; Escape closes as Cancel does.
    void keyPressEvent(QKeyEvent *Event) override;

private:
    QWidget *ColumnHeader();
    void SortBy(TChannelSort Sort);
    void radAVOnlyClick();
    void btnStopListingClick();
    void btnGoClick();
    void btnNewChannelClick();

    TAppShell *FShell;
    TChannelListModel *FChannels;
    QTimer *FCommitTimer; // commits the queued rows once the current tick has finished
    TChannelSort FSort = TChannelSort::ByUsers;
    // Companion topics listed before their room, waiting for it (all-channels mode).
    QHash<QString, QString> FEarlyCompanionTopics;
};
