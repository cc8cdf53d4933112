#pragma once
// The interaction request dialog: someone asks to shake hands, kiss, hug or high-five. It is shown
// without blocking, stays on top, and reports the user's choice through OnAnswer.
#include <functional>

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class TGradientLabel;

class TfrmRequest : public QDialog {
    Q_OBJECT
public:
    // The dialog's result() when OnAnswer is raised.
    static constexpr int ResultAccept = 1;
    static constexpr int ResultReject = 2;
    static constexpr int ResultIgnore = 3;

    explicit TfrmRequest(QWidget *owner = nullptr);

    // Raised once per answer by one of the three buttons; dialog->result() tells which.
    // Closing the window any other way raises nothing.
    std::function<void(TfrmRequest *dialog, const QString &requester, const QString &kind)> OnAnswer;

    // Fills the dialog: "bob would like to shake your hand!".
    void SetRequest(const QString &kind, const QString &requester);
    QString Requester() const { return FRequester; }
    QString Kind() const { return FKind; }

    // On the first show: no control holds the focus, so a key press does not answer.
    void FormActivate();
    // Accept (1) and Reject (2): sets the result, raises OnAnswer, closes.
    void BitBtn1Click(int result);
    // Asks for confirmation; on Yes answers with the result 3, on No stays open.
    void btnIgnoreClick();

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    TGradientLabel *LMDLabelFill1;
    QLabel *lblDescription;
    QPushButton *BitBtn1;
    QPushButton *BitBtn2;
    QPushButton *btnIgnore;

    QString FRequester;
    QString FKind;
    bool FActivated = false;
};
