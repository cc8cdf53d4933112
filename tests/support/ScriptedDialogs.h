#pragma once
// For tests: while it lives, every message box is answered by script instead of being shown.
// Each box is recorded; the answers queued with Answer() are used in order, and when none is
// left a one-button box gets Ok and a question (confirmation or choice) gets No.
#include <QList>
#include <QString>
#include <QStringList>

#include "Dialogs.h"

class TScriptedDialogs {
public:
    struct TShownBox {
        TDialogKind Kind;
        QString Text;
    };

    TScriptedDialogs();
    ~TScriptedDialogs();
    TScriptedDialogs(const TScriptedDialogs &) = delete;
    TScriptedDialogs &operator=(const TScriptedDialogs &) = delete;

    void Answer(TDialogButton button);
    const QList<TShownBox> &Shown() const { return FShown; }
    QStringList ShownTexts() const;

private:
    TDialogButton Respond(TDialogKind kind, const QString &text);

    QList<TShownBox> FShown;
    QList<TDialogButton> FAnswers;
};
