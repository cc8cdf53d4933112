#pragma once
// The IRC engine's categories: chattle.irc for connections and dropped lines, chattle.irc.raw for every
// line in ("<<") and out (">>").
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcIrc)
Q_DECLARE_LOGGING_CATEGORY(lcIrcRaw)
