#include "AppLog.h"

Q_LOGGING_CATEGORY(lcApp, "chattle.app", QtWarningMsg)
