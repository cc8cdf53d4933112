// Not a check: with CHATTLE_SCREENSHOTS=<folder> set, draws the splash and every wizard page into PNG
// files there for people to look at.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QWizard>
#include <gtest/gtest.h>

#include "ServiceTestSupport.h"
#include "frmEmailWizard.h"
#include "frmSplash.h"

namespace {
void Save(QWidget *window, const QString &name)
{
    window->show();
    QTest::qWait(0);
    const QString folder = qEnvironmentVariable("CHATTLE_SCREENSHOTS");
    EXPECT_TRUE(window->grab().save(QDir(folder).filePath(name)));
}

TEST(ServiceScreenshots, SplashAndWizardPages)
{
    if (qEnvironmentVariableIsEmpty("CHATTLE_SCREENSHOTS"))
        GTEST_SKIP() << "set CHATTLE_SCREENSHOTS to a folder to draw them";
    const QIcon formerIcon = QApplication::windowIcon();
    QApplication::setWindowIcon(QIcon(QStringLiteral(CHATTLE_ARTWORK_DIR "/chattle48.png"))); // the program's icon
    ServiceTest::TFakeLoginWindow login;
    TfrmSplash splash(&login);
    Save(&splash, "splash.png");
    splash.LoadingDone();
    Save(&splash, "splash-loaded.png");

    ServiceTest::TFakeShell shell;
    TfrmEmailWizard wizard(&shell);
    wizard.setAttribute(Qt::WA_DeleteOnClose, false);
    auto *assist = wizard.findChild<QWizard *>("LMDAssist1");
    wizard.findChild<QPlainTextEdit *>("memAddresses")->setPlainText("ann@example.com\ncy@example.org");
    wizard.findChild<QLineEdit *>("txtName")->setText("Bob Smith");
    wizard.findChild<QPlainTextEdit *>("memNotes")->setPlainText("Come and chat with us!");
    for (int page = 1; page <= 4; ++page) {
        Save(&wizard, QStringLiteral("wizard-%1.png").arg(page));
        assist->next();
    }
    QApplication::setWindowIcon(formerIcon);
}
} // namespace
