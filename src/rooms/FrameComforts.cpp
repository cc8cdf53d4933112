#include "FrameComforts.h"

#include <QDateTime>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTextDocument>
#include <QTextEdit>

#include "AvatarProtocol.h"
#include "ChatComforts.h"
#include "ChatLogWriter.h"
#include "LinkFinder.h"
#include "MentionMatcher.h"
#include "SoundPlayer.h"
#include "WindowMarks.h"

namespace {
constexpr int MaxSpeakers = 50;
const QColor LinkColour(0x00, 0x33, 0xcc);
const QColor MentionBackground(0xff, 0xe0, 0x8a);

QTextCharFormat LinkFormat(const QUrl &url)
{
    QTextCharFormat format;
    format.setAnchor(true);
    format.setAnchorHref(url.toString(QUrl::FullyEncoded));
    format.setForeground(LinkColour);
    format.setFontUnderline(true);
    return format;
}

QTextCharFormat MentionFormat()
{
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    format.setBackground(MentionBackground);
    return format;
}

QTextCharFormat TimestampFormat()
{
    QTextCharFormat format;
    format.setForeground(QColor(Qt::darkGray));
    format.setFontWeight(QFont::Normal);
    return format;
}

// A line's text without the "<sender> " or, for an action, "sender " in front of it.
QString Said(const QString &line, const QString &sender)
{
    for (const QString &prefix : {QLatin1Char('<') + sender + QStringLiteral("> "), sender + QLatin1Char(' ')})
        if (line.startsWith(prefix))
            return line.mid(prefix.size());
    return line;
}

bool DefaultActiveWindow(const QMdiSubWindow *window)
{
    return window->mdiArea() && window->mdiArea()->activeSubWindow() == window;
}
} // namespace

TFrameComforts::TFrameComforts(QLineEdit *say, QTextEdit *conversation, QObject *parent)
    : QObject(parent), OpenLink([](const QUrl &url) { QDesktopServices::openUrl(url); }), FSay(say),
      FConversation(conversation), FViewport(conversation->viewport())
{
    FSay->installEventFilter(this);
    FViewport->installEventFilter(this);
    FViewport->setMouseTracking(true);
}

// ---- Input line ------------------------------------------------------------------------------------

bool TFrameComforts::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FSay && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() == Qt::NoModifier && SayKey(key->key()))
            return true;
    } else if (watched == FViewport && event->type() != QEvent::Destroy) {
        ConversationMouse(event);
    }
    return QObject::eventFilter(watched, event);
}

bool TFrameComforts::SayKey(int key)
{
    std::optional<QString> line;
    switch (key) {
    case Qt::Key_Tab:
        if (const auto completed = FCompleter.Complete(FSay->text(), FSay->cursorPosition(), CompletionCandidates())) {
            FSay->setText(completed->Text);
            FSay->setCursorPosition(completed->Cursor);
        }
        return true; // Tab never leaves the input line
    case Qt::Key_Up:
        line = FHistory.Up(FSay->text());
        break;
    case Qt::Key_Down:
        line = FHistory.Down();
        break;
    default:
        return false;
    }
    if (line)
        FSay->setText(*line);
    return true;
}

QStringList TFrameComforts::CompletionCandidates() const
{
    const QString room = RoomName ? RoomName() : QString();
    if (!room.isEmpty() && !IsRoomName(room))
        return {room};
    return CompletionOrder(FSpeakers, MemberEntries ? MemberEntries() : QStringList(), OwnNick ? OwnNick() : QString());
}

void TFrameComforts::NoteSpeaker(const QString &nick)
{
    FSpeakers.removeAll(nick);
    FSpeakers.prepend(nick);
    if (FSpeakers.size() > MaxSpeakers)
        FSpeakers.removeLast();
}

// ---- Links ---------------------------------------------------------------------------------------

// Never takes the event: the conversation still sees every release, or it would go on selecting.
void TFrameComforts::ConversationMouse(QEvent *event)
{
    if (event->type() != QEvent::MouseMove && event->type() != QEvent::MouseButtonRelease)
        return;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const QString href = FConversation->anchorAt(mouse->position().toPoint());
    if (event->type() == QEvent::MouseMove) {
        FViewport->setCursor(href.isEmpty() ? Qt::IBeamCursor : Qt::PointingHandCursor);
        return;
    }
    // A drag that selected text is no click on a link.
    if (mouse->button() == Qt::LeftButton && !href.isEmpty() && !FConversation->textCursor().hasSelection() && OpenLink)
        OpenLink(QUrl(href, QUrl::StrictMode));
}

// ---- Shown text ------------------------------------------------------------------------------------

QTextCursor TFrameComforts::MarkEnd() const
{
    QTextDocument *document = FConversation->document();
    QTextCursor mark(document);
    mark.movePosition(QTextCursor::End);
    // On the last character there is, not after it: text appended at the end does not move it.
    if (!document->isEmpty())
        mark.movePosition(QTextCursor::PreviousCharacter);
    else
        mark = QTextCursor();
    return mark;
}

void TFrameComforts::TextShown(const QTextCursor &mark, const QString &sender)
{
    QTextDocument *document = FConversation->document();
    QList<QTextBlock> lines;
    for (QTextBlock block = mark.isNull() ? document->begin() : document->findBlock(mark.position()).next();
         block.isValid(); block = block.next())
        lines << block;
    if (lines.isEmpty())
        return;
    const QString own = OwnNick ? OwnNick() : QString();
    const bool fromOther = !sender.isEmpty() && sender != own;
    if (fromOther)
        NoteSpeaker(sender);

    QStringList texts;
    bool mention = false;
    for (const QTextBlock &line : lines) {
        const QString text = line.text();
        texts << text;
        QTextCursor cursor(document);
        for (const TFoundLink &link : FindLinks(text)) {
            cursor.setPosition(line.position() + link.Start);
            cursor.setPosition(line.position() + link.Start + link.Length, QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(LinkFormat(link.Url));
        }
        if (fromOther && MentionsNick(Said(text, sender), own)) {
            mention = true;
            cursor.setPosition(line.position());
            cursor.setPosition(line.position() + line.length() - 1, QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(MentionFormat());
        }
    }
    if (!Shared)
        return;
    const QDateTime now = QDateTime::currentDateTime();
    if (Shared->Timestamps) {
        const QString stamp = now.toString(QStringLiteral("[HH:mm] "));
        for (const QTextBlock &line : lines)
            QTextCursor(line).insertText(stamp, TimestampFormat());
    }
    if (Shared->KeepLogs && Shared->LogWriter && RoomName)
        for (const QString &text : texts)
            Shared->LogWriter->Append(Shared->LogsDir, Shared->Network, RoomName(), now, text);
    if (fromOther)
        Announce(sender, Said(texts.join(QLatin1Char(' ')), sender), mention);
}

// News the user is not looking at: the window is marked, and a mention or a private message raises a
// notification with the "message from" sound.
void TFrameComforts::Announce(const QString &sender, const QString &text, bool mention)
{
    QMdiSubWindow *window = Window();
    const bool activeWindow =
        !window || (Shared->IsActiveWindow ? Shared->IsActiveWindow(window) : DefaultActiveWindow(window));
    const bool activeApplication = Shared->ApplicationActive
                                       ? Shared->ApplicationActive()
                                       : QGuiApplication::applicationState() == Qt::ApplicationActive;
    if (!activeWindow)
        MarkWindow(window, mention ? TWindowMark::Mention : TWindowMark::Unread);
    const QString room = RoomName ? RoomName() : QString();
    const bool privateChat = !IsRoomName(room);
    if ((!mention && !privateChat) || (activeWindow && activeApplication))
        return;
    if (Shared->Notifier)
        Shared->Notifier->Notify(privateChat ? sender : sender + QStringLiteral(" in ") + room, text);
    if (Shared->Player)
        PlaySoundSetting(Shared->MessageFromSound, *Shared->Player);
}

QMdiSubWindow *TFrameComforts::Window() const
{
    for (QWidget *widget = FConversation; widget; widget = widget->parentWidget())
        if (auto *window = qobject_cast<QMdiSubWindow *>(widget))
            return window;
    return nullptr;
}
