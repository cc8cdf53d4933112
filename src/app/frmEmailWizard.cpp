#include "frmEmailWizard.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QVBoxLayout>
#include <QWizard>

#include "AppShell.h"
#include "Dialogs.h"
#include "ErrorHook.h"
#include "GradientLabel.h"

namespace {
const QString ThankYou = QStringLiteral("Thank you - the email(s) will be sent!");
constexpr QChar FieldEnd = u'`';

// A field of the record: the backquote only ever ends fields, and the record stays one line.
QString Field(QString Text)
{
    Text.replace(FieldEnd, u'\'');
    for (const QChar lineBreak : {QChar(u'\r'), QChar(u'\n'), QChar(QChar::LineSeparator), QChar(QChar::ParagraphSeparator)})
        Text.replace(lineBreak, u' ');
    return Text;
}

// A wizard page that may go on when its rule says so (always, without one).
class TAssistPage : public QWizardPage {
public:
    using QWizardPage::QWizardPage;
    std::function<bool()> MayGoOn;
    bool isComplete() const override { return !MayGoOn || MayGoOn(); }
    void Recheck() { emit completeChanged(); }
};

// Finish and Cancel (and Escape) report to the form, which closes itself.
class TAssist : public QWizard {
public:
    using QWizard::QWizard;
    std::function<void()> OnCompleted;
    std::function<void()> OnCancelled;
    void accept() override { RunGuarded([this] { OnCompleted(); }); }
    void reject() override { RunGuarded([this] { OnCancelled(); }); }
};

QLabel *PageText(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}
} // namespace

TfrmEmailWizard::TfrmEmailWizard(TAppShell *Shell, QWidget *Owner) : QWidget(Owner, Qt::Window), FShell(Shell)
{
    setObjectName(QStringLiteral("frmEmailWizard"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Send Email Wizard"));
    resize(397, 281);

    lblHeader = new TGradientLabel(QStringLiteral("Tell a Friend!"), this);
    lblHeader->setObjectName(QStringLiteral("lblHeader"));
    QFont headerFont = lblHeader->font();
    headerFont.setPixelSize(18);
    headerFont.setBold(true);
    lblHeader->setFont(headerFont);
    lblHeader->setFixedHeight(36);
    lblHeader->setIndent(12);

    auto *assist = new TAssist(this);
    assist->setWindowFlags(Qt::Widget);
    assist->setWizardStyle(QWizard::ClassicStyle);
    assist->setOption(QWizard::NoBackButtonOnStartPage);
    assist->OnCompleted = [this] { LMDAssist1Completed(); };
    assist->OnCancelled = [this] { close(); };
    LMDAssist1 = assist;
    LMDAssist1->setObjectName(QStringLiteral("LMDAssist1"));

    auto *page1 = new TAssistPage;
    auto *page1Layout = new QVBoxLayout(page1);
    page1Layout->addWidget(PageText(
        QStringLiteral("This Wizard will let you send an email to one or more friends letting them know about Chattle."),
        page1));
    page1Layout->addWidget(PageText(QStringLiteral("All email addresses are kept confidential, and will not be used "
                                                   "for any other purpose than sending this single email."),
                                    page1));
    page1Layout->addStretch();

    auto *page2 = new TAssistPage;
    memAddresses = new QPlainTextEdit(page2);
    memAddresses->setObjectName(QStringLiteral("memAddresses"));
    memAddresses->setTabChangesFocus(true);
    page2->MayGoOn = [this] { return !memAddresses->toPlainText().isEmpty(); };
    connect(memAddresses, &QPlainTextEdit::textChanged, page2, [page2] { page2->Recheck(); });
    auto *page2Layout = new QVBoxLayout(page2);
    page2Layout->addWidget(PageText(QStringLiteral("Enter the email addresses of your friends and associates who "
                                                   "you'd like to tell about Chattle:"),
                                    page2));
    page2Layout->addWidget(PageText(QStringLiteral("(enter each address on its own line)"), page2));
    page2Layout->addWidget(memAddresses);

    auto *page3 = new TAssistPage;
    txtName = new QLineEdit(page3);
    txtName->setObjectName(QStringLiteral("txtName"));
    memNotes = new QPlainTextEdit(page3);
    memNotes->setObjectName(QStringLiteral("memNotes"));
    memNotes->setTabChangesFocus(true);
    memNotes->installEventFilter(this);
    page3->MayGoOn = [this] { return !txtName->text().isEmpty(); };
    connect(txtName, &QLineEdit::textChanged, page3, [page3] { page3->Recheck(); });
    auto *page3Layout = new QVBoxLayout(page3);
    page3Layout->addWidget(PageText(QStringLiteral("A standard email will be sent to the addresses you specified.  "
                                                   "Enter your name and anything else you'd like to say in the email."),
                                    page3));
    page3Layout->addWidget(new QLabel(QStringLiteral("Sender's Name"), page3));
    page3Layout->addWidget(txtName);
    page3Layout->addWidget(new QLabel(QStringLiteral("Sender's Note"), page3));
    page3Layout->addWidget(memNotes);

    auto *page4 = new TAssistPage;
    auto *page4Layout = new QVBoxLayout(page4);
    page4Layout->addWidget(PageText(QStringLiteral("Click Finish to send the email, or Back to go back."), page4));
    page4Layout->addStretch();

    LMDAssistPage1 = page1;
    LMDAssistPage2 = page2;
    LMDAssistPage3 = page3;
    LMDAssistPage4 = page4;
    int number = 1;
    for (QWizardPage *page : {LMDAssistPage1, LMDAssistPage2, LMDAssistPage3, LMDAssistPage4}) {
        page->setObjectName(QStringLiteral("LMDAssistPage%1").arg(number++));
        LMDAssist1->addPage(page);
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(lblHeader);
    layout->addWidget(LMDAssist1);
}

QString TfrmEmailWizard::TellAFriendRecord(const QString &Name, const QString &Note, const QString &Addresses)
{
    QStringList accepted;
    for (const QString &line : Addresses.split(u'\n')) {
        const QString address = Field(line).trimmed();
        if (address.contains(u'@') && address.contains(u'.'))
            accepted << address;
    }
    if (accepted.isEmpty())
        return {};
    QString record = Field(Name) + FieldEnd + (Note.isEmpty() ? QStringLiteral(" ") : Field(Note)) + FieldEnd +
                     QString::number(accepted.size()) + FieldEnd;
    for (const QString &address : accepted)
        record += address + FieldEnd;
    return record;
}

void TfrmEmailWizard::LMDAssist1Completed()
{
    QPointer<TfrmEmailWizard> self(this);
    Inform(this, ThankYou);
    if (!self)
        return;
    const QString record = TellAFriendRecord(txtName->text(), memNotes->toPlainText(), memAddresses->toPlainText());
    if (!record.isEmpty() && FShell)
        FShell->ReportTellAFriend(record);
    close();
}

bool TfrmEmailWizard::eventFilter(QObject *watched, QEvent *event)
{
    // Enter in the note goes on to the next page instead of starting a new line.
    if (watched == memNotes && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            RunGuarded([this] {
                if (LMDAssist1->currentPage()->isComplete())
                    LMDAssist1->next();
            });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
