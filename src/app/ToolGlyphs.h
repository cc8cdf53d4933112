#pragma once
// The small pictures of the main window's tool strip, drawn in code.
#include <QIcon>

// A plug entering its socket: log in or out.
QIcon ConnectGlyph();
// A list of rooms with their "#": the channel list.
QIcon ChannelsGlyph();
// The program's icon as the artwork generator drew it (chattle48.png, ...); empty when missing.
QIcon ApplicationIcon(const QString &ArtworkDir);
