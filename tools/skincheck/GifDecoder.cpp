// GIF as the loader reads it: the first frame, at its own size (the logical
// screen plays no part), its local palette or else the global one,
// transparency ignored (but recorded, for those who meant it). giflib reads
// the file's structure; the LZW data is decoded here, as the loader's own GIF
// reader does. A file with a frame whose data is cut short or damaged does
// not load; a file that ends right after a frame does.
#include "tools/skincheck/FormatDecoders.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

struct Input {
    std::string_view bytes;
    std::size_t pos = 0;
    std::size_t beyond = 0; // bytes asked for past the end, served as zeros
};

// Past the end it serves zeros: a missing block terminator then reads as one,
// while data missing inside a frame still fails (a zero-length data block).
int Read(GifFileType* gif, GifByteType* out, int count)
{
    auto& in = *static_cast<Input*>(gif->UserData);
    const std::size_t want = static_cast<std::size_t>(count);
    const std::size_t have = std::min(want, in.bytes.size() - in.pos);
    std::memcpy(out, in.bytes.data() + in.pos, have);
    std::memset(out + have, 0, want - have);
    in.pos += have;
    in.beyond += want - have;
    return in.beyond > 256 ? 0 : count;
}

struct Closer {
    void operator()(GifFileType* gif) const
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

// The frame's LZW codes decoded as the loader's GIF reader decodes them, into
// `pixels` palette indices (`out`, when given). Its table differs from
// giflib's once it is full: with no clear code coming it goes on, and every
// code then redefines the last entry (giflib keeps it). It refuses a code that
// is not in the table yet, a string it cannot trace within the table's size,
// and an end code before the last pixel; data after the last pixel is never
// read. Empty when the frame decodes, else why not.
std::string DecodeCodes(std::string_view data, int minCode, std::size_t pixels, std::vector<GifPixelType>* out)
{
    constexpr int kMaxCode = 4095, kNone = 4098;
    if (minCode > 11)
        return "a code size of more than 12 bits";
    const int clear = 1 << minCode, end = clear + 1;
    int running = end + 1, size = minCode + 1, last = kNone;
    std::vector<int> prefix(kMaxCode + 1, kNone);
    std::vector<GifPixelType> suffix(kMaxCode + 1, 0), stack;
    const auto firstOf = [&](int code) {
        for (int i = 0; code > clear && code <= kMaxCode && i++ <= kMaxCode;)
            code = prefix[static_cast<std::size_t>(code)];
        return static_cast<GifPixelType>(code);
    };
    std::size_t produced = 0, at = 0;
    std::uint32_t bits = 0;
    int held = 0;
    const auto emit = [&](GifPixelType index) {
        if (out)
            (*out)[produced] = index;
        ++produced;
    };
    while (produced < pixels) {
        for (; held < size; held += 8) {
            if (at >= data.size())
                return "its data ends before its last pixel";
            bits |= std::uint32_t(static_cast<unsigned char>(data[at++])) << held;
        }
        const int code = static_cast<int>(bits & ((1u << size) - 1));
        bits >>= size;
        held -= size;
        if (running < kMaxCode + 2 && ++running > (1 << size) && size < 12)
            ++size;
        if (code == end) {
            if (produced + 1 != pixels)
                return "an end code before its last pixel";
            emit(0);
            break;
        }
        if (code == clear) {
            std::fill(prefix.begin(), prefix.end(), kNone);
            running = end + 1, size = minCode + 1, last = kNone;
            continue;
        }
        if (code < clear) {
            emit(static_cast<GifPixelType>(code));
        } else {
            stack.clear();
            int trace = code;
            if (prefix[static_cast<std::size_t>(code)] == kNone) {
                if (code != running - 2)
                    return "a code that is not in the table yet";
                trace = last;
                suffix[static_cast<std::size_t>(running - 2)] = firstOf(last);
                stack.push_back(suffix[static_cast<std::size_t>(running - 2)]);
            }
            int steps = 0;
            while (steps++ <= kMaxCode && trace > clear && trace <= kMaxCode) {
                stack.push_back(suffix[static_cast<std::size_t>(trace)]);
                trace = prefix[static_cast<std::size_t>(trace)];
            }
            if (steps >= kMaxCode || trace > kMaxCode)
                return "a string longer than its table";
            stack.push_back(static_cast<GifPixelType>(trace));
            for (auto i = stack.rbegin(); i != stack.rend() && produced < pixels; ++i)
                emit(*i);
        }
        if (last != kNone) {
            const auto entry = static_cast<std::size_t>(running - 2);
            prefix[entry] = last;
            suffix[entry] = firstOf(code == running - 2 ? last : code);
        }
        last = code;
    }
    return "";
}

std::string Failure(const Input& input, int error)
{
    if (input.beyond)
        return "the GIF file is cut short";
    const char* text = GifErrorString(error);
    return "the GIF data does not decode (" + std::string(text ? text : "unknown error") + ")";
}

// `transparent` becomes the colour index that a graphic control block marks
// see-through for the next frame, or -1.
bool SkipExtension(GifFileType* gif, const Input& input, PictureLoad& load, int& transparent)
{
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif, &code, &block) == GIF_ERROR) {
        load.problem = Failure(input, gif->Error);
        return false;
    }
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4)
        transparent = (block[1] & 1) ? block[4] : -1;
    while (block)
        if (DGifGetExtensionNext(gif, &block) == GIF_ERROR) {
            load.problem = Failure(input, gif->Error);
            return false;
        }
    return true;
}

// The data blocks from `input.pos` on, joined, and the position after their
// terminator (or the file's end). A block that the file cuts off is not read
// at all, as the loader reads a block whole or not.
std::string DataBlocks(Input& input)
{
    const std::string_view bytes = input.bytes;
    std::string data;
    std::size_t at = input.pos;
    while (at < bytes.size()) {
        const std::size_t length = static_cast<unsigned char>(bytes[at++]);
        if (length == 0)
            break;
        if (length > bytes.size() - at) {
            at = bytes.size();
            break;
        }
        data.append(bytes.substr(at, length));
        at += length;
    }
    input.pos = at;
    return data;
}

// Reads the frame whose descriptor comes next, into `picture` when there is
// one (the first frame), else only to see that it decodes.
bool ReadFrame(GifFileType* gif, Input& input, PictureLoad& load, PixelImage* picture, int transparent)
{
    if (DGifGetImageDesc(gif) == GIF_ERROR) {
        load.problem = Failure(input, gif->Error);
        return false;
    }
    const GifImageDesc& frame = gif->Image;
    // A frame of no width the loader shows as one black pixel (whatever its
    // height); one of some width and no height not at all.
    const bool noWidth = frame.Width == 0;
    if (!noWidth && !PictureSizeAllowed(load, frame.Width, frame.Height))
        return false;
    const int minCode = input.pos ? static_cast<unsigned char>(input.bytes[input.pos - 1]) : 0;
    const std::size_t count = static_cast<std::size_t>(frame.Width) * static_cast<std::size_t>(frame.Height);
    std::vector<GifPixelType> indices(picture ? count : 0);
    const std::string failure = DecodeCodes(DataBlocks(input), minCode, count, picture ? &indices : nullptr);
    if (!failure.empty()) {
        load.problem = input.pos == input.bytes.size() && failure == "its data ends before its last pixel"
                           ? "the GIF file is cut short"
                           : "the GIF data does not decode (" + failure + ")";
        return false;
    }
    const ColorMapObject* colours = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (!colours) {
        load.problem = "the GIF picture has no colour table";
        return false;
    }
    if (!picture)
        return true;
    if (noWidth) {
        picture->size = {1, 1};
        picture->pixels.assign(1, 0);
        load.damage = "its frame has no width: the menu shows one black pixel";
        return true;
    }
    const int width = frame.Width, height = frame.Height;
    picture->size.width = width;
    picture->size.height = height;
    picture->pixels.assign(count, 0);
    if (transparent >= 0)
        load.seeThrough.assign(count, 0);
    // Interlaced frames store every 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
    const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
    std::size_t stored = 0;
    for (int pass = frame.Interlace ? 0 : 3; pass < 4; ++pass) {
        const int start = frame.Interlace ? starts[pass] : 0, step = frame.Interlace ? steps[pass] : 1;
        for (int y = start; y < height; y += step, ++stored) {
            const std::size_t first = static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
            for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x) {
                const GifPixelType i = indices[stored * static_cast<std::size_t>(width) + x];
                if (i == transparent)
                    load.seeThrough[first + x] = 1;
                if (i < colours->ColorCount) {
                    const GifColorType& c = colours->Colors[i];
                    picture->pixels[first + x] = std::uint32_t(c.Red) << 16 | std::uint32_t(c.Green) << 8 | c.Blue;
                }
            }
        }
    }
    return true;
}

} // namespace

PictureLoad DecodeGif(std::string_view bytes)
{
    PictureLoad load;
    load.format = "GIF";
    Input input{bytes};
    int error = 0;
    std::unique_ptr<GifFileType, Closer> gif(DGifOpen(&input, Read, &error));
    if (!gif) {
        load.problem = Failure(input, error);
        return load;
    }
    // The picture is the first frame, but the loader reads the whole file: a
    // later frame that is cut short or damaged fails it too. A file may end
    // right after a frame.
    PixelImage picture;
    bool first = true;
    int transparent = -1;
    for (;;) {
        if (!first && input.pos == bytes.size() && input.beyond <= 1)
            break;
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR) {
            load.problem = Failure(input, gif->Error);
            return load;
        }
        if (type == TERMINATE_RECORD_TYPE && first) {
            load.problem = "the GIF file holds no picture";
            return load;
        }
        if (type == TERMINATE_RECORD_TYPE)
            break;
        if (type == EXTENSION_RECORD_TYPE && !SkipExtension(gif.get(), input, load, transparent))
            return load;
        if (type == IMAGE_DESC_RECORD_TYPE && !ReadFrame(gif.get(), input, load, first ? &picture : nullptr, transparent)) {
            if (!first)
                load.problem = "a later frame does not decode, and the loader refuses the whole file: " + load.problem;
            return load;
        }
        first = first && type != IMAGE_DESC_RECORD_TYPE;
    }
    load.picture = std::move(picture);
    return load;
}
