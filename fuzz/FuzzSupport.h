#pragma once
// What the fuzz targets share: the offscreen application, fuzz bytes as text, a scratch file that
// holds the current input, and a part library built from a tiny artwork set.
#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>

class TPersonaLib;

// Creates the one QApplication on the offscreen platform (idempotent).
void EnsureApplication();

// The bytes as the engine decodes a received line: UTF-8 when valid, Latin-1 otherwise.
QString FuzzText(const std::uint8_t *data, std::size_t size);

// Hands the bytes on in pieces of chunk bytes (the last one shorter), as reads off a socket.
void ForEachChunk(const std::uint8_t *data, std::size_t size, std::size_t chunk,
                  const std::function<void(const QByteArray &)> &receive);

// Writes the bytes to a file of the given name in a private temporary folder; returns its path.
QString WriteScratchFile(const QString &name, const std::uint8_t *data, std::size_t size);

// A part library loaded from the tiny test artwork, written once into a temporary folder.
TPersonaLib &MiniLibrary();

// Delivers what an event loop would have posted meanwhile, deferred deletions included. Sending only
// one type of event leaves the delivered entries in Qt's list, which then grows with every input.
void DeliverPostedEvents();

// Keeps the compiler from dropping reads whose only purpose is to touch the data.
void Touch(const QString &text);
void Touch(long long value);
