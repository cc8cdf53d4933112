#pragma once
// Who and what Chattle is, as the program tells servers, peers and users.
#include <QString>

inline const QString ProductName = QStringLiteral("Chattle");
inline const QString ProductVersion = QStringLiteral("1.4");
inline const QString MakerName = QStringLiteral("Fernhill Software");
inline const QString MakerWebAddress = QStringLiteral("http://www.chattle.example");
// The desktop's name for Chattle: its menu entry, icon and software-centre description are filed under it.
inline const QString DesktopAppId = QStringLiteral("example.chattle.Chattle");
