// JPEG through libjpeg-turbo, as the loader's libjpeg decodes it: baseline,
// progressive and arithmetic coding; damaged data is decoded past (grey or
// wrong blocks) and noted, while a file that ends early does not load.
#include "tools/skincheck/FormatDecoders.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <vector>

#include <jpeglib.h> // after <cstdio>: it needs FILE and size_t
#include <jerror.h>

namespace {

// Far more scans than any encoder writes; a file that has more is damaged,
// and each scan of a progressive file costs a pass over the whole picture.
constexpr int kMaxScans = 1000;

struct Errors {
    jpeg_error_mgr manager{};
    std::jmp_buf jump{};
    std::string failure;
    std::string firstWarning;
    bool endedEarly = false;
};

Errors& ErrorsOf(j_common_ptr info)
{
    return *reinterpret_cast<Errors*>(info->err);
}

std::string Message(j_common_ptr info)
{
    char text[JMSG_LENGTH_MAX] = {};
    info->err->format_message(info, text);
    return text;
}

[[noreturn]] void Fail(j_common_ptr info)
{
    Errors& errors = ErrorsOf(info);
    errors.failure = Message(info);
    std::longjmp(errors.jump, 1);
}

void Warn(j_common_ptr info, int level)
{
    if (level >= 0)
        return; // trace messages
    Errors& errors = ErrorsOf(info);
    if (info->err->msg_code == JWRN_JPEG_EOF)
        errors.endedEarly = true;
    else if (errors.firstWarning.empty()) {
        errors.firstWarning = Message(info);
    }
}

void CountScans(j_common_ptr info)
{
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans) {
        ErrorsOf(info).failure = "more than " + std::to_string(kMaxScans) + " scans";
        std::longjmp(ErrorsOf(info).jump, 1);
    }
}

struct Decompressor {
    jpeg_decompress_struct info{};
    Decompressor() { jpeg_create_decompress(&info); }
    ~Decompressor() { jpeg_destroy_decompress(&info); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;
};

// Decodes into `pixels`; false when libjpeg gives up. A failure jumps back
// into this function, so nothing here may need a destructor: what it fills
// belongs to the caller.
bool Decode(Decompressor& d, Errors& errors, std::string_view bytes, PictureLoad& load, PixelImage& picture,
            std::vector<unsigned char>& row)
{
    if (setjmp(errors.jump))
        return false;
    jpeg_mem_src(&d.info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&d.info, TRUE);
    if (!PictureSizeAllowed(load, d.info.image_width, d.info.image_height))
        return true;
    // CMYK files are read as Adobe writes them, inverted: red is C * K / 255.
    const bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
    d.info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&d.info);
    picture.size.width = static_cast<int>(d.info.output_width);
    picture.size.height = static_cast<int>(d.info.output_height);
    picture.pixels.resize(static_cast<std::size_t>(picture.size.width) * static_cast<std::size_t>(picture.size.height));
    const std::size_t channels = cmyk ? 4 : 3;
    row.resize(static_cast<std::size_t>(picture.size.width) * channels);
    while (d.info.output_scanline < d.info.output_height) {
        const std::size_t y = d.info.output_scanline;
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&d.info, rows, 1);
        std::uint32_t* out = &picture.pixels[y * static_cast<std::size_t>(picture.size.width)];
        for (std::size_t x = 0; x < static_cast<std::size_t>(picture.size.width); ++x) {
            const unsigned char* p = &row[channels * x];
            const auto channel = [&](int i) { return cmyk ? std::uint32_t(p[i] * p[3] / 255) : std::uint32_t(p[i]); };
            out[x] = channel(0) << 16 | channel(1) << 8 | channel(2);
        }
    }
    return true;
}

} // namespace

PictureLoad DecodeJpeg(std::string_view bytes)
{
    PictureLoad load;
    load.format = "JPEG";
    Errors errors;
    jpeg_progress_mgr progress{};
    progress.progress_monitor = CountScans;
    Decompressor d;
    d.info.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = Fail;
    errors.manager.emit_message = Warn;
    d.info.progress = &progress;
    PixelImage picture;
    std::vector<unsigned char> row;
    if (!Decode(d, errors, bytes, load, picture, row)) {
        load.problem = "the JPEG data does not decode (" + errors.failure + ")";
        return load;
    }
    if (!load.problem.empty())
        return load;
    // The loader refuses a file that ends before its end-of-picture marker,
    // even one that lacks only the marker.
    if (errors.endedEarly) {
        load.problem = "the JPEG file is cut short: it ends before its end-of-picture marker";
        return load;
    }
    load.picture = std::move(picture);
    if (!errors.firstWarning.empty())
        load.damage = "its data is damaged (" + errors.firstWarning + "): parts of the picture show wrong";
    return load;
}
