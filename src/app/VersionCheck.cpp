#include "VersionCheck.h"

#include "RegistrySettings.h"

bool AnnouncesNewVersion(const QString &Line)
{
    if (!Line.startsWith(QLatin1String("VERSION")))
        return false;
    constexpr int VersionStart = 8;
    constexpr int LongestVersion = 99;
    return Line.mid(VersionStart, LongestVersion) != BuiltInVersion;
}
