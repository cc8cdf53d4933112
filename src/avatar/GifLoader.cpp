#include "GifLoader.h"

#include "AvatarLog.h"
#include "ChattleError.h"
#include "ChattleLog.h"
#include "Utils.h"

#include <algorithm>
#include <utility>
#include <cstring>
#include <vector>

#include <gif_lib.h>

// The loader walks giflib's record API one record at a time, so that every declared size is checked
// before anything is allocated for it (DGifSlurp would allocate a whole image first).
namespace {

struct TMemoryReader {
    const QByteArray *Data;
    qsizetype Position;
};

int ReadFromMemory(GifFileType *gif, GifByteType *buffer, int length)
{
    auto *reader = static_cast<TMemoryReader *>(gif->UserData);
    const qsizetype available = reader->Data->size() - reader->Position;
    const int count = static_cast<int>(std::min<qsizetype>(length, available));
    std::memcpy(buffer, reader->Data->constData() + reader->Position, static_cast<std::size_t>(count));
    reader->Position += count;
    return count;
}

struct TGifCloser {
    void operator()(GifFileType *gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using TGifHandle = std::unique_ptr<GifFileType, TGifCloser>;

[[noreturn]] void Fail(const QString &what) { throw EFileError(QStringLiteral("Broken GIF file: %1").arg(what)); }

void Check(int result, const GifFileType *gif)
{
    if (result == GIF_ERROR)
        Fail(QString::fromLatin1(GifErrorString(gif->Error)));
}

std::uint32_t PlatformColour(const GifColorType &c)
{
    return std::uint32_t(c.Red) | (std::uint32_t(c.Green) << 8) | (std::uint32_t(c.Blue) << 16);
}

// The file's background colour in the platform's form; an index beyond the table gives colour 0.
std::uint32_t BackgroundPlatformColour(const GifFileType *gif)
{
    const ColorMapObject *map = gif->SColorMap;
    if (map == nullptr || gif->SBackGroundColor < 0 || gif->SBackGroundColor >= map->ColorCount)
        return 0;
    return PlatformColour(map->Colors[gif->SBackGroundColor]);
}

// All 256 indices resolve: entries beyond the table are the background colour.
TMxColorMap BuildColourMap(const ColorMapObject *table, std::uint32_t background)
{
    TMxColorMap map;
    map.fill(background);
    if (table != nullptr) {
        const int count = std::clamp(table->ColorCount, 0, 256);
        for (int i = 0; i < count; ++i)
            map[static_cast<std::size_t>(i)] = PlatformColour(table->Colors[i]);
    }
    return map;
}

// A graphic control extension seen since the previous image.
struct TFrameControl {
    int Delay;
    int Disposal;
};

std::vector<TFrameControl> ReadExtension(GifFileType *gif)
{
    std::vector<TFrameControl> controls;
    int code = 0;
    GifByteType *block = nullptr;
    Check(DGifGetExtension(gif, &code, &block), gif);
    if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= 4) {
        GraphicsControlBlock gcb;
        if (DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK)
            controls.push_back({gcb.DelayTime, gcb.DisposalMode});
    }
    while (block != nullptr)
        Check(DGifGetExtensionNext(gif, &block), gif);
    return controls;
}

void SkipImageData(GifFileType *gif)
{
    int codeSize = 0;
    GifByteType *block = nullptr;
    Check(DGifGetCode(gif, &codeSize, &block), gif);
    while (block != nullptr)
        Check(DGifGetCodeNext(gif, &block), gif);
}

// Reads the image's rows into top-to-bottom order; interlaced rows arrive in four passes.
std::vector<std::uint8_t> ReadIndices(GifFileType *gif, int width, int height)
{
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    auto readRow = [&](int row) {
        Check(DGifGetLine(gif, indices.data() + static_cast<std::size_t>(row) * width, width), gif);
    };
    if (gif->Image.Interlace) {
        static constexpr int Start[4] = {0, 4, 2, 1};
        static constexpr int Step[4] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int row = Start[pass]; row < height; row += Step[pass])
                readRow(row);
    } else {
        for (int row = 0; row < height; ++row)
            readRow(row);
    }
    return indices;
}

class TSpriteBuilder {
public:
    explicit TSpriteBuilder(GifFileType *gif) : FGif(gif)
    {
        if (gif->SWidth > TMxBitmap::MaxLoadSide || gif->SHeight > TMxBitmap::MaxLoadSide)
            Fail(QStringLiteral("the picture is larger than %1 x %1 pixels").arg(TMxBitmap::MaxLoadSide));
        FBackground = BackgroundPlatformColour(gif);
        FSprite = std::make_unique<TMxSprite>(gif->SWidth, gif->SHeight, SwapRedBlue(FBackground));
        FCanvas = std::make_unique<TMxBitmap>(gif->SWidth, gif->SHeight);
        FCanvas->Fill(FSprite->BackgroundColor());
    }

    void AddControls(const std::vector<TFrameControl> &controls)
    {
        FPending.insert(FPending.end(), controls.begin(), controls.end());
    }

    void AddImage()
    {
        Check(DGifGetImageDesc(FGif), FGif);
        const GifImageDesc &image = FGif->Image;
        if (++FImageCount > MaxGifImages)
            Fail(QStringLiteral("more than %1 images").arg(MaxGifImages));
        if (image.Width > TMxBitmap::MaxLoadSide || image.Height > TMxBitmap::MaxLoadSide)
            Fail(QStringLiteral("an image is larger than %1 x %1 pixels").arg(TMxBitmap::MaxLoadSide));
        const std::vector<TFrameControl> controls = std::exchange(FPending, {});
        if (image.Width <= 0 || image.Height <= 0) {
            SkipImageData(FGif);
            return;
        }
        const long long screenPixels = static_cast<long long>(FSprite->Width()) * FSprite->Height();
        if (screenPixels * (FSprite->CelCount() + 1) > MaxGifCelPixels)
            Fail(QStringLiteral("the frames need more than %1 pixels").arg(MaxGifCelPixels));

        FRunningDelay = 0;
        TMxCel &cel = FSprite->AddCel();
        for (const TFrameControl &control : controls) {
            FRunningDelay = control.Delay * 10;
            if (FRunningDelay != 0)
                FLastNonZeroDelay = FRunningDelay;
            cel.Disposal = control.Disposal;
        }
        if (cel.Disposal == 2)
            FCanvas->Fill(FSprite->BackgroundColor());

        const std::vector<std::uint8_t> indices = ReadIndices(FGif, image.Width, image.Height);
        const ColorMapObject *table = FGif->SColorMap != nullptr ? FGif->SColorMap : image.ColorMap;
        const bool coversScreen = image.Width >= FSprite->Width() && image.Height >= FSprite->Height();
        FCanvas->CopyIndexedPixels(coversScreen ? 0 : image.Left, coversScreen ? 0 : image.Top,
                                   BuildColourMap(table, FBackground), indices.data(), image.Height - 1,
                                   image.Width - 1);

        if (FRunningDelay == 0)
            FRunningDelay = FLastNonZeroDelay;
        cel.Delay = FRunningDelay;
        cel.Disposal = 0;
        FCanvas->DrawTo(cel.Bitmap, 0, 0);
        cel.Bitmap.MakeTransparent();
    }

    std::unique_ptr<TMxSprite> Finish()
    {
        FSprite->DefaultDelay = FRunningDelay;
        return std::move(FSprite);
    }

private:
    GifFileType *FGif;
    std::uint32_t FBackground = 0; // platform form
    std::unique_ptr<TMxSprite> FSprite;
    std::unique_ptr<TMxBitmap> FCanvas;
    std::vector<TFrameControl> FPending;
    int FImageCount = 0;
    int FRunningDelay = 50;
    int FLastNonZeroDelay = 100;
};

} // namespace

std::unique_ptr<TMxSprite> LoadSpriteFromGIFData(const QByteArray &data)
{
    TMemoryReader reader{&data, 0};
    int error = 0;
    TGifHandle gif(DGifOpen(&reader, ReadFromMemory, &error));
    if (!gif)
        Fail(QString::fromLatin1(GifErrorString(error)));

    TSpriteBuilder builder(gif.get());
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    do {
        Check(DGifGetRecordType(gif.get(), &record), gif.get());
        if (record == IMAGE_DESC_RECORD_TYPE)
            builder.AddImage();
        else if (record == EXTENSION_RECORD_TYPE)
            builder.AddControls(ReadExtension(gif.get()));
    } while (record != TERMINATE_RECORD_TYPE);
    return builder.Finish();
}

std::unique_ptr<TMxSprite> LoadSpriteFromGIF(const QString &path)
{
    return LoggingAbandoned(lcAvatar, UnreadablePicture(path),
                            [&] { return LoadSpriteFromGIFData(TMxBitmap::ReadPictureFile(path)); });
}
