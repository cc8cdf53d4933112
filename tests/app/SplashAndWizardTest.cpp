// The splash and the tell-a-friend wizard, driven through their widgets.
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QWizard>
#include <gtest/gtest.h>

#include "ScriptedDialogs.h"
#include "ServiceTestSupport.h"
#include "frmEmailWizard.h"
#include "frmSplash.h"
#include "printers.h"

namespace {
using namespace ServiceTest;

TEST(SplashTest, OkCannotBePressedBeforeLoadingEndsAndThenShowsTheLoginWindow)
{
    TFakeLoginWindow login;
    TfrmSplash splash(&login);
    splash.show();
    auto *ok = splash.findChild<QPushButton *>("btnOk");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(splash.findChild<QLabel *>("lblLoading")->text(), "Please Wait,     Loading Animation.....");
    QTest::mouseClick(ok, Qt::LeftButton);
    QTest::keyClick(&splash, Qt::Key_Escape);
    EXPECT_TRUE(login.Calls.isEmpty());
    EXPECT_TRUE(splash.isVisible());

    splash.LoadingDone();
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(login.Calls, QStringList{"ShowLogin"});
    EXPECT_FALSE(splash.isVisible());
}

class EmailWizardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Wizard = new TfrmEmailWizard(&Shell);
        Wizard->show();
        Assist = Wizard->findChild<QWizard *>("LMDAssist1");
        Addresses = Wizard->findChild<QPlainTextEdit *>("memAddresses");
        Name = Wizard->findChild<QLineEdit *>("txtName");
        Notes = Wizard->findChild<QPlainTextEdit *>("memNotes");
        ASSERT_TRUE(Assist && Addresses && Name && Notes);
    }
    void TearDown() override { delete Wizard; }
    bool NextEnabled() const { return Assist->button(QWizard::NextButton)->isEnabled(); }

    TScriptedDialogs Dialogs;
    TFakeShell Shell;
    QPointer<TfrmEmailWizard> Wizard;
    QWizard *Assist = nullptr;
    QPlainTextEdit *Addresses = nullptr;
    QLineEdit *Name = nullptr;
    QPlainTextEdit *Notes = nullptr;
};

TEST_F(EmailWizardTest, PagesTwoAndThreeGoOnOnlyWithAddressesAndAName)
{
    EXPECT_TRUE(NextEnabled());
    Assist->next();
    EXPECT_FALSE(NextEnabled());
    QTest::keyClicks(Addresses, "a");
    EXPECT_TRUE(NextEnabled());
    Addresses->clear();
    EXPECT_FALSE(NextEnabled());
    QTest::keyClicks(Addresses, "ann@example.com");
    Assist->next();
    EXPECT_FALSE(NextEnabled());
    QTest::keyClicks(Name, "Bob");
    EXPECT_TRUE(NextEnabled());
    QTest::keyClick(Notes, Qt::Key_Return); // goes on instead of starting a new line
    EXPECT_TRUE(Notes->toPlainText().isEmpty());
    EXPECT_EQ(Assist->currentId(), 3);
}

TEST_F(EmailWizardTest, FinishThanksSendsTheRecordAndCloses)
{
    const struct {
        const char *What, *Addresses, *Name, *Note, *Record;
    } cases[] = {
        {"a line without @ is dropped", "ann@example.com\nnobody.example.com\ncy@example.org", "Bob", "Hi",
         "Bob`Hi`2`ann@example.com`cy@example.org`"},
        {"backquotes become apostrophes", "ann@ex`ample.com", "B`ob", "it`s", "B'ob`it's`1`ann@ex'ample.com`"},
        {"an empty note is one blank", "ann@example.com", "Bob", "", "Bob` `1`ann@example.com`"},
        {"blank lines are dropped, blanks trimmed", "\n   \n  ann@example.com  \n", "Bob", "x", "Bob`x`1`ann@example.com`"},
        {"a note's line break stays one line", "ann@example.com", "Bob", "Hi\nthere", "Bob`Hi there`1`ann@example.com`"},
        {"no address: nothing is sent", "nobody", "Bob", "x", nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.What);
        Shell.TellAFriend.clear();
        if (!Wizard)
            SetUp();
        Addresses->setPlainText(c.Addresses);
        Name->setText(c.Name);
        Notes->setPlainText(c.Note);
        while (Assist->currentId() < 3)
            Assist->next();
        QTest::mouseClick(Assist->button(QWizard::FinishButton), Qt::LeftButton);
        EXPECT_EQ(Dialogs.ShownTexts().last(), "Thank you - the email(s) will be sent!");
        EXPECT_EQ(Shell.TellAFriend, c.Record ? QStringList{c.Record} : QStringList());
        EXPECT_TRUE(QTest::qWaitFor([&] { return Wizard.isNull(); }, 5000)); // closed and freed
    }
}
} // namespace
