#pragma once
// Whether a text mentions a nick: the nick as a word of its own, letter case ignored (IRC's case rule:
// "[]\~" are the capitals of "{}|^"), with characters that may stand in a nick on neither side.
#include <QString>

bool MentionsNick(const QString &text, const QString &nick);
