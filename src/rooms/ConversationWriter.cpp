#include "ConversationWriter.h"

#include <QPointer>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "ColourConversions.h"
#include "IRCColours.h"

namespace {
const QChar CtcpCode(0x01);
const QChar BoldCode(0x02);
const QChar ColourCode(0x03);
const QChar ReverseCode(0x16);
const QChar UnderlineCode(0x1F);
const QString ActionPrefix = QStringLiteral("ACTION ");
// Colour numbers are read in full but capped: anything past 15 is black anyway.
constexpr int ColourCap = 1000;

QTextCharFormat PlainFormat()
{
    QTextCharFormat format;
    format.setForeground(QColor(Qt::black));
    format.setFontWeight(QFont::Normal);
    format.setFontUnderline(false);
    return format;
}

bool IsAsciiDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

QTextCursor EndOf(QTextEdit &view)
{
    QTextCursor cursor(view.document());
    cursor.movePosition(QTextCursor::End);
    return cursor;
}
} // namespace

TConversationWriter::TConversationWriter(QTextEdit &view) : FView(view) {}

void TConversationWriter::Write(const QString &sender, const QString &text, const TCtcpHandler &onCtcp)
{
    // A CTCP handler may show a message box, and the window may close while it is up.
    const QPointer<QTextEdit> view(&FView);
    FSender = sender;
    FFormat = PlainFormat();
    FRun.clear();
    FLineStarted = false;

    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == CtcpCode) {
            // A body without its closing 0x01 runs to the end of the text.
            qsizetype close = text.indexOf(CtcpCode, i + 1);
            if (close < 0)
                close = text.size();
            const QString body = text.mid(i + 1, close - i - 1);
            i = close;
            if (onCtcp)
                onCtcp(body);
            if (!view)
                return;
            if (body.toUpper().startsWith(ActionPrefix)) {
                AddLine(sender + QLatin1Char(' ') + body.mid(ActionPrefix.size()));
                ScrollToEnd();
            }
        } else if (c == BoldCode) {
            Flush();
            FFormat.setFontWeight(FFormat.fontWeight() > QFont::Normal ? QFont::Normal : QFont::Bold);
        } else if (c == UnderlineCode) {
            Flush();
            FFormat.setFontUnderline(!FFormat.fontUnderline());
        } else if (c == ReverseCode) {
            continue;
        } else if (c == ColourCode) {
            Flush();
            i = ReadColour(text, i + 1) - 1;
        } else {
            if (!FLineStarted)
                StartLine();
            FRun += c;
        }
    }
    Flush();
    ScrollToEnd();
}

qsizetype TConversationWriter::ReadColour(const QString &text, qsizetype at)
{
    int number = 0;
    bool anyDigit = false;
    while (at < text.size() && IsAsciiDigit(text.at(at))) {
        number = std::min(number * 10 + (text.at(at).unicode() - '0'), ColourCap);
        anyDigit = true;
        ++at;
    }
    std::uint32_t colour = anyDigit ? IrcColour(number) : 0;
    if (at < text.size() && text.at(at) == QLatin1Char(',')) {
        ++at;
        while (at < text.size() && IsAsciiDigit(text.at(at)))
            ++at;
        colour = 0;
    }
    FFormat.setForeground(QColor(SwapRedBlue(colour)));
    return at;
}

void TConversationWriter::StartLine()
{
    QTextCursor cursor = EndOf(FView);
    if (!FView.document()->isEmpty())
        cursor.insertBlock(QTextBlockFormat(), PlainFormat());
    if (!FSender.isEmpty())
        cursor.insertText(QLatin1Char('<') + FSender + QStringLiteral("> "), PlainFormat());
    FLineStarted = true;
}

void TConversationWriter::AddLine(const QString &line)
{
    // What came before the body stays in front of it; what follows starts a line of its own.
    Flush();
    QTextCursor cursor = EndOf(FView);
    if (!FView.document()->isEmpty())
        cursor.insertBlock(QTextBlockFormat(), PlainFormat());
    cursor.insertText(line, PlainFormat());
    FLineStarted = false;
}

void TConversationWriter::Flush()
{
    if (FRun.isEmpty())
        return;
    EndOf(FView).insertText(FRun, FFormat);
    FRun.clear();
}

void TConversationWriter::ScrollToEnd()
{
    FView.moveCursor(QTextCursor::End);
    FView.ensureCursorVisible();
}
