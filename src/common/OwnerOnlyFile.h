#pragma once
// Writes a file that holds secrets (passwords): beside the old one, then renamed over it, and
// readable and writable by its owner only. A failure leaves the old file whole.
#include <QByteArray>
#include <QString>

// False when the file could not be written in full or put in place.
bool WriteOwnerOnlyFile(const QString &path, const QByteArray &data);
