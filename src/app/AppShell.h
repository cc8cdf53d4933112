#pragma once
// What the application's windows (login, editor, channel browser, wizard) need of the main window.
// TfrmChattle implements it; tests pass a small fake.
#include <QString>

class TMxIRCConnection;

class TAppShell {
public:
    virtual ~TAppShell() = default;

    // The one connection manager, owned by the main window.
    virtual TMxIRCConnection *Connection() = 0;
    // Sends "CSENDINFO EMAILADDRESS " + Address through the service client.
    virtual void ReportEmailAddress(const QString &Address) = 0;
    // Sends "CSENDINFO TELLAFRIEND " + Text through the service client.
    virtual void ReportTellAFriend(const QString &Text) = 0;
    // Stops the channel list that is coming in.
    virtual void StopChannelListing() = 0;
};
