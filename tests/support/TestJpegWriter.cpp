#include "TestJpegWriter.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {
QByteArray Encode(int width, int height, int components, J_COLOR_SPACE space, const std::uint8_t *samples,
                  int quality, const std::vector<jpeg_scan_info> &scans = {})
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (!scans.empty()) {
        cinfo.scan_info = scans.data();
        cinfo.num_scans = static_cast<int>(scans.size());
    }
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(samples + cinfo.next_scanline * width * components);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray result(reinterpret_cast<const char *>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return result;
}
} // namespace

QByteArray WriteTestJpeg(int width, int height, const std::vector<std::uint32_t> &pixels, int quality)
{
    std::vector<std::uint8_t> rgb;
    for (std::uint32_t p : pixels) {
        rgb.push_back(static_cast<std::uint8_t>(p >> 16));
        rgb.push_back(static_cast<std::uint8_t>(p >> 8));
        rgb.push_back(static_cast<std::uint8_t>(p));
    }
    return Encode(width, height, 3, JCS_RGB, rgb.data(), quality);
}

QByteArray WriteTestCmykJpeg(int width, int height, const std::vector<std::uint8_t> &cmyk)
{
    return Encode(width, height, 4, JCS_CMYK, cmyk.data(), 95);
}

QByteArray WriteTestGreyJpeg(int width, int height, const std::vector<std::uint8_t> &grey)
{
    return Encode(width, height, 1, JCS_GRAYSCALE, grey.data(), 95);
}

QByteArray WriteTestProgressiveGreyJpeg(int width, int height, const std::vector<std::uint8_t> &grey, bool everyBit)
{
    const int low = everyBit ? 1 : 0; // the bit the first pass stops at
    std::vector<jpeg_scan_info> scans = {{1, {0}, 0, 0, 0, low}};
    for (int k = 1; k < 64; ++k)
        scans.push_back({1, {0}, k, k, 0, low});
    if (everyBit) {
        scans.push_back({1, {0}, 0, 0, 1, 0});
        for (int k = 1; k < 64; ++k)
            scans.push_back({1, {0}, k, k, 1, 0});
    }
    return Encode(width, height, 1, JCS_GRAYSCALE, grey.data(), 95, scans);
}
