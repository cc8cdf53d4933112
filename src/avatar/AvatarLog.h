#pragma once
// The avatar layer's category: unreadable pictures and refused profiles.
#include <QLoggingCategory>
#include <QString>

Q_DECLARE_LOGGING_CATEGORY(lcAvatar)

// How a picture file given up on is named in the log.
inline QString UnreadablePicture(const QString &path) { return QStringLiteral("Unreadable picture ") + path; }
