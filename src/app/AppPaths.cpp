#include "AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace {
QString InstalledDataDir()
{
    return QDir::cleanPath(AppPaths::ApplicationDir() + "/../share/chattle");
}

QString UserDataDir()
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(dir);
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
    QDir().mkpath(dir);
    return dir;
}

QString ServersIniPath()
{
    return (RunningFromBuildFolder() ? ApplicationDir() : UserDataDir()) + "/servers.ini";
}

QString HelpFilePath()
{
    return (RunningFromBuildFolder() ? ApplicationDir() : InstalledDataDir()) + "/Chattle.html";
}
} // namespace AppPaths
