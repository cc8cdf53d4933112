#pragma once
// The server dialog: description, address and port of one entry of the server list, whether it
// talks TLS, and whether the password may go to the login without TLS. "&Ok" closes it with the
// accepted result only when the description and the address are filled in and the port box is empty
// or holds a port number.
#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

class TfrmServerInfo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmServerInfo(QWidget *Parent = nullptr);

    void btnOkClick();

    QLineEdit *txtDesc;
    QLineEdit *txtAddress;
    QLineEdit *txtPort; // takes digits only; 1 to 65535 on "&Ok"
    // Ticking it turns the usual plain port into the usual TLS port, and back.
    QCheckBox *chkSecure;
    // Only for a server without TLS; disabled while chkSecure is ticked.
    QCheckBox *chkPasswordWithoutTls;
    QPushButton *btnOk;
    QPushButton *btnCancel;
};
