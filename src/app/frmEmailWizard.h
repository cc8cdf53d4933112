#pragma once
// The tell-a-friend wizard: collects friends' e-mail addresses, the sender's name and a note, and
// hands them to the maker's service as one tell-a-friend record through the main window. It frees
// itself when closed; several may be open at once.
#include <QWidget>

class QLineEdit;
class QPlainTextEdit;
class QWizard;
class QWizardPage;
class TAppShell;
class TGradientLabel;

class TfrmEmailWizard : public QWidget {
    Q_OBJECT
public:
    // Shell may be null (then nothing is sent). Owner is the main window; the wizard is a window of its own.
    explicit TfrmEmailWizard(TAppShell *Shell, QWidget *Owner = nullptr);

    // Finish: thanks the user, sends the record when at least one address was accepted, closes.
    void LMDAssist1Completed();

    // The record for these inputs: name, note (" " when empty), count and every accepted address,
    // each field ended by a backquote; empty when no line holds both "@" and ".".
    static QString TellAFriendRecord(const QString &Name, const QString &Note, const QString &Addresses);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    TAppShell *FShell;
    TGradientLabel *lblHeader;
    QWizard *LMDAssist1;
    QWizardPage *LMDAssistPage1;
    QWizardPage *LMDAssistPage2;
    QWizardPage *LMDAssistPage3;
    QWizardPage *LMDAssistPage4;
    QPlainTextEdit *memAddresses;
    QLineEdit *txtName;
    QPlainTextEdit *memNotes;
};
