#pragma once
// The service's version reply: "VERSION", one character, then the current version.
#include <QString>

// True when Line is a version reply whose version (from the ninth character on, at most 99
// characters) differs from the built-in one. Other lines, lower-case "version" included, give false.
bool AnnouncesNewVersion(const QString &Line);
