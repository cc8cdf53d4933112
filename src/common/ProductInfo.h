#pragma once
// Who and what Chattle is, as the program tells servers, peers and users.
#include <QString>

inline const QString ProductName = QStringLiteral("Chattle");
inline const QString ProductVersion = QStringLiteral("1.4");
inline const QString MakerName = QStringLiteral("Fernhill Software");
inline const QString MakerWebAddress = QStringLiteral("http://www.chattle.example");
