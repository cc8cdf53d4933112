// GIF bytes into a sprite, as the part library and the image controls load them.
#include "ChattleError.h"
#include "FuzzSupport.h"
#include "GifLoader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    std::unique_ptr<TMxSprite> sprite;
    try {
        sprite = LoadSpriteFromGIFData(bytes);
    } catch (const EFileError &) {
        return 0; // a broken file is refused as a whole
    }
    for (int i = 0; i < sprite->CelCount(); ++i) {
        const TMxCel &cel = sprite->Cel(i);
        const TMxBitmap &bitmap = cel.Bitmap;
        if (bitmap.Width() != sprite->Width() || bitmap.Height() != sprite->Height())
            __builtin_trap(); // every cel holds the whole picture
        Touch(cel.Delay + bitmap.GetPixel(0, 0) + bitmap.GetPixel(bitmap.Width() - 1, bitmap.Height() - 1));
    }
    // A copy is what the part library makes of every variant.
    const std::unique_ptr<TMxSprite> copy = TMxSprite::CreateCopy(*sprite);
    Touch(copy->CelCount());
    return 0;
}
