#include "IrcLog.h"

Q_LOGGING_CATEGORY(lcIrc, "chattle.irc", QtWarningMsg)
Q_LOGGING_CATEGORY(lcIrcRaw, "chattle.irc.raw", QtWarningMsg)
