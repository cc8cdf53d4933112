#pragma once
// Notifications through the desktop's notification service on the session bus. Without a session bus
// or without a service on it nothing is shown and nothing waits: the call is sent without a reply.
#include "ChatComforts.h"

class TDesktopNotifier : public TNotifier {
public:
    void Notify(const QString &Title, const QString &Text) override;
};
