// BMP files through TMxBitmap::LoadFromBitmapFile (Qt's reader behind our size limits).
#include "Bitmap.h"
#include "ChattleError.h"
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    EnsureApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString path = WriteScratchFile(QStringLiteral("picture.bmp"), data, size);
    TMxBitmap bitmap(3, 2);
    bitmap.SetPixel(0, 0, 0x123456);
    try {
        bitmap.LoadFromBitmapFile(path);
    } catch (const EFileError &) {
        // A refused file leaves the bitmap as it was.
        if (bitmap.Width() != 3 || bitmap.Height() != 2 || bitmap.GetPixel(0, 0) != 0x123456)
            __builtin_trap();
        return 0;
    }
    if (bitmap.Width() > TMxBitmap::MaxLoadSide || bitmap.Height() > TMxBitmap::MaxLoadSide)
        __builtin_trap();
    Touch(bitmap.GetPixel(0, 0) + bitmap.GetPixel(bitmap.Width() - 1, bitmap.Height() - 1));
    return 0;
}
