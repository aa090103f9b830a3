// JPEG through libjpeg-turbo, as the loader's libjpeg decodes it: baseline,
// progressive and arithmetic coding; damaged data is decoded past (grey or
// wrong blocks) and noted, while a file that ends early does not load. The
// loader's libjpeg (IJG 9) goes on past two header faults that libjpeg-turbo
// stops at, so those are mended first, as it reads them; and it stops after
// the last row, so what follows that row (unknown markers, a missing end) is
// damage it never sees.
#include "tools/skincheck/FormatDecoders.h"

#include <algorithm>
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

unsigned Byte(std::string_view bytes, std::size_t at)
{
    return at < bytes.size() ? static_cast<unsigned char>(bytes[at]) : 0u;
}

// A quantisation segment that ends inside a table: the loader's libjpeg takes
// the values there are and 1 for the rest. Its tables written out whole, or
// the segment unchanged when it is not of that kind (or is damaged otherwise).
std::string WholeTables(std::string_view segment)
{
    std::string out;
    std::size_t at = 4, left = segment.size() - 4;
    while (left > 0) {
        const unsigned tableInfo = Byte(segment, at);
        const std::size_t entry = tableInfo >> 4 ? 2 : 1, have = std::min<std::size_t>(64, (left - 1) / entry);
        // Tables of 4, 9, ... 49 values it reads as smaller blocks: not mended.
        const bool block = have == 4 || have == 9 || have == 16 || have == 25 || have == 36 || have == 49;
        if ((tableInfo & 15) > 3 || (have < 64 && (left - 1) % entry) || block)
            return std::string(segment);
        out += static_cast<char>(tableInfo);
        out.append(segment.substr(at + 1, have * entry));
        for (std::size_t i = have; i < 64; ++i)
            out += entry == 2 ? std::string("\0\1", 2) : std::string("\1");
        at += 1 + have * entry, left -= 1 + have * entry;
    }
    const std::size_t length = out.size() + 2;
    return std::string("\xFF\xDB", 2) + static_cast<char>(length >> 8) + static_cast<char>(length & 255) + out;
}

// The file as the loader's libjpeg reads its headers: short quantisation
// tables filled up and repeated component ids made distinct. Unchanged when
// neither occurs.
std::string AsTheLoaderReads(std::string_view bytes)
{
    std::string out(bytes.substr(0, 2));
    std::size_t at = 2;
    while (at + 4 <= bytes.size()) {
        if (Byte(bytes, at) != 0xFF || Byte(bytes, at + 1) == 0xFF || Byte(bytes, at + 1) == 0) {
            out += bytes[at++]; // stray bytes, or fill before a marker
            continue;
        }
        const unsigned marker = Byte(bytes, at + 1);
        if (marker == 0xD9 || (marker >= 0xD0 && marker <= 0xD8) || marker == 0x01) {
            out.append(bytes.substr(at, 2));
            at += 2;
            continue;
        }
        const std::size_t length = Byte(bytes, at + 2) << 8 | Byte(bytes, at + 3);
        if (length < 2 || at + 2 + length > bytes.size())
            break;
        std::string segment(bytes.substr(at, 2 + length));
        at += 2 + length;
        if (marker == 0xDB)
            segment = WholeTables(segment);
        // Component ids that repeat an earlier one in a frame or scan header:
        // the loader's libjpeg makes each the largest id before it plus one.
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame || marker == 0xDA) {
            const std::size_t first = frame ? 10 : 5, step = frame ? 3 : 2;
            const std::size_t count = Byte(segment, first - 1);
            for (std::size_t i = 1; i < count && first + i * step < segment.size(); ++i) {
                unsigned largest = 0;
                bool repeated = false;
                for (std::size_t j = 0; j < i; ++j) {
                    largest = std::max(largest, Byte(segment, first + j * step));
                    repeated = repeated || Byte(segment, first + j * step) == Byte(segment, first + i * step);
                }
                if (repeated && largest < 255)
                    segment[first + i * step] = static_cast<char>(largest + 1);
            }
        }
        out += segment;
        if (marker != 0xDA)
            continue;
        // The entropy-coded data, up to the next marker that is not a restart.
        const std::size_t start = at;
        while (at + 1 < bytes.size() &&
               !(Byte(bytes, at) == 0xFF && Byte(bytes, at + 1) != 0 && (Byte(bytes, at + 1) & 0xF8) != 0xD0))
            ++at;
        out.append(bytes.substr(start, at - start));
    }
    out.append(bytes.substr(std::min(at, bytes.size())));
    return out;
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

// A progressive file whose scans end before every coefficient is whole: the
// loader shows what there is, blurred.
bool ScansIncomplete(const jpeg_decompress_struct& info)
{
    if (!info.progressive_mode || !info.coef_bits)
        return false;
    for (int c = 0; c < info.num_components; ++c)
        for (int k = 0; k < DCTSIZE2; ++k)
            if (info.coef_bits[c][k] != 0)
                return true;
    return false;
}

// Reads what follows the last row, which the loader never does; false when
// libjpeg gives up there.
bool Finish(Decompressor& d, Errors& errors)
{
    if (setjmp(errors.jump))
        return false;
    jpeg_finish_decompress(&d.info);
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
    // The loader's libjpeg mends these headers as it reads them; the mended
    // file is what is decoded.
    const std::string mended = AsTheLoaderReads(bytes);
    if (!Decode(d, errors, mended, load, picture, row)) {
        load.problem = "the JPEG data does not decode (" + errors.failure + ")";
        return load;
    }
    if (!load.problem.empty())
        return load;
    // The loader refuses a file that ends before its last row is decoded; the
    // libjpeg here reads a little further ahead than the loader's.
    if (errors.endedEarly) {
        load.problem = "the JPEG file is cut short: it ends before its end-of-picture marker";
        return load;
    }
    load.picture = std::move(picture);
    std::string damage = errors.firstWarning;
    if (damage.empty() && mended != bytes)
        damage = "its headers are damaged";
    if (damage.empty() && ScansIncomplete(d.info))
        damage = "its scans end before the picture is whole, so it shows blurred";
    errors.firstWarning.clear();
    const bool finished = Finish(d, errors);
    if (damage.empty() && (!finished || errors.endedEarly || !errors.firstWarning.empty()))
        damage = "after its last row: " + (!finished        ? errors.failure
                                           : errors.endedEarly ? std::string("it lacks its end-of-picture marker")
                                                               : errors.firstWarning);
    if (!damage.empty())
        load.damage = "damaged: shown by the loader, but save it again (" + damage + ")";
    return load;
}