#pragma once
// Writes JPEG data for the tests with libjpeg's encoder.
#include <QByteArray>
#include <cstdint>
#include <vector>

// RGB pixels 0x00RRGGBB, row-major, encoded at the given quality.
QByteArray WriteTestJpeg(int width, int height, const std::vector<std::uint32_t> &pixels, int quality = 95);
// One grey sample per pixel.
QByteArray WriteTestGreyJpeg(int width, int height, const std::vector<std::uint8_t> &grey);
// Four-channel samples (C, M, Y, K per pixel) stored as an Adobe CMYK JPEG.
QByteArray WriteTestCmykJpeg(int width, int height, const std::vector<std::uint8_t> &cmyk);
// A progressive grey JPEG with one scan per coefficient (64 scans), or, with everyBit, one per
// coefficient and bit (128 scans).
QByteArray WriteTestProgressiveGreyJpeg(int width, int height, const std::vector<std::uint8_t> &grey, bool everyBit);
