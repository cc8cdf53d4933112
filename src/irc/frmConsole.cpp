#include "frmConsole.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

TfrmConsole::TfrmConsole(QWidget *Parent) : QWidget(Parent), memConsole(new QPlainTextEdit(this))
{
    setObjectName("frmConsole");
    setWindowTitle("Chattle Console");
    resize(474, 285);
    move(161, 169);

    memConsole->setObjectName("memConsole");
    QFont font("Courier New");
    font.setStyleHint(QFont::TypeWriter); // a fixed-pitch stand-in where Courier New is not installed
    font.setFixedPitch(true);
    font.setPixelSize(11);
    memConsole->setFont(font);
    memConsole->setReadOnly(true);
    memConsole->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(memConsole);
}

void TfrmConsole::AddLine(QObject *, const QString &Msg)
{
    memConsole->appendPlainText(Msg);
    memConsole->verticalScrollBar()->setValue(memConsole->verticalScrollBar()->maximum());
}
