#include "DesktopNotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QVariantMap>

#include "ProductInfo.h"

void TDesktopNotifier::Notify(const QString &Title, const QString &Text)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    // Services may read the body as simple markup: what came from the network is escaped first.
    call << ProductName << 0u << QString() << Title << Text.toHtmlEscaped() << QStringList() << QVariantMap()
         << -1;
    bus.send(call);
}
