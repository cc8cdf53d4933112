#include "ConversationWriter.h"

#include <QPointer>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

#include "IRCTextStyle.h"

namespace {
const QString ActionPrefix = QStringLiteral("ACTION ");
constexpr std::uint32_t DefaultText = 0x000000;
constexpr std::uint32_t DefaultBackground = 0xFFFFFF;

QTextCharFormat PlainFormat()
{
    QTextCharFormat format;
    format.setForeground(QColor(Qt::black));
    format.setFontWeight(QFont::Normal);
    format.setFontUnderline(false);
    return format;
}

QTextCharFormat FormatOf(const TIrcTextStyle &style)
{
    QTextCharFormat format = PlainFormat();
    const TIrcTextStyle::TShown shown = style.Shown(DefaultText, DefaultBackground);
    format.setForeground(QColor::fromRgb(shown.Text));
    if (shown.Background)
        format.setBackground(QColor::fromRgb(*shown.Background));
    if (style.Bold)
        format.setFontWeight(QFont::Bold);
    format.setFontUnderline(style.Underline);
    if (style.Italic)
        format.setFontItalic(true);
    if (style.Strikethrough)
        format.setFontStrikeOut(true);
    if (style.Monospace) {
        format.setFontFamilies(QStringList{QStringLiteral("Courier New"), QStringLiteral("monospace")});
        format.setFontFixedPitch(true);
    }
    return format;
}
} // namespace

TConversationWriter::TConversationWriter(QTextEdit &view, int LineLimit) : FView(view), FLineLimit(LineLimit) {}

void TConversationWriter::Write(const QString &sender, const QString &text, const TCtcpHandler &onCtcp)
{
    // A CTCP handler may show a message box, and the window may close while it is up.
    const QPointer<QTextEdit> view(&FView);
    FLead = sender.isEmpty() ? QString() : QLatin1Char('<') + sender + QStringLiteral("> ");
    FLineStarted = false;
    WalkIrcStyledText(text, [this](const QString &run, const TIrcTextStyle &style) { InsertRun(run, style); },
                      [&](const QString &body) {
                          // What the handler does comes after what is written so far.
                          Commit();
                          if (onCtcp)
                              onCtcp(body);
                          if (!view)
                              return false;
                          if (body.toUpper().startsWith(ActionPrefix))
                              AddLine(sender + QLatin1Char(' ') + body.mid(ActionPrefix.size()));
                          return true;
                      });
    if (!view)
        return;
    Commit();
    ScrollToEnd();
}

void TConversationWriter::WriteLine(const QString &lead, const QString &text)
{
    FLead = lead;
    FLineStarted = false;
    WalkIrcStyledText(text, [this](const QString &run, const TIrcTextStyle &style) { InsertRun(run, style); });
    if (!FLineStarted && !lead.isEmpty())
        StartLine();
    Commit();
    ScrollToEnd();
}

QTextCursor &TConversationWriter::Edit()
{
    if (!FEditing) {
        FCursor = QTextCursor(FView.document());
        FCursor.movePosition(QTextCursor::End);
        FCursor.beginEditBlock();
        FEditing = true;
    }
    return FCursor;
}

void TConversationWriter::Commit()
{
    if (!FEditing)
        return;
    FCursor.endEditBlock();
    FCursor = QTextCursor();
    FEditing = false;
    TrimOldestLines();
}

void TConversationWriter::StartLine()
{
    QTextCursor &cursor = Edit();
    if (!FView.document()->isEmpty())
        cursor.insertBlock(QTextBlockFormat(), PlainFormat());
    if (!FLead.isEmpty())
        cursor.insertText(FLead, PlainFormat());
    FLineStarted = true;
}

void TConversationWriter::InsertRun(const QString &run, const TIrcTextStyle &style)
{
    if (!FLineStarted)
        StartLine();
    Edit().insertText(run, FormatOf(style));
}

void TConversationWriter::AddLine(const QString &line)
{
    // What came before the body stays in front of it; what follows starts a line of its own.
    QTextCursor &cursor = Edit();
    if (!FView.document()->isEmpty())
        cursor.insertBlock(QTextBlockFormat(), PlainFormat());
    cursor.insertText(line, PlainFormat());
    FLineStarted = false;
}

void TConversationWriter::TrimOldestLines()
{
    QTextDocument &document = *FView.document();
    if (FLineLimit <= 0 || document.blockCount() <= FLineLimit)
        return;
    // Trimming re-lays out what stays, so it is done a tenth of the limit at a time.
    const int keep = FLineLimit - FLineLimit / 10;
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::Start);
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor, document.blockCount() - keep);
    cursor.removeSelectedText();
}

void TConversationWriter::ScrollToEnd()
{
    FView.moveCursor(QTextCursor::End);
    FView.ensureCursorVisible();
}
