#include "JpegDecoder.h"

#include "ChattleError.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <jerror.h>

// libjpeg's own error handler ends the process. Ours jumps back into DecodeToBuffer, the one frame
// that calls setjmp; only libjpeg's C frames lie between, and DecodeToBuffer holds nothing with a
// destructor: its buffer is malloc'ed and freed by hand.
namespace {

// A progressive picture with thousands of scans takes seconds to decode; real ones have about ten.
constexpr int MaxScans = 100;

struct TJpegErrorManager {
    jpeg_error_mgr Base;
    jpeg_progress_mgr Progress;
    std::jmp_buf Escape;
    char Message[JMSG_LENGTH_MAX];
    char FirstWarning[JMSG_LENGTH_MAX];
    int Warnings;
};

[[noreturn]] void ErrorExit(j_common_ptr cinfo)
{
    auto *errors = reinterpret_cast<TJpegErrorManager *>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, errors->Message);
    std::longjmp(errors->Escape, 1);
}

// A truncated file is refused; other warnings (stray bytes before a marker, say) are counted, the first
// one kept for the log, and the picture is shown as other viewers show it.
void EmitMessage(j_common_ptr cinfo, int level)
{
    if (level >= 0)
        return;
    if (cinfo->err->msg_code == JWRN_JPEG_EOF)
        ErrorExit(cinfo);
    auto *errors = reinterpret_cast<TJpegErrorManager *>(cinfo->err);
    if (errors->Warnings++ == 0)
        (*cinfo->err->format_message)(cinfo, errors->FirstWarning);
}

void CountScans(j_common_ptr cinfo)
{
    auto *decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (decompress->input_scan_number > MaxScans) {
        auto *errors = reinterpret_cast<TJpegErrorManager *>(cinfo->err);
        std::snprintf(errors->Message, sizeof errors->Message, "more than %d scans", MaxScans);
        std::longjmp(errors->Escape, 1);
    }
}

struct TRawPicture {
    int Width;
    int Height;
    unsigned char *Rgb; // Width * Height * 3 bytes, malloc'ed
};

enum class TDecodeResult { Ok, Failed, TooLarge };

void CmykRowToRgb(const JSAMPLE *cmyk, unsigned char *rgb, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x) {
        int c = cmyk[4 * x], m = cmyk[4 * x + 1], y = cmyk[4 * x + 2], k = cmyk[4 * x + 3];
        if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            y = 255 - y;
            k = 255 - k;
        }
        // Adobe's files store inverted inks: the stored value is already "how much light is left".
        rgb[3 * x] = static_cast<unsigned char>(c * k / 255);
        rgb[3 * x + 1] = static_cast<unsigned char>(m * k / 255);
        rgb[3 * x + 2] = static_cast<unsigned char>(y * k / 255);
    }
}

TDecodeResult DecodeToBuffer(const unsigned char *data, unsigned long size, int maxSide, TRawPicture *out,
                             TJpegErrorManager *errors)
{
    jpeg_decompress_struct cinfo;
    unsigned char *volatile rgb = nullptr;
    cinfo.err = jpeg_std_error(&errors->Base);
    errors->Base.error_exit = ErrorExit;
    errors->Base.emit_message = EmitMessage;
    errors->Progress.progress_monitor = CountScans;
    if (setjmp(errors->Escape)) {
        jpeg_destroy_decompress(&cinfo);
        std::free(rgb);
        return TDecodeResult::Failed;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.progress = &errors->Progress;
    jpeg_mem_src(&cinfo, data, size);
    jpeg_read_header(&cinfo, TRUE);
    if (cinfo.image_width > static_cast<JDIMENSION>(maxSide) || cinfo.image_height > static_cast<JDIMENSION>(maxSide)) {
        jpeg_destroy_decompress(&cinfo);
        return TDecodeResult::TooLarge;
    }
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const JDIMENSION width = cinfo.output_width;
    const JDIMENSION height = cinfo.output_height;
    rgb = static_cast<unsigned char *>(std::malloc(static_cast<std::size_t>(width) * height * 3 + 1));
    if (rgb == nullptr) {
        jpeg_destroy_decompress(&cinfo);
        return TDecodeResult::TooLarge;
    }
    JSAMPARRAY row = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                width * static_cast<JDIMENSION>(cinfo.output_components), 1);
    while (cinfo.output_scanline < height) {
        const JDIMENSION y = cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, row, 1);
        unsigned char *target = rgb + static_cast<std::size_t>(y) * width * 3;
        if (cmyk)
            CmykRowToRgb(row[0], target, width, cinfo.saw_Adobe_marker);
        else
            std::memcpy(target, row[0], static_cast<std::size_t>(width) * 3);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    out->Width = static_cast<int>(width);
    out->Height = static_cast<int>(height);
    out->Rgb = rgb;
    return TDecodeResult::Ok;
}

} // namespace

TDecodedPicture DecodeJpeg(const QByteArray &data, int maxSide)
{
    TJpegErrorManager errors{};
    TRawPicture raw{0, 0, nullptr};
    const TDecodeResult result =
        DecodeToBuffer(reinterpret_cast<const unsigned char *>(data.constData()),
                       static_cast<unsigned long>(data.size()), maxSide, &raw, &errors);
    if (result == TDecodeResult::TooLarge)
        throw EFileError(QStringLiteral("The JPEG picture is larger than %1 x %1 pixels").arg(maxSide));
    if (result == TDecodeResult::Failed)
        throw EFileError(QStringLiteral("Broken JPEG picture: %1").arg(QString::fromLocal8Bit(errors.Message)));

    TDecodedPicture picture;
    picture.Width = raw.Width;
    picture.Height = raw.Height;
    if (errors.Warnings > 0)
        picture.Warning = QString::fromLocal8Bit(errors.FirstWarning);
    picture.Pixels.resize(static_cast<std::size_t>(raw.Width) * static_cast<std::size_t>(raw.Height));
    for (std::size_t i = 0; i < picture.Pixels.size(); ++i) {
        const unsigned char *p = raw.Rgb + 3 * i;
        picture.Pixels[i] = (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
    }
    std::free(raw.Rgb);
    return picture;
}
