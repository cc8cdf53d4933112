#include "RegistrySettings.h"

#include <QSettings>

namespace {
const QString VersionKey = QStringLiteral("Version");
const QString InteractionKey = QStringLiteral("Interaction Flag");
const QString PrivateChatKey = QStringLiteral("Private Chat Flag");
} // namespace

TRegistrySettings LoadRegistrySettings()
{
    QSettings registry(QStringLiteral("Fernhill Software"), QStringLiteral("Pagewalker"));
    TRegistrySettings settings;
    settings.Version = registry.value(VersionKey).toString();
    if (!settings.Version.isEmpty()) {
        settings.InteractionFlag = registry.value(InteractionKey, false).toBool();
        settings.PrivateChatFlag = registry.value(PrivateChatKey, false).toBool();
        return settings;
    }
    settings.Version = BuiltInVersion;
    registry.setValue(VersionKey, settings.Version);
    registry.setValue(InteractionKey, false);
    registry.setValue(PrivateChatKey, false);
    return settings;
}
