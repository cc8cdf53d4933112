#include "LoginTestSupport.h"

#include "IRCClient.h"

void TLoginRecordingSocket::SetHost(const QString &Host, quint16 Port)
{
    FHost = Host;
    FPort = Port;
}

void TLoginRecordingSocket::Open()
{
    const auto *client = qobject_cast<TIRCClient *>(parent());
    Attempts << QStringLiteral("%1 %2 %3:%4").arg(client->OwnNick(), client->Password, FHost).arg(FPort)
                    + (Secure ? QStringLiteral(" TLS") : QString())
                    + (client->PasswordWithoutTls ? QStringLiteral(" password-without-TLS") : QString());
}
