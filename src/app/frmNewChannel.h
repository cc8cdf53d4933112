#pragma once
// The "Create New Channel" dialog: a room name, a description and one of the three room pictures.
// Made once and reused: Reset clears it before every showing.
#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QPushButton;

class TfrmNewChannel : public QDialog {
    Q_OBJECT
public:
    explicit TfrmNewChannel(QWidget *Owner = nullptr);

    // Empty boxes and the first picture selected.
    void Reset();
    // "manor.jpg", "room.jpg" or "beach.jpg" by the selected item.
    QString BackgroundFile() const;

    QLineEdit *txtChannel;
    QLineEdit *txtDesc;
    QGroupBox *radBG;
    QButtonGroup *radBGItems;
    QPushButton *btnOk;
    QPushButton *btnCancel;

private:
    void btnOkClick();
};
