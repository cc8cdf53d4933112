// JPEG bytes through the decoder that TMxBitmap::LoadFromJPEGFile uses, then into a bitmap.
#include "Bitmap.h"
#include "ChattleError.h"
#include "FuzzSupport.h"
#include "JpegDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    TDecodedPicture picture;
    try {
        picture = DecodeJpeg(bytes, TMxBitmap::MaxLoadSide);
    } catch (const EFileError &) {
        return 0;
    }
    if (picture.Width <= 0 || picture.Height <= 0 || picture.Width > TMxBitmap::MaxLoadSide
        || picture.Height > TMxBitmap::MaxLoadSide
        || picture.Pixels.size() != static_cast<std::size_t>(picture.Width) * static_cast<std::size_t>(picture.Height))
        __builtin_trap();
    for (std::uint32_t pixel : picture.Pixels)
        if (pixel > 0x00FFFFFF)
            __builtin_trap();
    Touch(picture.Pixels.front() + picture.Pixels.back());

    // The whole file path once in a while: small inputs are cheap to write.
    if (size < 2048) {
        TMxBitmap bitmap(1, 1);
        try {
            bitmap.LoadFromJPEGFile(WriteScratchFile(QStringLiteral("picture.jpg"), data, size));
        } catch (const EFileError &) {
            __builtin_trap(); // the data decoded a moment ago
        }
        if (bitmap.Width() != picture.Width || bitmap.GetPixel(0, 0) != (picture.Pixels.front() & 0x00FFFFFF))
            __builtin_trap();
    }
    return 0;
}
