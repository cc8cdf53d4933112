#pragma once
// The application's category: the windows, their files and settings.
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcApp)
