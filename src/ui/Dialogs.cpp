#include "Dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace {
TDialogResponder &Responder()
{
    static TDialogResponder responder;
    return responder;
}

QString TitleOf(TDialogKind kind)
{
    switch (kind) {
    case TDialogKind::Information:
        return QStringLiteral("Information");
    case TDialogKind::Warning:
        return QStringLiteral("Warning");
    case TDialogKind::Error:
        return QStringLiteral("Error");
    case TDialogKind::Confirmation:
    case TDialogKind::Choice:
        return QStringLiteral("Confirm");
    case TDialogKind::Message:
        break;
    }
    return QApplication::applicationDisplayName();
}

QMessageBox::Icon IconOf(TDialogKind kind)
{
    switch (kind) {
    case TDialogKind::Information:
        return QMessageBox::Information;
    case TDialogKind::Warning:
    case TDialogKind::Choice:
        return QMessageBox::Warning;
    case TDialogKind::Error:
        return QMessageBox::Critical;
    case TDialogKind::Confirmation:
        return QMessageBox::Question;
    case TDialogKind::Message:
        break;
    }
    return QMessageBox::NoIcon;
}

TDialogButton Show(TDialogKind kind, QWidget *parent, const QString &text)
{
    if (Responder())
        return Responder()(kind, text);
    const bool question = kind == TDialogKind::Confirmation;
    // On the heap: while the box runs its own event loop, a network event may close the window it
    // belongs to, and the window then frees the box with itself.
    const QPointer<QMessageBox> box = new QMessageBox(
        IconOf(kind), TitleOf(kind), text, question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    if (question) {
        box->setDefaultButton(QMessageBox::Yes);
        box->setEscapeButton(QMessageBox::No);
    }
    const int chosen = box->exec();
    const bool answered = !box.isNull();
    delete box.data();
    if (!question)
        return TDialogButton::Ok;
    return answered && chosen == QMessageBox::Yes ? TDialogButton::Yes : TDialogButton::No;
}
} // namespace

TDialogButton ShowMessage(QWidget *parent, const QString &text) { return Show(TDialogKind::Message, parent, text); }
TDialogButton Inform(QWidget *parent, const QString &text) { return Show(TDialogKind::Information, parent, text); }
TDialogButton Warn(QWidget *parent, const QString &text) { return Show(TDialogKind::Warning, parent, text); }
TDialogButton ShowError(QWidget *parent, const QString &text) { return Show(TDialogKind::Error, parent, text); }
TDialogButton Confirm(QWidget *parent, const QString &text) { return Show(TDialogKind::Confirmation, parent, text); }

TDialogButton AskChoice(QWidget *parent, const QString &text, const QString &yesCaption, const QString &noCaption)
{
    if (Responder())
        return Responder()(TDialogKind::Choice, text);
    const QPointer<QMessageBox> box =
        new QMessageBox(IconOf(TDialogKind::Choice), TitleOf(TDialogKind::Choice), text, QMessageBox::NoButton, parent);
    box->setTextFormat(Qt::PlainText);
    QPushButton *yes = box->addButton(yesCaption, QMessageBox::AcceptRole);
    QPushButton *no = box->addButton(noCaption, QMessageBox::RejectRole);
    box->setDefaultButton(no);
    box->setEscapeButton(no);
    box->exec();
    const bool chosen = !box.isNull() && box->clickedButton() == yes;
    delete box.data();
    return chosen ? TDialogButton::Yes : TDialogButton::No;
}

void OpenMessage(QWidget *parent, const QString &text, std::function<void()> closed)
{
    if (Responder()) {
        Responder()(TDialogKind::Message, text);
        if (closed)
            closed();
        return;
    }
    auto *box = new QMessageBox(IconOf(TDialogKind::Message), TitleOf(TDialogKind::Message), text,
                                QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (closed)
        QObject::connect(box, &QObject::destroyed, std::move(closed));
    box->open();
}

void SetDialogResponder(TDialogResponder responder) { Responder() = std::move(responder); }
