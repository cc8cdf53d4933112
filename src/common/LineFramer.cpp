#include "LineFramer.h"

namespace {
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

void DropLeadingLineEnds(QByteArray &Bytes)
{
    qsizetype n = 0;
    while (n < Bytes.size() && IsLineEnd(Bytes.at(n)))
        ++n;
    Bytes.remove(0, n);
}

qsizetype NextLineEnd(const QByteArray &Bytes)
{
    const qsizetype cr = Bytes.indexOf('\r');
    return cr >= 0 ? cr : Bytes.indexOf('\n');
}
} // namespace

QList<QByteArray> TLineFramer::Feed(QByteArray Bytes)
{
    QList<QByteArray> lines;
    if (FDropping) {
        const qsizetype end = NextLineEnd(Bytes);
        if (end < 0)
            return lines;
        lines << FPartial;
        FPartial.clear();
        FDropping = false;
        Bytes.remove(0, end);
    }
    Bytes.prepend(FPartial);
    FPartial.clear();
    for (DropLeadingLineEnds(Bytes); !Bytes.isEmpty(); DropLeadingLineEnds(Bytes)) {
        const qsizetype end = NextLineEnd(Bytes);
        if (end < 0) {
            FPartial = Bytes;
            break;
        }
        lines << Bytes.left(qMin(end, FMaxLine));
        Bytes.remove(0, end + 1);
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
