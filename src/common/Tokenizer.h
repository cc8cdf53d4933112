#pragma once
// Cuts a text into fields at a delimiter, one field per NextToken call.
#include <QString>

class TTokenizer {
public:
    TTokenizer(const QString &Text, const QString &Delimiter);

    // The next field; once Remainder is empty every further call gives an empty field.
    // Exactly one character of the delimiter is skipped, so a longer delimiter leaves its tail
    // at the head of Remainder.
    void NextToken(QString &Token);
    QString NextToken();

    const QString &Text() const { return FText; }
    const QString &Remainder() const { return FRemainder; }
    const QString &Delimiter() const { return FDelimiter; }

private:
    QString FText;
    QString FRemainder;
    QString FDelimiter;
};
