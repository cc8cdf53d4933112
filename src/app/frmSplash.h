#pragma once
// The splash: covers the start-up while the characters load, and opens the login window when the
// user confirms it. Its "&Ok" stays disabled until the main window reports that loading is done.
#include <QDialog>

class QLabel;
class QPushButton;
class TLoginWindow;

class TfrmSplash : public QDialog {
    Q_OBJECT
public:
    static inline const QString LoadingText = QStringLiteral("Please Wait,     Loading Animation.....");

    // LoginWindow may be null (then "&Ok" only closes the splash). The owner frees the splash.
    explicit TfrmSplash(TLoginWindow *LoginWindow, QWidget *Owner = nullptr);

    // Enables "&Ok" and gives it the focus, so Enter confirms.
    void LoadingDone();
    // Shows the login window, then closes the splash.
    void btnOkClick();

protected:
    // Escape and the window manager's close act as "&Ok" once loading is done, and do nothing before.
    void reject() override;

private:
    TLoginWindow *FLoginWindow;
    QLabel *imgIcon;
    QPushButton *btnOk;
    bool FConfirmed = false;
};
