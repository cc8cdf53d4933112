#pragma once
// The rooms layer's category: abandoned avatar messages.
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcRooms)
