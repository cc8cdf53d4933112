#include "Tokenizer.h"

namespace {
// Remainder keeps at most this many characters after each cut.
constexpr qsizetype MaxRemainder = 9999;
} // namespace

TTokenizer::TTokenizer(const QString &Text, const QString &Delimiter)
    : FText(Text), FRemainder(Text), FDelimiter(Delimiter)
{
}

void TTokenizer::NextToken(QString &Token)
{
    const qsizetype at = FDelimiter.isEmpty() ? -1 : FRemainder.indexOf(FDelimiter);
    if (at < 0) {
        Token = FRemainder;
        FRemainder.clear();
        return;
    }
    Token = FRemainder.left(at);
    FRemainder = FRemainder.mid(at + 1, MaxRemainder);
}

QString TTokenizer::NextToken()
{
    QString token;
    NextToken(token);
    return token;
}
