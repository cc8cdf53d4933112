// The send path of TIRCClient: which lines wait in the send queue and which go out at once.
#include "IRCClient.h"

namespace {
// A line that must never wait: a PONG (the server would drop a client that answers late) and a QUIT
// (the user is leaving, and the socket closes right after it).
bool IsUrgent(const QString &Line)
{
    return Line.startsWith(QLatin1String("PONG"), Qt::CaseInsensitive) ||
           Line.startsWith(QLatin1String("QUIT"), Qt::CaseInsensitive);
}
} // namespace

void TIRCClient::Send(const QString &Line, TSendPriority Priority, const QString &MergeKey)
{
    // Until the server's welcome everything is registration (PASS, NICK, USER and any capability or
    // authentication exchange), which the server waits for.
    if (!FRegistered || IsUrgent(Line))
        FSendQueue->WriteNow(Line);
    else
        FSendQueue->Add(Line, Priority, MergeKey);
}

// The registration lines are not held against what follows: a room joined right after logging in
// opens at once.
void TIRCClient::RegistrationEnded()
{
    FRegistered = true;
    FSendQueue->Clear(); // nothing waits yet: every line before the welcome went out at once
}

void TIRCClient::ResetSendPath()
{
    FRegistered = false;
    FSendQueue->Clear();
}
