#pragma once
// The password scrambling of the profile file (the file itself is read and written by TPersonaInst).
#include <QByteArray>

// Byte i (from 1) becomes (byte + i mod 3) mod 256; UnscrambleText undoes it. Used on UTF-8 bytes.
QByteArray ScrambleText(const QByteArray &text);
QByteArray UnscrambleText(const QByteArray &text);
