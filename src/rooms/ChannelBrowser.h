#pragma once
// What the connection manager needs of the channel browser: rows as LIST replies arrive, and the
// user's join, create and close notifications. The browser window implements it; the connection
// manager makes one through TMxIRCConnection::CreateChannelBrowser.
#include <QString>
#include <functional>

class QWidget;

class TChannelBrowser {
public:
    virtual ~TChannelBrowser() = default;

    // The browser's own window, watched so that a browser freed without OnClosed is never used.
    virtual QWidget *BrowserWindow() = 0;
    // Shows the browser without blocking.
    virtual void ShowBrowser() = 0;
    // One LIST reply; a topic that was only ":" arrives empty.
    virtual void AddChannel(const QString &Name, int Users, const QString &Topic) = 0;

    std::function<void(QString Name, QString Description, QString Background)> OnNewChannel;
    std::function<void(QString Name, QString CompanionTopic)> OnJoinChannel;
    std::function<void()> OnClosed; // raised while the browser closes
};
