#include "CommonLog.h"

Q_LOGGING_CATEGORY(lcCommon, "chattle.common", QtWarningMsg)
