#pragma once
// Decoding of JPEG data with libjpeg into 0x00RRGGBB pixels, errors raised instead of exiting.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

struct TDecodedPicture {
    int Width = 0;
    int Height = 0;
    std::vector<std::uint32_t> Pixels; // 0x00RRGGBB, row-major, top row first
    QString Warning;                    // the first of libjpeg's complaints about a picture shown anyway
};

// Throws EFileError for malformed, truncated or oversized data (more than maxSide pixels either way) and
// for progressive data with absurdly many scans.
TDecodedPicture DecodeJpeg(const QByteArray &data, int maxSide);
