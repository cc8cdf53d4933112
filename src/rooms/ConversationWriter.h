#pragma once
// Writes one received text into a conversation control with its IRC formatting codes (bold,
// underline, italic, strikethrough, monospace, reverse, reset, colours and hex colours; see
// IRCTextStyle.h) and its 0x01 ... 0x01 CTCP bodies. Text is inserted as plain runs with character
// formats, never parsed as HTML or rich text. Every text starts black on no background, plain.
// Each message goes into the document as one edit, so it is laid out once however many codes it
// holds; with a line limit the oldest lines are trimmed in batches, not one per message.
#include <QString>
#include <QTextCursor>
#include <functional>

class QTextCharFormat;
class QTextEdit;
struct TIrcTextStyle;

class TConversationWriter {
public:
    // Called with each CTCP body before an ACTION line for it is written.
    using TCtcpHandler = std::function<void(const QString &body)>;

    // LineLimit: past this many lines the oldest are trimmed, down to LineLimit minus a tenth of it;
    // 0 keeps every line.
    explicit TConversationWriter(QTextEdit &view, int LineLimit = 0);

    // A line "<sender> text" (or the text alone for an empty sender); a text of codes and CTCP bodies
    // only adds no line of its own. An "ACTION " body adds the line "sender action".
    void Write(const QString &sender, const QString &text, const TCtcpHandler &onCtcp);
    // A line of lead, unformatted, followed by text with its formatting; CTCP framing in text is not
    // read (its 0x01 characters are dropped). For notices and the room's own announcements.
    void WriteLine(const QString &lead, const QString &text);

private:
    void StartLine();
    void AddLine(const QString &line);
    void InsertRun(const QString &run, const TIrcTextStyle &style);
    QTextCursor &Edit();
    void Commit();
    void TrimOldestLines();
    void ScrollToEnd();

    QTextEdit &FView;
    int FLineLimit;
    QString FLead;
    bool FLineStarted = false;
    QTextCursor FCursor; // at the end of the document while an edit is open
    bool FEditing = false;
};
