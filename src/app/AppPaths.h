#pragma once
// Where Chattle's files live. Run from a build folder (an Artwork folder beside the executable),
// everything sits beside the executable. Installed, the artwork and the help are read from
// <prefix>/share/chattle and the profiles and servers.ini live in the user's data folder.
#include <QString>

namespace AppPaths {
// The executable's folder, without a trailing "/".
QString ApplicationDir();
// True when an Artwork folder stands beside the executable.
bool RunningFromBuildFolder();
QString ArtworkDir();
// Created when missing.
QString ProfilesDir();
QString ServersIniPath();
// The servers' certificates the user trusts, always in the user's data folder.
QString TrustedCertificatesPath();
QString HelpFilePath();
// The conversation logs, always in the user's data folder; not created here.
QString LogsDir();
} // namespace AppPaths
