// The interaction request dialog, driven by clicks with its ignore question answered by script.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "ChattleError.h"
#include "ErrorHook.h"
#include "ScriptedDialogs.h"
#include "frmRequest.h"
#include "printers.h"

namespace {
struct TAnswer {
    TfrmRequest *Dialog;
    int Result;
    QString Requester;
    QString Kind;
};

class frmRequestTest : public ::testing::Test {
protected:
    // A shown dialog whose answers land in Answers.
    std::unique_ptr<TfrmRequest> ShowRequest(const QString &kind, const QString &requester)
    {
        auto dialog = std::make_unique<TfrmRequest>();
        dialog->OnAnswer = [this](TfrmRequest *sender, const QString &who, const QString &what) {
            Answers.append({sender, sender->result(), who, what});
        };
        dialog->SetRequest(kind, requester);
        dialog->show();
        return dialog;
    }

    static QPushButton *Button(TfrmRequest &dialog, const char *name)
    {
        auto *button = dialog.findChild<QPushButton *>(name);
        EXPECT_NE(button, nullptr) << name;
        return button;
    }

    static void Click(TfrmRequest &dialog, const char *name) { QTest::mouseClick(Button(dialog, name), Qt::LeftButton); }

    TScriptedDialogs Boxes;
    QList<TAnswer> Answers;
};
} // namespace

TEST_F(frmRequestTest, looks_as_designed_and_stays_on_top_without_blocking)
{
    const auto dialog = ShowRequest("HANDSHAKE", "bob");
    EXPECT_EQ(dialog->windowTitle(), "Interaction Request");
    EXPECT_EQ(dialog->size(), QSize(388, 188));
    EXPECT_TRUE(dialog->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(dialog->isModal());
    EXPECT_TRUE(dialog->isVisible());

    auto *title = dialog->findChild<QLabel *>("LMDLabelFill1");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "Request");
    EXPECT_TRUE(title->font().bold());
    auto *description = dialog->findChild<QLabel *>("lblDescription");
    ASSERT_NE(description, nullptr);
    EXPECT_EQ(description->size(), QSize(344, 35));
    EXPECT_EQ(description->text(), "bob would like to shake your hand!");

    EXPECT_EQ(Button(*dialog, "BitBtn1")->text(), "Accept");
    EXPECT_TRUE(Button(*dialog, "BitBtn1")->font().bold());
    EXPECT_EQ(Button(*dialog, "BitBtn2")->text(), "Reject");
    EXPECT_EQ(Button(*dialog, "btnIgnore")->text(), "Ignore this User...");
}

TEST_F(frmRequestTest, describes_each_kind_and_shows_network_nicks_as_plain_text)
{
    const auto dialog = ShowRequest("HIGH5----", "bob");
    auto *description = dialog->findChild<QLabel *>("lblDescription");
    EXPECT_EQ(description->text(), QString("bob") + " would like to " + "give you a High 5!");
    EXPECT_EQ(dialog->Requester(), "bob");
    EXPECT_EQ(dialog->Kind(), "HIGH5----");

    dialog->SetRequest("WAVE-----", "<b>eve</b>");
    EXPECT_EQ(description->text(), "<b>eve</b> would like to ????");
    EXPECT_EQ(description->textFormat(), Qt::PlainText);
}

TEST_F(frmRequestTest, accept_and_reject_answer_once_with_their_result_and_close)
{
    const auto accepted = ShowRequest("KISS-----", "bob");
    Click(*accepted, "BitBtn1");
    ASSERT_EQ(Answers.size(), 1);
    EXPECT_EQ(Answers[0].Dialog, accepted.get());
    EXPECT_EQ(Answers[0].Result, TfrmRequest::ResultAccept);
    EXPECT_EQ(Answers[0].Requester, "bob");
    EXPECT_EQ(Answers[0].Kind, "KISS-----");
    EXPECT_FALSE(accepted->isVisible());

    const auto rejected = ShowRequest("HUG------", "carol");
    Click(*rejected, "BitBtn2");
    ASSERT_EQ(Answers.size(), 2);
    EXPECT_EQ(Answers[1].Result, TfrmRequest::ResultReject);
    EXPECT_EQ(Answers[1].Requester, "carol");
    EXPECT_FALSE(rejected->isVisible());
    EXPECT_TRUE(Boxes.Shown().isEmpty());
}

TEST_F(frmRequestTest, ignore_asks_first_and_no_leaves_the_dialog_open_without_an_answer)
{
    const auto dialog = ShowRequest("HANDSHAKE", "bob");
    Boxes.Answer(TDialogButton::No);
    Click(*dialog, "btnIgnore");
    ASSERT_EQ(Boxes.Shown().size(), 1);
    EXPECT_EQ(Boxes.Shown()[0].Kind, TDialogKind::Confirmation);
    EXPECT_EQ(Boxes.Shown()[0].Text, "Do you want to ignore this user?  You will not receive any requests or "
                                     "text messages from this user.");
    EXPECT_TRUE(Answers.isEmpty());
    EXPECT_TRUE(dialog->isVisible());

    Boxes.Answer(TDialogButton::Yes);
    Click(*dialog, "btnIgnore");
    ASSERT_EQ(Answers.size(), 1);
    EXPECT_EQ(Answers[0].Result, TfrmRequest::ResultIgnore);
    EXPECT_EQ(Answers[0].Requester, "bob");
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(frmRequestTest, two_open_dialogs_each_answer_their_own_requester)
{
    const auto fromBob = ShowRequest("HANDSHAKE", "bob");
    const auto fromCarol = ShowRequest("HUG------", "carol");
    EXPECT_TRUE(fromBob->isVisible() && fromCarol->isVisible());

    Click(*fromCarol, "BitBtn2");
    Click(*fromBob, "BitBtn1");
    ASSERT_EQ(Answers.size(), 2);
    EXPECT_EQ(Answers[0].Dialog, fromCarol.get());
    EXPECT_EQ(Answers[0].Requester, "carol");
    EXPECT_EQ(Answers[0].Kind, "HUG------");
    EXPECT_EQ(Answers[0].Result, TfrmRequest::ResultReject);
    EXPECT_EQ(Answers[1].Dialog, fromBob.get());
    EXPECT_EQ(Answers[1].Requester, "bob");
    EXPECT_EQ(Answers[1].Result, TfrmRequest::ResultAccept);
}

TEST_F(frmRequestTest, closing_the_window_or_pressing_keys_answers_nothing)
{
    const auto dialog = ShowRequest("HANDSHAKE", "bob");
    EXPECT_EQ(dialog->focusWidget(), nullptr);
    for (const char *name : {"BitBtn1", "BitBtn2", "btnIgnore"})
        EXPECT_EQ(Button(*dialog, name)->focusPolicy(), Qt::NoFocus) << name;

    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape, Qt::Key_A})
        QTest::keyClick(dialog.get(), key);
    EXPECT_TRUE(Answers.isEmpty());
    EXPECT_TRUE(dialog->isVisible());

    dialog->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(Answers.isEmpty());
    EXPECT_TRUE(Boxes.Shown().isEmpty());
}

TEST_F(frmRequestTest, answering_survives_an_unset_failing_or_deleting_handler)
{
    TfrmRequest unbound;
    unbound.SetRequest("HANDSHAKE", "bob");
    unbound.show();
    Click(unbound, "BitBtn1");
    EXPECT_FALSE(unbound.isVisible());

    // A failing handler reaches the error hook and the dialog still closes.
    QStringList errors;
    SetApplicationErrorHandler([&errors](const std::exception &e) { errors << QString::fromUtf8(e.what()); });
    TfrmRequest failing;
    failing.OnAnswer = [](TfrmRequest *, const QString &, const QString &) { throw EProtocolError("send failed"); };
    failing.show();
    Click(failing, "BitBtn2");
    SetApplicationErrorHandler(nullptr);
    EXPECT_EQ(errors, QStringList{"send failed"});
    EXPECT_FALSE(failing.isVisible());

    // The owner may free the dialog from its answer handler.
    auto *freed = new TfrmRequest;
    bool answered = false;
    freed->OnAnswer = [&answered](TfrmRequest *dialog, const QString &, const QString &) {
        answered = true;
        delete dialog;
    };
    freed->show();
    freed->BitBtn1Click(TfrmRequest::ResultAccept);
    EXPECT_TRUE(answered);
}
