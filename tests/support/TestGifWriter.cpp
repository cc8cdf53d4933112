#include "TestGifWriter.h"

#include <gif_lib.h>
#include <stdexcept>

namespace {
int AppendToArray(GifFileType *gif, const GifByteType *bytes, int length)
{
    static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(bytes), length);
    return length;
}

ColorMapObject *MakeMap(const std::vector<QRgb> &colours)
{
    if (colours.empty())
        return nullptr;
    std::vector<GifColorType> entries;
    for (QRgb c : colours)
        entries.push_back({static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
                           static_cast<GifByteType>(qBlue(c))});
    ColorMapObject *map = GifMakeMapObject(static_cast<int>(entries.size()), entries.data());
    if (map == nullptr)
        throw std::logic_error("colour tables need a power of two entries");
    return map;
}

void Require(int result)
{
    if (result != GIF_OK)
        throw std::runtime_error("the GIF encoder failed");
}

void PutFrame(GifFileType *gif, const TTestGifFrame &frame)
{
    if (frame.HasControl) {
        GraphicsControlBlock gcb{};
        gcb.DisposalMode = frame.Disposal;
        gcb.DelayTime = frame.DelayCentiseconds;
        gcb.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType extension[4];
        const size_t length = EGifGCBToExtension(&gcb, extension);
        Require(EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension));
    }
    ColorMapObject *local = MakeMap(frame.LocalColours);
    const int result = EGifPutImageDesc(gif, frame.Left, frame.Top, frame.Width, frame.Height, frame.Interlace, local);
    GifFreeMapObject(local);
    Require(result);
    if (frame.Width == 0 || frame.Height == 0) {
        // The encoder writes no data block for an empty image; the block terminator makes it well-formed.
        static_cast<QByteArray *>(gif->UserData)->append('\0');
        return;
    }
    std::vector<int> rows;
    if (frame.Interlace) {
        const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
        for (int pass = 0; pass < 4; ++pass)
            for (int row = start[pass]; row < frame.Height; row += step[pass])
                rows.push_back(row);
    } else {
        for (int row = 0; row < frame.Height; ++row)
            rows.push_back(row);
    }
    for (int row : rows) {
        std::vector<GifPixelType> line(frame.Indices.begin() + row * frame.Width,
                                       frame.Indices.begin() + (row + 1) * frame.Width);
        Require(EGifPutLine(gif, line.data(), frame.Width));
    }
}
} // namespace

QByteArray WriteTestGif(const TTestGif &description)
{
    QByteArray bytes;
    int error = 0;
    GifFileType *gif = EGifOpen(&bytes, AppendToArray, &error);
    if (gif == nullptr)
        throw std::runtime_error("the GIF encoder did not open");
    EGifSetGifVersion(gif, true);
    ColorMapObject *global = MakeMap(description.GlobalColours);
    const int bits = global ? global->BitsPerPixel : 8;
    const int result = EGifPutScreenDesc(gif, description.Width, description.Height, bits,
                                         description.BackgroundIndex, global);
    GifFreeMapObject(global);
    Require(result);
    for (const TTestGifFrame &frame : description.Frames)
        PutFrame(gif, frame);
    Require(EGifCloseFile(gif, &error));
    return bytes;
}

TTestGifFrame SolidFrame(int left, int top, int width, int height, std::uint8_t index)
{
    TTestGifFrame frame;
    frame.Left = left;
    frame.Top = top;
    frame.Width = width;
    frame.Height = height;
    frame.Indices.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), index);
    return frame;
}

QByteArray HandMadeGif(int screenWidth, int screenHeight, int imageWidth, int imageHeight)
{
    auto le16 = [](QByteArray &b, int v) {
        b.append(static_cast<char>(v & 0xFF));
        b.append(static_cast<char>((v >> 8) & 0xFF));
    };
    QByteArray b("GIF89a");
    le16(b, screenWidth);
    le16(b, screenHeight);
    b.append(static_cast<char>(0x80)); // global table of two entries
    b.append('\0');                    // background index
    b.append('\0');                    // aspect
    b.append(QByteArray::fromHex("000000ffffff"));
    b.append(',');
    le16(b, 0);
    le16(b, 0);
    le16(b, imageWidth);
    le16(b, imageHeight);
    b.append('\0');
    b.append(QByteArray::fromHex("0202440100")); // one pixel of index 0
    b.append(';');
    return b;
}
