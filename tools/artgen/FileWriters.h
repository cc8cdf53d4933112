#pragma once
// The encoders of the artwork files. Each returns the file's bytes, so the same picture always gives
// the same bytes, and SaveFile writes them.
#include <QByteArray>
#include <QImage>
#include <QRgb>
#include <QString>
#include <vector>

// An animated GIF: one global colour table (the background colour at index 0, which is also the
// screen's background index), no local tables, each frame full-size with a 100 ms delay and
// disposal 2. Layers are flattened onto the background colour.
QByteArray EncodeGif(const std::vector<QImage> &frames, QRgb background);
QByteArray EncodeJpeg(const QImage &image, int quality = 90);
// A 24-bit uncompressed Windows bitmap.
QByteArray EncodeBmp(const QImage &image);
// A PNG with an alpha channel (no time stamp, so the bytes depend only on the picture).
QByteArray EncodePng(const QImage &image);
// A mono 16-bit PCM WAVE file.
QByteArray EncodeWav(const std::vector<qint16> &samples, int sampleRate);

// Writes bytes to path; throws EFileError when the file cannot be written.
void SaveFile(const QString &path, const QByteArray &bytes);
