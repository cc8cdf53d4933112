#include "IRCText.h"

#include "TextDecoding.h"

QString DecodeIRCLine(const QByteArray &Bytes) { return DecodeUtf8OrLatin1(Bytes); }

qsizetype CharsFittingUtf8(const QString &Text, qsizetype Start, qsizetype MaxBytes)
{
    qsizetype at = Start;
    qsizetype bytes = 0;
    while (at < Text.size()) {
        const char16_t unit = Text.at(at).unicode();
        qsizetype units = 1;
        qsizetype width;
        if (QChar::isHighSurrogate(unit) && at + 1 < Text.size() && QChar::isLowSurrogate(Text.at(at + 1).unicode())) {
            units = 2;
            width = 4;
        } else if (unit < 0x80) {
            width = 1;
        } else if (unit < 0x800) {
            width = 2;
        } else {
            width = 3; // a lone surrogate is written as the 3-byte replacement character
        }
        if (bytes + width > MaxBytes)
            break;
        bytes += width;
        at += units;
    }
    return at - Start;
}

QString CutAtLineBreak(const QString &Text)
{
    for (qsizetype i = 0; i < Text.size(); ++i) {
        const QChar c = Text.at(i);
        if (c == u'\r' || c == u'\n' || c == QChar(0))
            return Text.left(i);
    }
    return Text;
}

QStringList SplitIRCParams(const QString &LineText)
{
    QStringList params;
    SplitIRCParams(LineText, params);
    return params;
}

void SplitIRCParams(QStringView LineText, QStringList &Params)
{
    // Positions count from 1 here, as in the rule; At(p) is the character at position p.
    const qsizetype length = LineText.size();
    auto At = [&](qsizetype p) { return LineText.at(p - 1); };
    auto Copy = [&](qsizetype from, qsizetype to) { return LineText.mid(from - 1, to - from + 1).toString(); };

    Params.clear();
    qsizetype tokenStart = 1;
    qsizetype scan = 2;
    while (scan < length) {
        if (tokenStart > 1 && (At(tokenStart) == u':' || At(tokenStart) == u'=')) {
            tokenStart += At(tokenStart) == u'=' ? 2 : 1;
            scan = length;
            break;
        }
        // The next blank before the last character ends the token; the last character is never a separator.
        const qsizetype blank = LineText.indexOf(u' ', scan - 1) + 1;
        if (blank <= 0 || blank >= length) {
            scan = length;
            break;
        }
        Params << Copy(tokenStart, blank - 1);
        tokenStart = blank + 1;
        scan = blank + 1;
    }
    if (tokenStart <= scan)
        Params << Copy(tokenStart, scan);
}

QString ShortNick(const QString &LongNick)
{
    const QStringView nick = ShortNickView(LongNick);
    return nick.size() == LongNick.size() ? LongNick : nick.toString();
}

QStringView ShortNickView(QStringView LongNick)
{
    const QStringView nick = LongNick.startsWith(u'~') ? LongNick.mid(1) : LongNick;
    const qsizetype bang = nick.indexOf(u'!');
    return bang < 0 ? nick : nick.left(bang);
}

QString StripCTCPFraming(const QString &Text)
{
    QString body = Text.startsWith(CTCPDelimiter) ? Text.mid(1) : Text;
    if (body.endsWith(CTCPDelimiter))
        body.chop(1);
    return body;
}
