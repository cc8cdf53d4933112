// Received text with IRC formatting codes written into a conversation control, offscreen. The first
// line of the input is the sender, the rest the text.
#include "ConversationWriter.h"
#include "FuzzSupport.h"

#include <QTextDocument>
#include <QTextEdit>

namespace {
QTextEdit &View()
{
    static QTextEdit *view = [] {
        auto *edit = new QTextEdit;
        edit->setReadOnly(true);
        edit->resize(400, 200);
        return edit;
    }();
    return *view;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    EnsureApplication();
    // The first layout loads the fonts, and fontconfig keeps caches for good: not a leak of ours.
    TConversationWriter(View()).Write(QStringLiteral("warm"), QStringLiteral("up \x02bold\x02 \x0304red"), {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    DeliverPostedEvents();
    const QString input = FuzzText(data, size);
    const qsizetype lineEnd = input.indexOf(QLatin1Char('\n'));
    const QString sender = lineEnd < 0 ? QString() : input.left(lineEnd);
    const QString text = lineEnd < 0 ? input : input.mid(lineEnd + 1);

    QTextEdit &view = View();
    view.clear();
    TConversationWriter writer(view);
    int bodies = 0;
    writer.Write(sender, text, [&](const QString &body) {
        Touch(body);
        ++bodies;
    });
    // A second text into the same view, as the next message of the conversation.
    writer.Write(text, sender, [&](const QString &body) { Touch(body); });
    Touch(view.document()->toPlainText());
    Touch(bodies);
    return 0;
}
