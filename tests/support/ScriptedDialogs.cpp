#include "ScriptedDialogs.h"

TScriptedDialogs::TScriptedDialogs()
{
    SetDialogResponder([this](TDialogKind kind, const QString &text) { return Respond(kind, text); });
}

TScriptedDialogs::~TScriptedDialogs() { SetDialogResponder(nullptr); }

void TScriptedDialogs::Answer(TDialogButton button) { FAnswers.append(button); }

QStringList TScriptedDialogs::ShownTexts() const
{
    QStringList texts;
    for (const TShownBox &box : FShown)
        texts << box.Text;
    return texts;
}

TDialogButton TScriptedDialogs::Respond(TDialogKind kind, const QString &text)
{
    FShown.append({kind, text});
    if (!FAnswers.isEmpty())
        return FAnswers.takeFirst();
    return kind == TDialogKind::Confirmation || kind == TDialogKind::Choice ? TDialogButton::No : TDialogButton::Ok;
}
