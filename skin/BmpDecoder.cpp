#include "skin/BmpDecoder.h"

#include <algorithm>
#include <array>

namespace {

struct Reader {
    std::string_view bytes;

    bool Has(std::size_t pos, std::size_t count) const { return pos <= bytes.size() && count <= bytes.size() - pos; }
    unsigned U8(std::size_t pos) const { return pos < bytes.size() ? static_cast<unsigned char>(bytes[pos]) : 0; }
    unsigned U16(std::size_t pos) const { return U8(pos) | U8(pos + 1) << 8; }
    std::uint32_t U32(std::size_t pos) const { return U16(pos) | std::uint32_t(U16(pos + 2)) << 16; }
};

// One colour channel from a bit field, widened to eight bits by repeating its
// top bits, as the DIB conversions do (five bits v become v << 3 | v >> 2).
struct Field {
    int shift = 0;
    int length = 0;

    explicit Field(std::uint32_t mask)
    {
        if (!mask)
            return;
        while (!((mask >> shift) & 1))
            ++shift;
        while (shift + length < 32 && ((mask >> (shift + length)) & 1))
            ++length;
    }

    std::uint32_t Get(std::uint32_t pixel) const
    {
        const int s = shift - (8 - length);
        std::uint32_t v = s < 0 ? pixel << -s : pixel >> s;
        if (length >= 8)
            return v & 0xFF;
        v &= (0xFF00u >> length) & 0xFFu;
        return (v | v >> length) & 0xFF;
    }
};

constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;

struct Header {
    std::uint32_t size = 0;
    long long width = 0, height = 0;
    unsigned bits = 0;
    std::uint32_t compression = kBiRgb;
    std::uint32_t colourCount = 0;
    bool topDown = false;
};

// RLE data into palette indices; returns the first row (counted from the
// bottom) that the data ends in, or the height when it ends properly.
int DecodeRle(const Reader& in, std::size_t pos, const Header& h, int width, int height,
              const std::vector<std::uint32_t>& palette, std::vector<std::uint32_t>& out)
{
    const bool four = h.compression == kBiRle4;
    const auto colour = [&](unsigned index) { return index < palette.size() ? palette[index] : 0u; };
    int x = 0, y = 0; // y counts rows from the bottom
    const auto put = [&](unsigned index) {
        if (x < width && y < height)
            out[static_cast<std::size_t>(height - 1 - y) * static_cast<std::size_t>(width) +
                static_cast<std::size_t>(x)] = colour(index);
        ++x;
    };
    while (y < height) {
        if (!in.Has(pos, 2))
            return y;
        const unsigned count = in.U8(pos), value = in.U8(pos + 1);
        pos += 2;
        if (count) {
            for (unsigned i = 0; i < count && x < width; ++i)
                put(four ? (i % 2 ? value & 15 : value >> 4) : value);
            continue;
        }
        if (value == 0) { // end of line
            x = 0, ++y;
        } else if (value == 1) { // end of bitmap
            return height;
        } else if (value == 2) { // move right and up
            if (!in.Has(pos, 2))
                return y;
            x += static_cast<int>(in.U8(pos)), y += static_cast<int>(in.U8(pos + 1));
            pos += 2;
        } else { // `value` pixels as they are, padded to a 16-bit boundary
            const std::size_t length = four ? (value + 1) / 2 : value;
            if (!in.Has(pos, length))
                return y;
            for (unsigned i = 0; i < value && x < width; ++i)
                put(four ? (i % 2 ? in.U8(pos + i / 2) & 15 : in.U8(pos + i / 2) >> 4) : in.U8(pos + i));
            pos += (length + 1) & ~std::size_t(1);
        }
    }
    return height;
}

} // namespace

namespace {

// The header of the file; false, with the reason in `problem`, when Windows would not read it.
bool ReadHeader(const Reader& in, Header& h, std::string& problem)
{
    h.size = in.U32(14);
    if (!in.Has(14, 4) || !in.Has(14, h.size == 12 ? 12 : 40)) {
        problem = "the BMP header is cut short";
        return false;
    }
    if (h.size == 12) {
        h.width = in.U16(18), h.height = in.U16(20), h.bits = in.U16(24);
    } else if (h.size >= 40) {
        h.width = static_cast<std::int32_t>(in.U32(18));
        h.height = static_cast<std::int32_t>(in.U32(22));
        h.bits = in.U16(28);
        h.compression = in.U32(30);
        h.colourCount = in.U32(46);
        h.topDown = h.height < 0;
        h.height = h.topDown ? -h.height : h.height;
    } else {
        problem = "its header of " + std::to_string(h.size) + " bytes is not one that Windows reads";
        return false;
    }
    return true;
}

// The parts of the file that the loader reads after the header: bit fields,
// palette and pixels. It reads them wherever the header points, file or not,
// so a file that ends before them gives memory that it does not hold: the menu
// shows garbage, or nothing when that memory is not there, which depends on
// what the program did before. False, with the reason in `problem`, when any
// of them lies beyond the end (a last row that lacks only its padding does not:
// padding is never read). RLE data is read until its end, which DecodeBmp sees.
bool HoldsItsData(const Reader& in, const Header& h, std::string& problem)
{
    const std::string outcome = ", so the menu may show nothing or garbage";
    if (h.compression == kBiBitfields && !in.Has(54, 12)) {
        problem = "its bit fields lie beyond the end of the file (it is cut short)" + outcome;
        return false;
    }
    if (h.bits <= 8) {
        const std::uint32_t most = 1u << h.bits;
        const std::size_t colours = h.colourCount && h.colourCount < most ? h.colourCount : most;
        if (!in.Has(14 + h.size, colours * (h.size == 12 ? 3 : 4))) {
            problem = "its palette runs beyond the end of the file (it is cut short)" + outcome;
            return false;
        }
    }
    const std::size_t offset = in.U32(10), size = in.bytes.size();
    if (offset >= size) {
        problem = "its pixel data lies beyond the end of the file" + outcome;
        return false;
    }
    if (h.compression == kBiRle8 || h.compression == kBiRle4)
        return true;
    const std::size_t pixelBytes = (static_cast<std::size_t>(h.width) * h.bits + 7) / 8;
    const std::size_t stride = (pixelBytes + 3) / 4 * 4, rows = static_cast<std::size_t>(h.height);
    const std::size_t held = size - offset < pixelBytes ? 0 : std::min(rows, (size - offset - pixelBytes) / stride + 1);
    if (held < rows) {
        const std::size_t beyond = rows - held;
        problem = std::to_string(beyond) + " of its " + std::to_string(rows) + (beyond == 1 ? " rows lies" : " rows lie");
        problem += " beyond the end of the file (it is cut short)" + outcome;
        return false;
    }
    return true;
}

} // namespace

bool BmpHeaderSize(std::string_view bytes, long long& width, long long& height)
{
    Header h;
    std::string problem;
    if (bytes.substr(0, 2) != "BM" || !ReadHeader(Reader{bytes}, h, problem))
        return false;
    width = h.width;
    height = h.height;
    return true;
}

namespace {

// Whether Windows reads pixels of this depth and compression; false, with the reason in `problem`, when not.
bool Readable(const Reader& in, const Header& h, std::string& problem)
{
    const bool rle = h.compression == kBiRle8 || h.compression == kBiRle4;
    const bool known = (h.compression == kBiRgb && (h.bits == 1 || h.bits == 4 || h.bits == 8 || h.bits == 16 ||
                                                     h.bits == 24 || h.bits == 32)) ||
                       (h.compression == kBiRle8 && h.bits == 8) || (h.compression == kBiRle4 && h.bits == 4) ||
                       (h.compression == kBiBitfields && (h.bits == 16 || h.bits == 32));
    if (!known || (h.size == 12 && (h.bits == 16 || h.bits == 32))) {
        problem = "it has " + std::to_string(h.bits) + "-bit pixels in compression " + std::to_string(h.compression) +
                  ", which Windows does not read";
        return false;
    }
    // Bit fields that leave a colour channel out: the loader refuses them.
    if (h.compression == kBiBitfields && in.Has(54, 12) && (!in.U32(54) || !in.U32(58) || !in.U32(62))) {
        problem = "its bit fields give no bits to one of red, green and blue, which the loader does not read";
        return false;
    }
    if (rle && h.topDown) {
        problem = "its rows are stored top-down, which compressed BMP files cannot be";
        return false;
    }
    return true;
}

// The palette follows the header (three bytes an entry after a core header, four after the others).
std::vector<std::uint32_t> ReadPalette(const Reader& in, const Header& h)
{
    std::vector<std::uint32_t> palette;
    if (h.bits > 8)
        return palette;
    const std::size_t entry = h.size == 12 ? 3 : 4;
    const std::size_t start = 14 + h.size;
    const std::uint32_t most = 1u << h.bits;
    palette.resize(h.colourCount && h.colourCount < most ? h.colourCount : most);
    for (std::size_t i = 0; i < palette.size(); ++i)
        palette[i] = in.U32(start + i * entry) & 0xFFFFFF; // blue, green, red
    return palette;
}

// Where 16 and 32-bit pixels keep their channels: the defaults, or the three
// bit masks after a 40-byte header.
struct Channels {
    std::array<std::uint32_t, 3> masks;
    Field red, green, blue;
    // Painting programs keep alpha in the fourth byte, or in a V3+ header's alpha mask.
    std::uint32_t alphaMask;
    Field alpha;

    Channels(const Reader& in, const Header& h)
        : masks(ChannelMasks(in, h)), red(masks[0]), green(masks[1]), blue(masks[2]), alphaMask(AlphaMask(in, h)),
          alpha(alphaMask)
    {
    }
    static std::array<std::uint32_t, 3> ChannelMasks(const Reader& in, const Header& h)
    {
        if (h.compression == kBiBitfields)
            return {in.U32(54), in.U32(58), in.U32(62)};
        if (h.bits == 32)
            return {0xFF0000, 0xFF00, 0xFF};
        return {0x7C00, 0x03E0, 0x001F};
    }
    static std::uint32_t AlphaMask(const Reader& in, const Header& h)
    {
        if (h.bits == 32 && h.compression == kBiRgb)
            return 0xFF000000;
        return h.compression == kBiBitfields && h.size >= 56 ? in.U32(66) : 0;
    }
    std::uint32_t Colour(std::uint32_t v) const
    {
        return red.Get(v & masks[0]) << 16 | green.Get(v & masks[1]) << 8 | blue.Get(v & masks[2]);
    }
};

// One uncompressed pixel of the row at `base`; its alpha into `alphaOut` where the file has one.
std::uint32_t ReadPixel(const Reader& in, const Header& h, std::size_t base, std::size_t x,
                        const std::vector<std::uint32_t>& palette, const Channels& channels, std::uint8_t* alphaOut)
{
    if (h.bits <= 8) {
        const std::size_t bit = x * h.bits;
        const unsigned index = (in.U8(base + bit / 8) >> (8 - h.bits - bit % 8)) & ((1u << h.bits) - 1);
        return index < palette.size() ? palette[index] : 0;
    }
    if (h.bits == 24)
        return in.U8(base + x * 3) | in.U8(base + x * 3 + 1) << 8 | std::uint32_t(in.U8(base + x * 3 + 2)) << 16;
    const std::uint32_t v = h.bits == 16 ? in.U16(base + x * 2) : in.U32(base + x * 4);
    if (channels.alphaMask)
        *alphaOut = static_cast<std::uint8_t>(channels.alpha.Get(v & channels.alphaMask));
    return channels.Colour(v);
}

// The uncompressed rows that the file holds, from the first one stored;
// returns how many it holds.
int ReadRows(const Reader& in, std::size_t offset, const Header& h, const std::vector<std::uint32_t>& palette,
             const Channels& channels, PixelImage& picture, std::vector<std::uint8_t>& alphas)
{
    const int width = picture.size.width, height = picture.size.height;
    const std::size_t stride = (static_cast<std::size_t>(width) * h.bits + 31) / 32 * 4;
    const std::size_t available = offset < in.bytes.size() ? in.bytes.size() - offset : 0;
    const int rowsHeld = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(height), available / stride));
    for (int row = 0; row < rowsHeld; ++row) {
        const std::size_t base = offset + static_cast<std::size_t>(row) * stride;
        const std::size_t first =
            static_cast<std::size_t>(h.topDown ? row : height - 1 - row) * static_cast<std::size_t>(width);
        for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x)
            picture.pixels[first + x] =
                ReadPixel(in, h, base, x, palette, channels, alphas.empty() ? nullptr : &alphas[first + x]);
    }
    return rowsHeld;
}

// An alpha byte that is never high is unused, not see-through.
void MarkSeeThrough(const std::vector<std::uint8_t>& alphas, PictureLoad& load)
{
    if (std::any_of(alphas.begin(), alphas.end(), [](std::uint8_t a) { return a >= 0x80; }) &&
        std::any_of(alphas.begin(), alphas.end(), [](std::uint8_t a) { return a < 0x80; }))
        for (std::uint8_t a : alphas)
            load.seeThrough.push_back(a < 0x80);
}

} // namespace

PictureLoad DecodeBmp(std::string_view bytes)
{
    PictureLoad load;
    load.format = "BMP";
    const Reader in{bytes};
    Header h;
    if (!ReadHeader(in, h, load.problem) || !Readable(in, h, load.problem) ||
        !PictureSizeAllowed(load, h.width, h.height) || !HoldsItsData(in, h, load.problem))
        return load;
    const int width = static_cast<int>(h.width), height = static_cast<int>(h.height);
    const std::vector<std::uint32_t> palette = ReadPalette(in, h);
    const Channels channels(in, h);
    std::vector<std::uint8_t> alphas;
    if (channels.alphaMask)
        alphas.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0xFF);

    PixelImage picture{{width, height}, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, 0)};
    const std::size_t offset = in.U32(10);
    const bool rle = h.compression == kBiRle8 || h.compression == kBiRle4;
    const int rowsHeld = rle ? DecodeRle(in, offset, h, width, height, palette, picture.pixels)
                             : ReadRows(in, offset, h, palette, channels, picture, alphas);
    if (rle && rowsHeld < height) { // the loader reads on beyond the end of the file
        load.problem = "its compressed pixel data ends before its last row (the file is cut short), so the menu "
                       "may show nothing or garbage";
        return load;
    }
    MarkSeeThrough(alphas, load);
    load.picture = std::move(picture);
    if (rowsHeld < height) {
        if (h.topDown)
            SetMissingRows(load, rowsHeld, height);
        else
            SetMissingRows(load, 0, height - rowsHeld);
    }
    return load;
}
