#pragma once
// Every message box of the program goes through here, so that tests can answer them by script
// (see ScriptedDialogs.h). No widget calls QMessageBox itself. All boxes but OpenMessage's are modal.
#include <functional>

#include <QString>

class QWidget;

enum class TDialogKind {
    Message,      // a plain message box with OK
    Information,  // an information box with OK
    Warning,      // a warning with OK
    Error,        // an error box with OK
    Confirmation, // a question with Yes and No
    Choice,       // a warning question with two buttons of its own: the first answers Yes, the second No
};

enum class TDialogButton { Ok, Yes, No };

// parent may be null. Each returns the button the user chose (Ok for the one-button boxes; closing
// a confirmation without choosing counts as No). Network events go on while a box is up: a parent
// closed meanwhile takes its box with it (a confirmation then counts as No), and callers check that
// they still exist before going on.
TDialogButton ShowMessage(QWidget *parent, const QString &text);
TDialogButton Inform(QWidget *parent, const QString &text);
TDialogButton Warn(QWidget *parent, const QString &text);
TDialogButton ShowError(QWidget *parent, const QString &text);
TDialogButton Confirm(QWidget *parent, const QString &text);
// A warning question whose buttons read yesCaption and noCaption; noCaption is the default, and
// Escape or closing the box answers No.
TDialogButton AskChoice(QWidget *parent, const QString &text, const QString &yesCaption, const QString &noCaption);

// A plain message box that does not wait for its answer: the program goes on while it is up, and
// closed (may be unset) runs once it is gone, answered or taken away with its parent. Under a
// responder it is answered at once, before this returns.
void OpenMessage(QWidget *parent, const QString &text, std::function<void()> closed);

// Answers every box instead of showing it while set; an empty responder brings the real boxes back.
using TDialogResponder = std::function<TDialogButton(TDialogKind kind, const QString &text)>;
void SetDialogResponder(TDialogResponder responder);
