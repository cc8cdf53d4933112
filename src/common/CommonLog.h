#pragma once
// The common layer's category: what the application-wide error hook drops.
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcCommon)
