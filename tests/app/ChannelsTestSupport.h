#pragma once
// The main window as the channel browser sees it: the connection manager, and Stop Listing counted
// and passed on.
#include "AppShell.h"
#include "MxIRCConnection.h"

class TChannelsTestShell : public TAppShell {
public:
    explicit TChannelsTestShell(TMxIRCConnection &Manager) : FManager(Manager) {}

    TMxIRCConnection *Connection() override { return &FManager; }
    void ReportEmailAddress(const QString &) override {}
    void ReportTellAFriend(const QString &) override {}
    void StopChannelListing() override
    {
        ++StopCount;
        FManager.StopListing();
    }

    int StopCount = 0;

private:
    TMxIRCConnection &FManager;
};
