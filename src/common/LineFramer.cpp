#include "LineFramer.h"

namespace {
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

qsizetype NextLineEnd(const QByteArray &Bytes, qsizetype From)
{
    const char *data = Bytes.constData();
    for (qsizetype i = From; i < Bytes.size(); ++i)
        if (IsLineEnd(data[i]))
            return i;
    return -1;
}
} // namespace

QList<QByteArray> TLineFramer::Feed(QByteArray Bytes)
{
    QList<QByteArray> lines;
    qsizetype pos = 0;
    if (FDropping) {
        const qsizetype end = NextLineEnd(Bytes, 0);
        if (end < 0)
            return lines;
        lines << FPartial;
        FPartial.clear();
        FDropping = false;
        pos = end;
    }
    // The partial line holds no line end, so the search resumes after it.
    const qsizetype searchFrom = FPartial.size();
    if (!FPartial.isEmpty()) {
        Bytes.prepend(FPartial);
        FPartial.clear();
    }
    const qsizetype size = Bytes.size();
    for (;;) {
        while (pos < size && IsLineEnd(Bytes.at(pos)))
            ++pos;
        if (pos == size)
            break;
        const qsizetype end = NextLineEnd(Bytes, qMax(pos, searchFrom));
        if (end < 0) {
            FPartial = Bytes.mid(pos);
            break;
        }
        lines << Bytes.mid(pos, qMin(end - pos, FMaxLine));
        pos = end + 1;
    }
    if (FPartial.size() > FMaxLine) {
        FPartial.truncate(FMaxLine);
        FDropping = true;
    }
    return lines;
}

void TLineFramer::Clear()
{
    FPartial.clear();
    FDropping = false;
}
