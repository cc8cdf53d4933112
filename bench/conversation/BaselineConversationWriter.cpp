#include "BaselineConversationWriter.h"

#include <QPointer>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "ColourConversions.h"
#include "IRCColours.h"
#include "IRCFormatting.h"

namespace {
const QString ActionPrefix = QStringLiteral("ACTION ");

QTextCharFormat PlainFormat()
{
    QTextCharFormat format;
    format.setForeground(QColor(Qt::black));
    format.setFontWeight(QFont::Normal);
    format.setFontUnderline(false);
    return format;
}

QTextCursor EndOf(QTextEdit &view)
{
    QTextCursor cursor(view.document());
    cursor.movePosition(QTextCursor::End);
    return cursor;
}
} // namespace

TBaselineConversationWriter::TBaselineConversationWriter(QTextEdit &view) : FView(view) {}

void TBaselineConversationWriter::Write(const QString &sender, const QString &text, const TCtcpHandler &onCtcp)
{
    // A CTCP handler may show a message box, and the window may close while it is up.
    const QPointer<QTextEdit> view(&FView);
    FSender = sender;
    FFormat = PlainFormat();
    FRun.clear();
    FLineStarted = false;

    TIrcFormatHandlers handlers;
    handlers.Run = [this](const QString &run) {
        if (!FLineStarted)
            StartLine();
        FRun += run;
    };
    handlers.Bold = [this] {
        Flush();
        FFormat.setFontWeight(FFormat.fontWeight() > QFont::Normal ? QFont::Normal : QFont::Bold);
    };
    handlers.Underline = [this] {
        Flush();
        FFormat.setFontUnderline(!FFormat.fontUnderline());
    };
    handlers.Colour = [this](const TIrcColourCode &code) {
        Flush();
        // A background number is not shown: the text turns black instead.
        const std::uint32_t colour = code.Foreground && !code.HasBackground ? IrcColour(*code.Foreground) : 0;
        FFormat.setForeground(QColor(SwapRedBlue(colour)));
    };
    handlers.Ctcp = [&](const QString &body) {
        if (onCtcp)
            onCtcp(body);
        if (!view)
            return false;
        if (body.toUpper().startsWith(ActionPrefix)) {
            AddLine(sender + QLatin1Char(' ') + body.mid(ActionPrefix.size()));
            ScrollToEnd();
        }
        return true;
    };
    WalkIrcFormatting(text, handlers);
    if (!view)
        return;
    Flush();
    ScrollToEnd();
}

void TBaselineConversationWriter::StartLine()
{
    QTextCursor cursor = EndOf(FView);
    if (!FView.document()->isEmpty())
        cursor.insertBlock(QTextBlockFormat(), PlainFormat());
    if (!FSender.isEmpty())
        cursor.insertText(QLatin1Char('<') + FSender + QStringLiteral("> "), PlainFormat());
    FLineStarted = true;
}

void TBaselineConversationWriter::AddLine(const QString &line)
{
    // What came before the body stays in front of it; what follows starts a line of its own.
    Flush();
    QTextCursor cursor = EndOf(FView);
    if (!FView.document()->isEmpty())
        cursor.insertBlock(QTextBlockFormat(), PlainFormat());
    cursor.insertText(line, PlainFormat());
    FLineStarted = false;
}

void TBaselineConversationWriter::Flush()
{
    if (FRun.isEmpty())
        return;
    EndOf(FView).insertText(FRun, FFormat);
    FRun.clear();
}

void TBaselineConversationWriter::ScrollToEnd()
{
    FView.moveCursor(QTextCursor::End);
    FView.ensureCursorVisible();
}
