#pragma once
// Message boxes about what other people did (a refusal, a kick): they do not wait for their answer,
// so the conversation goes on while one is up, and at most one per kind and nick is up at a time, so
// a flood of the same event cannot pile boxes on the screen.
#include <QString>

class QWidget;

// Opens a plain message box unless one of this kind for this nick (letter case ignored) is still up;
// returns whether it was opened.
bool ShowMessageOnce(QWidget *parent, const QString &kind, const QString &nick, const QString &text);
