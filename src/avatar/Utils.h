#pragma once
// Small shared functions: protocol number padding, IRC text colours, colour conversions, the profile
// password scrambling and the playing of an event sound setting.
#include "SoundPlayer.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

// The last width characters of "00000000" followed by the decimal value: ZeroPad(123, 4) = "0123",
// ZeroPad(-5, 4) = "00-5"; digits beyond the width are lost. A width below 1 gives "".
QString ZeroPad(int value, int width);

// The colour of IRC text colour code 0-15 in the platform's colour form 0x00BBGGRR; any other code black.
std::uint32_t IrcColour(int code);

// Exchanges the lowest and the third byte and drops the top byte: 0x00BBGGRR <-> 0x00RRGGBB.
std::uint32_t SwapRedBlue(std::uint32_t c);

// Each of red, green and blue reduced by n and kept within 0..255; the top byte is dropped.
std::uint32_t Darken(std::uint32_t c, int n);

// Byte i (from 1) becomes (byte + i mod 3) mod 256; UnscrambleText undoes it. Used on UTF-8 bytes.
QByteArray ScrambleText(const QByteArray &text);
QByteArray UnscrambleText(const QByteArray &text);

// "[Default]" beeps, "[None]" plays nothing, anything else is a sound file name given to the player.
// Never reports an error.
void PlaySoundSetting(const QString &setting, TSoundPlayer &player);
