#pragma once
// A chat window's comforts around its conversation and input line: Tab completes nicks, Up and Down
// walk the sent lines, web addresses become links that open on a click, a line that mentions the user
// is highlighted, timestamps and the log follow the shared options, and news in a window the user is
// not looking at marks it and may raise a notification with a sound.
#include <QObject>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QUrl>
#include <functional>

#include "InputHistory.h"
#include "NickCompleter.h"

class QLineEdit;
class QMdiSubWindow;
class QTextEdit;
struct TChatComforts;

class TFrameComforts : public QObject {
    Q_OBJECT
public:
    TFrameComforts(QLineEdit *say, QTextEdit *conversation, QObject *parent);

    TChatComforts *Shared = nullptr;
    // The room's member entries (with their marks) and the own nick, for completion.
    std::function<QStringList()> MemberEntries;
    std::function<QString()> OwnNick;
    std::function<QString()> RoomName;
    // Opens a clicked link; the desktop's browser by default.
    std::function<void(const QUrl &Url)> OpenLink;

    TInputHistory &History() { return FHistory; }
    // Where the next written text starts; pass it to TextShown once the text is written.
    QTextCursor MarkEnd() const;
    // Decorates, logs and announces the lines written after mark for a text from sender.
    void TextShown(const QTextCursor &mark, const QString &sender);
    // The nicks Tab offers now, the most likely first.
    QStringList CompletionCandidates() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool SayKey(int key);
    void ConversationMouse(QEvent *event);
    void NoteSpeaker(const QString &nick);
    void Announce(const QString &sender, const QString &text, bool mention);
    QMdiSubWindow *Window() const;

    QLineEdit *FSay;
    QTextEdit *FConversation;
    QWidget *FViewport; // the conversation's, compared by address only while it is destroyed
    TInputHistory FHistory;
    TNickCompleter FCompleter;
    QStringList FSpeakers; // most recent first
};
