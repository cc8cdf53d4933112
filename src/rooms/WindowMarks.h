#pragma once
// The marks of a chat window that has news the user has not seen: unread text, or a mention of the
// user. The window's caption shows a coloured dot for it, and the window list shows its entry bold with
// the same dot. Showing the window (activating it) clears the mark.
#include <QIcon>

class QMdiSubWindow;

enum class TWindowMark { None = 0, Unread = 1, Mention = 2 };

TWindowMark WindowMarkOf(const QMdiSubWindow *window);
// Raises the mark (a mention stays a mention until cleared).
void MarkWindow(QMdiSubWindow *window, TWindowMark mark);
void ClearWindowMark(QMdiSubWindow *window);
// The dot for a mark: blue for unread text, orange for a mention; null for none.
QIcon WindowMarkIcon(TWindowMark mark);
