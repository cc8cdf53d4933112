#pragma once
// The conversation writer as it was before runs were written in one edit, kept to measure against.
// Writes one received text into a conversation control with its IRC formatting codes: 0x02 bold,
// 0x1F underline, 0x03 colour, 0x16 skipped, 0x01 ... 0x01 a CTCP body. Text is inserted as plain runs
// with character formats, never parsed as HTML or rich text. Every text starts black, not bold and not
// underlined.
#include <QString>
#include <QTextCharFormat>
#include <functional>

class QTextEdit;

class TBaselineConversationWriter {
public:
    // Called with each CTCP body before an ACTION line for it is written.
    using TCtcpHandler = std::function<void(const QString &body)>;

    explicit TBaselineConversationWriter(QTextEdit &view);

    // A line "<sender> text" (or the text alone for an empty sender); a text of codes and CTCP bodies
    // only adds no line of its own. An "ACTION " body adds the line "sender action".
    void Write(const QString &sender, const QString &text, const TCtcpHandler &onCtcp);

private:
    void StartLine();
    void AddLine(const QString &line);
    void Flush();
    void ScrollToEnd();

    QTextEdit &FView;
    QString FSender;
    QTextCharFormat FFormat;
    QString FRun;
    bool FLineStarted = false;
};
