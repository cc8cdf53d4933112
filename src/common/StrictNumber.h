#pragma once
// Numbers from the network and from hand-edited files: an optional "-" and ASCII digits only.
// QString::toInt also takes "+12", blanks and other scripts' digits, which no Chattle peer writes.
#include <QString>

// The value of field; anything else (empty, "+12", " 12", "0x1F", out of int range) throws EConvertError.
int StrictToInt(const QString &field);
