#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTest>
#include <gtest/gtest.h>

#include "frmConsole.h"
#include "printers.h"

TEST(ConsoleTest, lines_are_appended_in_order_and_the_newest_stays_in_view)
{
    TfrmConsole console;
    console.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&console));
    EXPECT_EQ(console.windowTitle(), "Chattle Console");
    EXPECT_EQ(console.size(), QSize(474, 285));
    auto *memo = console.findChild<QPlainTextEdit *>("memConsole");
    ASSERT_EQ(memo, console.memConsole);
    EXPECT_TRUE(memo->font().fixedPitch());
    EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    for (int i = 1; i <= 60; ++i)
        console.AddLine(nullptr, QString("%1 line %2").arg(i == 1 ? "001" : "372").arg(i));
    EXPECT_EQ(memo->blockCount(), 60);
    EXPECT_EQ(memo->document()->findBlockByNumber(0).text(), "001 line 1");
    EXPECT_EQ(memo->document()->lastBlock().text(), "372 line 60");
    EXPECT_EQ(memo->verticalScrollBar()->value(), memo->verticalScrollBar()->maximum());

    const QString shots = qEnvironmentVariable("CHATTLE_SCREENSHOT_DIR");
    if (!shots.isEmpty())
        console.grab().save(shots + "/console.png");
}
