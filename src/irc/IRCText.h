#pragma once
// Text rules of the IRC engine: decoding received lines, cutting text to a byte budget, the
// parameter split of a server line, short nicks and CTCP framing.
#include <QByteArray>
#include <QString>
#include <QStringList>

// UTF-8 when the bytes are valid UTF-8, Latin-1 otherwise.
QString DecodeIRCLine(const QByteArray &Bytes);

// How many characters from Start fit into MaxBytes of UTF-8 without splitting a character
// (a surrogate pair counts as one character).
qsizetype CharsFittingUtf8(const QString &Text, qsizetype Start, qsizetype MaxBytes);

// Text up to the first CR, LF or NUL: what follows could smuggle extra commands onto the wire.
QString CutAtLineBreak(const QString &Text);

// The parameters of a line text (the line without its leading ":"): a parameter starting with ":"
// takes the rest of the line; one starting with "=" is dropped with the blank after it and the rest
// becomes the last parameter; the prefix is never trailing text; a final ":" stays a parameter.
QStringList SplitIRCParams(const QString &LineText);
// The same into Params, emptied first (its room is kept for the next line).
void SplitIRCParams(QStringView LineText, QStringList &Params);

// Drops one leading "~", then keeps the text before the first "!".
QString ShortNick(const QString &LongNick);
QStringView ShortNickView(QStringView LongNick);

inline constexpr QChar CTCPDelimiter = QChar(1);

// A CTCP text without its opening code 1 and, when present, its closing one.
QString StripCTCPFraming(const QString &Text);
