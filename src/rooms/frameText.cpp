#include "frameText.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

TframeText::TframeText(QWidget *parent)
    : QWidget(parent), txtConversation(new QTextEdit(this)), txtSay(new QLineEdit(this)),
      Button1(new QPushButton(QStringLiteral("Say it!"), this))
{
    setObjectName(QStringLiteral("frameChatText"));
    txtConversation->setObjectName(QStringLiteral("txtConversation"));
    txtSay->setObjectName(QStringLiteral("txtSay"));
    Button1->setObjectName(QStringLiteral("Button1"));

    txtConversation->setReadOnly(true);
    txtConversation->setAcceptRichText(false);
    txtConversation->setUndoRedoEnabled(false);
    txtConversation->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::Monospace);
    courier.setPointSize(9);
    txtConversation->setFont(courier);
    txtConversation->setFocusPolicy(Qt::ClickFocus);

    Button1->setDefault(true);
    connect(txtSay, &QLineEdit::returnPressed, Button1, &QPushButton::click);

    auto *inputRow = new QHBoxLayout;
    inputRow->setContentsMargins(0, 0, 0, 0);
    inputRow->setSpacing(3);
    inputRow->addWidget(txtSay, 1);
    inputRow->addWidget(Button1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(txtConversation, 1);
    layout->addLayout(inputRow);
}
