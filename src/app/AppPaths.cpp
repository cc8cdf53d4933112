#include "AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include "AppLog.h"
#include "ChattleLog.h"

namespace {
// A folder that cannot be made shows up later as files that cannot be saved: say so now.
void MakeFolder(const QString &dir)
{
    if (!QDir().mkpath(dir))
        LogWarning(lcApp, QStringLiteral("Cannot create the folder ") + dir);
}

QString InstalledDataDir()
{
    return QDir::cleanPath(AppPaths::ApplicationDir() + "/../share/chattle");
}

QString UserDataDir()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    MakeFolder(dir);
    return dir;
}
} // namespace

namespace AppPaths {
QString ApplicationDir()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath());
}

bool RunningFromBuildFolder()
{
    return QDir(ApplicationDir() + "/Artwork").exists();
}

QString ArtworkDir()
{
    return (RunningFromBuildFolder() ? ApplicationDir() : InstalledDataDir()) + "/Artwork";
}

QString ProfilesDir()
{
    const QString dir = (RunningFromBuildFolder() ? ApplicationDir() : UserDataDir()) + "/AVProfiles";
    MakeFolder(dir);
    return dir;
}

QString ServersIniPath()
{
    return (RunningFromBuildFolder() ? ApplicationDir() : UserDataDir()) + "/servers.ini";
}

QString TrustedCertificatesPath() { return UserDataDir() + "/trusted-certificates"; }

QString LogsDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/logs";
}

QString HelpFilePath()
{
    return (RunningFromBuildFolder() ? ApplicationDir() : InstalledDataDir()) + "/Chattle.html";
}
} // namespace AppPaths
