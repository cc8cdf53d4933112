#include "AvatarLog.h"

Q_LOGGING_CATEGORY(lcAvatar, "chattle.avatar", QtWarningMsg)
