#pragma once
// The small pictures of the main window's tool strip, drawn in code.
#include <QIcon>

// A plug entering its socket: log in or out.
QIcon ConnectGlyph();
// A list of rooms with their "#": the channel list.
QIcon ChannelsGlyph();
// Chattle's emblem, two speech bubbles: the window icon when the artwork has none.
QIcon ChattleEmblem();
// The program's icon as the artwork generator drew it (chattle48.png, ...); the emblem when missing.
QIcon ApplicationIcon(const QString &ArtworkDir);
