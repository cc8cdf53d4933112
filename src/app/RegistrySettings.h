#pragma once
// The three per-user values Chattle keeps under "Fernhill Software" / "Pagewalker".
#include <QString>

struct TRegistrySettings {
    QString Version;
    bool InteractionFlag = false;
    bool PrivateChatFlag = false;
};

// The version Chattle writes on its first run and compares service replies with.
inline const QString BuiltInVersion = QStringLiteral("B1.4");

// Reads the three values. On the first run (no "Version" yet) it writes the defaults instead:
// "Version" = BuiltInVersion and both flags false. Later runs only read.
TRegistrySettings LoadRegistrySettings();
