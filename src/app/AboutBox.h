#pragma once
// The about box: the program's name and version, its maker and a link to the maker's web site.
#include <QDialog>

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *Parent = nullptr);
};
