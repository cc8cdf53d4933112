#pragma once
// The conversation part of a room: the read-only conversation, the input line and "Say it!", which
// is the default button (Enter in the input line presses it).
#include <QWidget>

class QLineEdit;
class QPushButton;
class QTextEdit;

class TframeText : public QWidget {
    Q_OBJECT
public:
    // The conversation keeps at most this many newest lines; older ones scroll away for good, a tenth of
    // the limit at a time.
    static constexpr int ConversationLineLimit = 5000;

    explicit TframeText(QWidget *parent = nullptr);

    QTextEdit *txtConversation;
    QLineEdit *txtSay;
    QPushButton *Button1;
};
