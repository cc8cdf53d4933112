#pragma once
// Writes the whole artwork folder, and on request the contact sheets.
#include <QString>
#include <QStringList>

// Writes every artwork file into directory (created when missing); returns the file names written.
QStringList WriteArtwork(const QString &directory);
// Writes the contact sheets (PNG) into directory.
void WriteContactSheets(const QString &directory);
