#include "FileWriters.h"

#include "ChattleError.h"
#include "Raster.h"

#include <QBuffer>
#include <QFile>
#include <QHash>
#include <QtEndian>

#include <cstdio>
#include <gif_lib.h>
#include <jpeglib.h>

namespace {

int GifWrite(GifFileType *gif, const GifByteType *bytes, int length)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(bytes), length);
    return length;
}

void CheckGif(int result, const char *what)
{
    if (result != GIF_OK)
        throw EFileError(QStringLiteral("GIF encoder failed at %1").arg(QLatin1String(what)));
}

void AppendLE16(QByteArray &bytes, quint16 value)
{
    bytes.append(char(value & 0xFF));
    bytes.append(char(value >> 8));
}

void AppendLE32(QByteArray &bytes, quint32 value)
{
    AppendLE16(bytes, quint16(value & 0xFFFF));
    AppendLE16(bytes, quint16(value >> 16));
}

} // namespace

QByteArray EncodeGif(const std::vector<QImage> &frames, QRgb background)
{
    if (frames.empty())
        throw EFileError(QStringLiteral("GIF without frames"));
    const int width = frames.front().width(), height = frames.front().height();

    // The colour table, in order of first use, the background first.
    std::vector<QRgb> colours{background & 0xFFFFFF};
    QHash<QRgb, int> indexOf{{background & 0xFFFFFF, 0}};
    std::vector<QByteArray> indexed;
    for (const QImage &frame : frames) {
        const QImage flat = Raster::Flatten(frame, background);
        QByteArray pixels(width * height, 0);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const QRgb c = flat.pixel(x, y) & 0xFFFFFF;
                auto found = indexOf.find(c);
                if (found == indexOf.end()) {
                    if (colours.size() == 256)
                        throw EFileError(QStringLiteral("more than 256 colours in one GIF"));
                    found = indexOf.insert(c, int(colours.size()));
                    colours.push_back(c);
                }
                pixels[y * width + x] = char(found.value());
            }
        indexed.push_back(pixels);
    }
    int tableSize = 2;
    while (tableSize < int(colours.size()))
        tableSize *= 2;
    std::vector<GifColorType> table(tableSize, GifColorType{0, 0, 0});
    for (size_t i = 0; i < colours.size(); ++i)
        table[i] = GifColorType{GifByteType(qRed(colours[i])), GifByteType(qGreen(colours[i])),
                                GifByteType(qBlue(colours[i]))};

    QByteArray out;
    int error = 0;
    GifFileType *gif = EGifOpen(&out, GifWrite, &error);
    if (!gif)
        throw EFileError(QStringLiteral("GIF encoder could not start"));
    ColorMapObject *map = GifMakeMapObject(tableSize, table.data());
    try {
        EGifSetGifVersion(gif, true);
        CheckGif(EGifPutScreenDesc(gif, width, height, 8, 0, map), "screen");
        for (const QByteArray &pixels : indexed) {
            GraphicsControlBlock control{DISPOSE_BACKGROUND, false, 10, NO_TRANSPARENT_COLOR};
            GifByteType extension[4];
            const size_t length = EGifGCBToExtension(&control, extension);
            CheckGif(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(length), extension), "control");
            CheckGif(EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr), "image");
            for (int y = 0; y < height; ++y)
                CheckGif(EGifPutLine(gif, reinterpret_cast<GifPixelType *>(const_cast<char *>(pixels.constData())) + y * width,
                                     width),
                         "line");
        }
    } catch (...) {
        GifFreeMapObject(map);
        EGifCloseFile(gif, &error);
        throw;
    }
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK)
        throw EFileError(QStringLiteral("GIF encoder could not finish"));
    return out;
}

QByteArray EncodePng(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG"))
        throw EFileError(QStringLiteral("PNG encoder failed"));
    return bytes;
}

QByteArray EncodeJpeg(const QImage &image, int quality)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char *buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char *>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

QByteArray EncodeBmp(const QImage &image)
{
    const int width = image.width(), height = image.height();
    const int rowBytes = (width * 3 + 3) & ~3;
    const quint32 pixelBytes = quint32(rowBytes * height);
    QByteArray bytes;
    bytes.append("BM");
    AppendLE32(bytes, 14 + 40 + pixelBytes);
    AppendLE32(bytes, 0);
    AppendLE32(bytes, 14 + 40);
    AppendLE32(bytes, 40);
    AppendLE32(bytes, quint32(width));
    AppendLE32(bytes, quint32(height)); // positive: rows run bottom-up
    AppendLE16(bytes, 1);
    AppendLE16(bytes, 24);
    AppendLE32(bytes, 0); // no compression
    AppendLE32(bytes, pixelBytes);
    AppendLE32(bytes, 2835);
    AppendLE32(bytes, 2835);
    AppendLE32(bytes, 0);
    AppendLE32(bytes, 0);
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(rowBytes, 0);
        for (int x = 0; x < width; ++x) {
            const QRgb c = image.pixel(x, y);
            row[x * 3] = char(qBlue(c));
            row[x * 3 + 1] = char(qGreen(c));
            row[x * 3 + 2] = char(qRed(c));
        }
        bytes.append(row);
    }
    return bytes;
}

QByteArray EncodeWav(const std::vector<qint16> &samples, int sampleRate)
{
    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray bytes;
    bytes.append("RIFF");
    AppendLE32(bytes, 36 + dataBytes);
    bytes.append("WAVEfmt ");
    AppendLE32(bytes, 16);
    AppendLE16(bytes, 1); // PCM
    AppendLE16(bytes, 1); // mono
    AppendLE32(bytes, quint32(sampleRate));
    AppendLE32(bytes, quint32(sampleRate * 2));
    AppendLE16(bytes, 2);
    AppendLE16(bytes, 16);
    bytes.append("data");
    AppendLE32(bytes, dataBytes);
    for (qint16 sample : samples)
        AppendLE16(bytes, quint16(sample));
    return bytes;
}

void SaveFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw EFileError(QStringLiteral("cannot write %1").arg(path));
}
