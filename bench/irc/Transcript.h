#pragma once
// A server transcript like a busy visual room produces: chat, companion-channel moves, joins and
// parts, nick changes, modes, names replies, LIST replies and keep-alive pings. It leaves the
// rosters as it found them, so it can be replayed again and again.
#include <QByteArray>

// The own nick is "me"; the transcript expects "#room" and "#room.av" to be joined already.
QByteArray BusyRoomTranscript(int Rounds);
