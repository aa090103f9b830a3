// GIF through giflib, as the loader reads it: the first frame, at its own
// size (the logical screen plays no part), its local palette or else the
// global one, transparency ignored (but recorded, for those who meant it). A file with a frame whose data is cut
// short or damaged does not load; a file that ends right after a frame does.
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

// giflib decodes past a code that is not in its table yet; the loader's GIF
// reader refuses the frame, as giflib once did. This walks the frame's codes
// as a decoder reads them (from `pos`, the first data block) and finds such a
// code, or an end code before the last pixel.
bool HasUndefinedCode(std::string_view bytes, std::size_t pos, int minCode, std::size_t pixels)
{
    if (minCode < 1 || minCode > 11)
        return false; // giflib refuses these itself
    const int clear = 1 << minCode, end = clear + 1;
    int running = end + 1, size = minCode + 1, last = -1;
    std::vector<std::uint16_t> length(4096, 0); // 0: not in the table
    std::fill_n(length.begin(), clear, std::uint16_t(1));
    std::size_t produced = 0, block = 0;
    std::uint32_t bits = 0;
    int held = 0;
    while (produced < pixels) {
        while (held < size) {
            if (block == 0) {
                if (pos >= bytes.size() || bytes[pos] == 0)
                    return false; // data ends: giflib says so itself
                block = static_cast<unsigned char>(bytes[pos++]);
            }
            if (pos >= bytes.size())
                return false;
            bits |= std::uint32_t(static_cast<unsigned char>(bytes[pos++])) << held;
            held += 8;
            --block;
        }
        const int code = static_cast<int>(bits & ((1u << size) - 1));
        bits >>= size;
        held -= size;
        if (running < 4097 && ++running > (1 << size) && size < 12)
            ++size;
        if (code == end)
            return true; // before the last pixel
        if (code == clear) {
            running = end + 1, size = minCode + 1, last = -1;
            std::fill(length.begin() + end + 1, length.end(), std::uint16_t(0));
            continue;
        }
        std::size_t count = length[static_cast<std::size_t>(code)];
        if (!count && code == running - 2 && last >= 0)
            count = length[static_cast<std::size_t>(last)] + 1u; // the entry this code defines
        if (!count)
            return true;
        if (last >= 0 && running - 2 < 4096 && !length[static_cast<std::size_t>(running - 2)])
            length[static_cast<std::size_t>(running - 2)] =
                static_cast<std::uint16_t>(std::min<std::size_t>(length[static_cast<std::size_t>(last)] + 1u, 4096));
        produced += count;
        last = code;
    }
    return false;
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

// Reads the frame whose descriptor comes next, into `picture` when there is
// one (the first frame), else only to see that it decodes.
bool ReadFrame(GifFileType* gif, const Input& input, PictureLoad& load, PixelImage* picture, int transparent)
{
    if (DGifGetImageDesc(gif) == GIF_ERROR) {
        load.problem = Failure(input, gif->Error);
        return false;
    }
    const GifImageDesc& frame = gif->Image;
    if (!PictureSizeAllowed(load, frame.Width, frame.Height))
        return false;
    const std::string_view bytes = input.bytes;
    if (HasUndefinedCode(bytes, input.pos, input.pos ? static_cast<unsigned char>(bytes[input.pos - 1]) : 0,
                         static_cast<std::size_t>(frame.Width) * static_cast<std::size_t>(frame.Height))) {
        load.problem = "the GIF data does not decode (a code that is not in the table yet)";
        return false;
    }
    const ColorMapObject* colours = frame.ColorMap ? frame.ColorMap : gif->SColorMap;
    if (!colours) {
        load.problem = "the GIF picture has no colour table";
        return false;
    }
    const int width = frame.Width, height = frame.Height;
    if (picture) {
        picture->size.width = width;
        picture->size.height = height;
        picture->pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        if (transparent >= 0)
            load.seeThrough.assign(picture->pixels.size(), 0);
    }
    std::vector<GifPixelType> line(static_cast<std::size_t>(width));
    // Interlaced frames store every 8th row from 0, every 8th from 4, every 4th from 2, every 2nd from 1.
    const int starts[] = {0, 4, 2, 1}, steps[] = {8, 8, 4, 2};
    for (int pass = frame.Interlace ? 0 : 3; pass < 4; ++pass) {
        const int start = frame.Interlace ? starts[pass] : 0, step = frame.Interlace ? steps[pass] : 1;
        for (int y = start; y < height; y += step) {
            if (DGifGetLine(gif, line.data(), width) == GIF_ERROR || input.beyond > 1) {
                load.problem = Failure(input, gif->Error);
                return false;
            }
            if (!picture)
                continue;
            std::uint32_t* out = &picture->pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width)];
            for (int x = 0; x < width; ++x) {
                const GifPixelType i = line[static_cast<std::size_t>(x)];
                if (i == transparent)
                    load.seeThrough[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] = 1;
                if (i < colours->ColorCount) {
                    const GifColorType& c = colours->Colors[i];
                    out[x] = std::uint32_t(c.Red) << 16 | std::uint32_t(c.Green) << 8 | c.Blue;
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
