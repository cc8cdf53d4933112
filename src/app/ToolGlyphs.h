#pragma once
// The small pictures of the main window's tool strip, drawn in code.
#include <QIcon>

// A plug entering its socket: log in or out.
QIcon ConnectGlyph();
// A list of rooms with their "#": the channel list.
QIcon ChannelsGlyph();
// Chattle's emblem, two speech bubbles: the window icon wherever no application icon is installed.
QIcon ChattleEmblem();
