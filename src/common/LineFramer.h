#pragma once
// Cuts a received byte stream into lines in one pass. A line ends at its first CR or LF; runs of CR
// and LF between lines, also a CR LF pair split over two reads, make no empty lines. A line
// longer than the cap keeps its first MaxLine bytes and the rest of it is dropped until its end arrives.
#include <QByteArray>
#include <QList>

class TLineFramer {
public:
    explicit TLineFramer(qsizetype MaxLine) : FMaxLine(MaxLine) {}

    // Takes the next received bytes and returns the lines they complete, without their ends.
    QList<QByteArray> Feed(QByteArray Bytes);
    // Forgets the unfinished line (a new connection).
    void Clear();
    // The bytes after the last complete line: never more than MaxLine.
    const QByteArray &Partial() const { return FPartial; }
    qsizetype MaxLine() const { return FMaxLine; }

private:
    qsizetype FMaxLine;
    QByteArray FPartial;
    bool FDropping = false; // the partial line hit the cap: bytes are dropped until its end
};
