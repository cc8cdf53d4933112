#include "RoomsLog.h"

Q_LOGGING_CATEGORY(lcRooms, "chattle.rooms", QtWarningMsg)
