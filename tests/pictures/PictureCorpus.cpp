// Writes the picture corpus that skincheck's decoders and the menu's loader are
// compared on: every BMP layout the loader is asked to read, GIFs with frames
// that do not fit their screen and LZW data without clear codes, baseline,
// progressive and arithmetic-coded JPEGs, and cut and damaged copies of each.
// Usage: picture_corpus DIR
#include "tests/pictures/CorpusFolder.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <jpeglib.h> // after <cstdio>: it needs FILE and size_t
#include <stb_image_write.h>

namespace {

const std::string* g_dir;
int g_written = 0;

std::ofstream* g_list;

// Each picture, and its name in the list that the other tools read.
void Write(const std::string& name, const std::string& bytes)
{
    std::ofstream(*g_dir + "/" + name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    *g_list << name << "\n";
    ++g_written;
}

struct Bytes {
    std::string s;
    void U8(unsigned v) { s += static_cast<char>(v & 255); }
    void U16(unsigned v) { U8(v), U8(v >> 8); }
    void U32(std::uint32_t v) { U16(v & 0xFFFF), U16(v >> 16); }
};

constexpr int kW = 37, kH = 23; // odd sizes: rows need padding

std::uint32_t Colour(int x, int y) // 0x00RRGGBB
{
    return std::uint32_t((x * 7 + y * 3) & 255) << 16 | std::uint32_t((y * 11 + x * 2) & 255) << 8 |
           std::uint32_t((x * y + 40) & 255);
}
std::uint32_t PaletteColour(int i)
{
    return std::uint32_t((i * 37 + 11) & 255) << 16 | std::uint32_t((i * 91 + 5) & 255) << 8 |
           std::uint32_t((i * 53 + 200) & 255);
}
int Index(int x, int y, int colours)
{
    return (x / 3 + y) % colours; // runs of three, for RLE
}

// ---- BMP -------------------------------------------------------------------

struct Bmp {
    int header = 40;          // 12, 40, 52, 56, 108 or 124
    int bits = 24;
    unsigned compression = 0; // BI_RGB, BI_RLE8 1, BI_RLE4 2, BI_BITFIELDS 3
    int colours = 0;          // palette entries written (and biClrUsed when `clrUsed`)
    bool clrUsed = true;
    bool topDown = false;
    std::uint32_t masks[4] = {0, 0, 0, 0}; // R, G, B, A for bitfields
    int gap = 0;                             // junk bytes between palette and pixels
    int indices = 0;                         // pixel values drawn from 0 to this (default: the palette's size)
    int width = kW, height = kH;
};

std::string Pixels(const Bmp& b)
{
    Bytes p;
    const auto field = [&](std::uint32_t rgb, std::uint32_t mask) -> std::uint32_t {
        if (!mask)
            return 0;
        int shift = 0, width = 0;
        while (!((mask >> shift) & 1))
            ++shift;
        while (shift + width < 32 && ((mask >> (shift + width)) & 1))
            ++width;
        return (rgb * ((1u << width) - 1) / 255) << shift;
    };
    for (int row = 0; row < b.height; ++row) {
        const int y = b.topDown ? row : b.height - 1 - row;
        const std::size_t start = p.s.size();
        if (b.bits <= 8) {
            unsigned acc = 0;
            int n = 0;
            for (int x = 0; x < b.width; ++x) {
                const int range = b.indices ? b.indices : b.colours ? b.colours : 1 << b.bits;
                acc = acc << b.bits | static_cast<unsigned>(Index(x, y, range));
                n += b.bits;
                if (n == 8)
                    p.U8(acc), acc = 0, n = 0;
            }
            if (n)
                p.U8(acc << (8 - n));
        }
        for (int x = 0; b.bits > 8 && x < b.width; ++x) {
            const std::uint32_t c = Colour(x, y), r = c >> 16, g = (c >> 8) & 255, bl = c & 255;
            if (b.bits == 24) {
                p.U8(bl), p.U8(g), p.U8(r);
                continue;
            }
            const std::uint32_t* m = b.masks;
            const bool rgb = b.compression == 0;
            const std::uint32_t v = rgb && b.bits == 16 ? (r >> 3) << 10 | (g >> 3) << 5 | bl >> 3
                                    : rgb            ? c | 0xA5000000 // a stray top byte, ignored
                                                     : field(r, m[0]) | field(g, m[1]) | field(bl, m[2]) | field(x * 9, m[3]);
            if (b.bits == 16)
                p.U16(v);
            else
                p.U32(v);
        }
        while ((p.s.size() - start) % 4)
            p.U8(0);
    }
    return p.s;
}

// RLE8/RLE4 with encoded runs, an absolute run, a delta that skips pixels and
// rows, end-of-line and end-of-bitmap.
std::string RlePixels(const Bmp& b)
{
    Bytes p;
    const bool four = b.compression == 2;
    for (int row = 0; row < b.height; ++row) {
        const int y = b.height - 1 - row;
        if (row == 5) { // skip 4 pixels right and 2 rows up: they stay at colour 0
            p.U8(0), p.U8(2), p.U8(0), p.U8(2);
            row += 2;
            p.U8(0), p.U8(0); // to the start of the next line (row 8 in file order)
            continue;
        }
        int x = 0;
        if (row % 4 == 1) { // an absolute run of 6
            p.U8(0), p.U8(6);
            for (int i = 0; i < 6; i += four ? 2 : 1)
                p.U8(four ? (Index(i, y, b.colours) << 4 | Index(i + 1, y, b.colours)) : Index(i, y, b.colours));
            if ((four ? 3 : 6) % 2)
                p.U8(0);
            x = 6;
        }
        while (x < b.width) {
            const int run = std::min(3 - x % 3, b.width - x);
            const int i = Index(x, y, b.colours);
            p.U8(run), p.U8(four ? (i << 4 | i) : i);
            x += run;
        }
        p.U8(0), p.U8(0);
    }
    p.U8(0), p.U8(1);
    return p.s;
}

std::string EncodeBmp(const Bmp& b)
{
    const bool rle = b.compression == 1 || b.compression == 2;
    const std::string pixels = rle ? RlePixels(b) : Pixels(b);
    Bytes h;
    const int entry = b.header == 12 ? 3 : 4;
    const int maskBytes = b.header == 40 && b.compression == 3 ? 12 : 0;
    const std::uint32_t offset =
        14 + static_cast<std::uint32_t>(b.header + maskBytes + b.colours * entry + b.gap);
    h.U8('B'), h.U8('M'), h.U32(offset + static_cast<std::uint32_t>(pixels.size())), h.U32(0), h.U32(offset);
    h.U32(static_cast<std::uint32_t>(b.header));
    if (b.header == 12) {
        h.U16(static_cast<unsigned>(b.width)), h.U16(static_cast<unsigned>(b.height)), h.U16(1),
            h.U16(static_cast<unsigned>(b.bits));
    } else {
        h.U32(static_cast<std::uint32_t>(b.width)), h.U32(static_cast<std::uint32_t>(b.topDown ? -b.height : b.height));
        h.U16(1), h.U16(static_cast<unsigned>(b.bits)), h.U32(b.compression);
        h.U32(rle ? static_cast<std::uint32_t>(pixels.size()) : 0), h.U32(2835), h.U32(2835);
        h.U32(b.clrUsed ? static_cast<std::uint32_t>(b.colours) : 0), h.U32(0);
        for (int i = 0; i < (b.header - 40) / 4; ++i)
            h.U32(i < 4 ? b.masks[i] : (i == 4 ? 0x73524742u : 0)); // masks, then "sRGB" and zeros
        for (int i = 0; i < maskBytes / 4; ++i)
            h.U32(b.masks[i]);
    }
    for (int i = 0; i < b.colours; ++i) {
        const std::uint32_t c = PaletteColour(i);
        h.U8(c), h.U8(c >> 8), h.U8(c >> 16);
        if (entry == 4)
            h.U8(0);
    }
    h.s.append(static_cast<std::size_t>(b.gap), '\x5A');
    return h.s + pixels;
}

// ---- GIF -------------------------------------------------------------------

// LZW as GIF writes it; `clears` false leaves out every clear code, which the
// format allows and some encoders do. A `table` of 4096 or 4095 entries writes
// strings of the table rather than literals only, and once it is full goes on
// with it as it is (a deferred clear that never comes): the 12-bit codes that
// follow refer to strings of every length, the table's last entry among them
// when it has 4096.
std::string Lzw(const std::vector<int>& indices, int minCode, bool clears, int table = 0)
{
    std::string out;
    std::uint32_t acc = 0;
    int bits = 0, size = minCode + 1, next = (1 << minCode) + 2;
    const auto put = [&](int code) {
        acc |= std::uint32_t(code) << bits;
        for (bits += size; bits >= 8; bits -= 8, acc >>= 8)
            out += static_cast<char>(acc & 255);
    };
    // A decoder counts every code it reads after a clear and widens the codes
    // when the count passes the current width.
    const auto counted = [&] {
        if (next < 4097 && ++next > (1 << size) && size < 12)
            ++size;
    };
    if (clears)
        put(1 << minCode);
    const bool compress = table > 0;
    if (compress) {
        std::map<std::pair<int, int>, int> strings; // (string, pixel) to its code
        int entries = (1 << minCode) + 2, string = indices.empty() ? -1 : indices[0];
        for (std::size_t i = 1; i < indices.size(); ++i) {
            const auto found = strings.find({string, indices[i]});
            if (found != strings.end()) {
                string = found->second;
                continue;
            }
            put(string);
            counted();
            if (entries < table)
                strings[{string, indices[i]}] = entries++;
            string = indices[i];
        }
        if (string >= 0)
            put(string), counted();
    }
    for (std::size_t i = 0; !compress && i < indices.size(); ++i) {
        put(indices[i]);
        counted();
        if (clears && next >= 4094 && i + 1 < indices.size()) {
            put(1 << minCode);
            size = minCode + 1, next = (1 << minCode) + 2;
        }
    }
    put((1 << minCode) + 1);
    if (bits)
        out += static_cast<char>(acc & 255);
    return out;
}

struct Frame {
    int left = 0, top = 0, width = kW, height = kH;
    int colours = 16; // local palette size, 0 for none
    bool interlaced = false;
    int transparent = -1;
    bool clears = true;
    int table = 0; // entries of a compressing encoder's table, 0 for literals only
};

std::string EncodeGif(int screenW, int screenH, int globalColours, int background, const std::vector<Frame>& frames)
{
    Bytes g;
    g.s = "GIF89a";
    g.U16(static_cast<unsigned>(screenW)), g.U16(static_cast<unsigned>(screenH));
    int depth = 1;
    while ((1 << depth) < globalColours)
        ++depth;
    g.U8(globalColours ? 0x80 | 0x70 | (depth - 1) : 0x70), g.U8(static_cast<unsigned>(background)), g.U8(0);
    for (int i = 0; globalColours && i < (1 << depth); ++i)
        g.U8(PaletteColour(i) >> 16), g.U8(PaletteColour(i) >> 8), g.U8(PaletteColour(i));
    for (std::size_t f = 0; f < frames.size(); ++f) {
        const Frame& fr = frames[f];
        if (fr.transparent >= 0)
            g.U8(0x21), g.U8(0xF9), g.U8(4), g.U8(1), g.U16(10), g.U8(static_cast<unsigned>(fr.transparent)), g.U8(0);
        g.U8(0x2C), g.U16(static_cast<unsigned>(fr.left)), g.U16(static_cast<unsigned>(fr.top));
        g.U16(static_cast<unsigned>(fr.width)), g.U16(static_cast<unsigned>(fr.height));
        int local = 1;
        while ((1 << local) < fr.colours)
            ++local;
        g.U8((fr.colours ? 0x80 | (local - 1) : 0) | (fr.interlaced ? 0x40 : 0));
        for (int i = 0; fr.colours && i < (1 << local); ++i) // the local palette: reversed, so it shows
            g.U8(PaletteColour(255 - i) >> 16), g.U8(PaletteColour(255 - i) >> 8), g.U8(PaletteColour(255 - i));
        const int colours = fr.colours ? fr.colours : globalColours;
        std::vector<int> rows;
        if (fr.interlaced) {
            for (int pass : {0, 1, 2, 3})
                for (int y = pass == 0 ? 0 : pass == 1 ? 4 : pass == 2 ? 2 : 1; y < fr.height;
                     y += pass == 0 || pass == 1 ? 8 : pass == 2 ? 4 : 2)
                    rows.push_back(y);
        } else {
            for (int y = 0; y < fr.height; ++y)
                rows.push_back(y);
        }
        std::vector<int> indices;
        for (int y : rows)
            for (int x = 0; x < fr.width; ++x)
                indices.push_back(Index(x + static_cast<int>(f) * 5, y, colours));
        const int minCode = std::max(2, colours > 16 ? 8 : colours > 4 ? 4 : 2);
        const std::string data = Lzw(indices, minCode, fr.clears, fr.table);
        g.U8(static_cast<unsigned>(minCode));
        for (std::size_t i = 0; i < data.size(); i += 255) {
            const std::size_t n = std::min<std::size_t>(255, data.size() - i);
            g.U8(static_cast<unsigned>(n));
            g.s += data.substr(i, n);
        }
        g.U8(0);
    }
    g.U8(0x3B);
    return g.s;
}

// ---- JPEG ------------------------------------------------------------------

std::string EncodeJpeg(int width, int height, bool grey, bool progressive, bool arithmetic, int sampling,
                       int restart, int quality = 90, bool cmyk = false)
{
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = static_cast<JDIMENSION>(width);
    c.image_height = static_cast<JDIMENSION>(height);
    c.input_components = grey ? 1 : cmyk ? 4 : 3;
    c.in_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, quality, TRUE);
    if (!grey) {
        c.comp_info[0].h_samp_factor = sampling == 420 || sampling == 422 ? 2 : 1;
        c.comp_info[0].v_samp_factor = sampling == 420 ? 2 : 1;
    }
    c.arith_code = arithmetic ? TRUE : FALSE;
    c.restart_interval = static_cast<unsigned>(restart);
    if (progressive)
        jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * 4);
    while (c.next_scanline < c.image_height) {
        const int y = static_cast<int>(c.next_scanline);
        for (int x = 0; x < width; ++x) {
            // Smooth, as photographs are: decoders that upsample colour
            // differently then differ by little.
            const std::uint32_t p = std::uint32_t(x * 255 / (width - 1)) << 16 | std::uint32_t(y * 255 / (height - 1)) << 8 |
                                    std::uint32_t((x + y) * 255 / (width + height - 2));
            const std::size_t ux = static_cast<std::size_t>(x);
            if (grey) {
                row[ux] = static_cast<unsigned char>(p >> 8);
            } else if (cmyk) {
                row[ux * 4] = static_cast<unsigned char>(255 - (p >> 16)), row[ux * 4 + 1] = static_cast<unsigned char>(255 - (p >> 8));
                row[ux * 4 + 2] = static_cast<unsigned char>(255 - p), row[ux * 4 + 3] = 0;
            } else {
                row[static_cast<std::size_t>(x) * 3] = static_cast<unsigned char>(p >> 16);
                row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<unsigned char>(p >> 8);
                row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<unsigned char>(p);
            }
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::string bytes(reinterpret_cast<char*>(out), size);
    std::free(out);
    return bytes;
}

// ---- cut and damaged copies ------------------------------------------------

void WriteWithCopies(const std::string& name, const std::string& bytes, std::size_t dataStart)
{
    Write(name, bytes);
    const std::size_t dot = name.rfind('.');
    const std::string stem = name.substr(0, dot), ext = name.substr(dot);
    // Cut in the middle of its picture data, and just before its last bytes.
    Write(stem + "-cut_half" + ext, bytes.substr(0, dataStart + (bytes.size() - dataStart) / 2));
    Write(stem + "-cut_tail" + ext, bytes.substr(0, bytes.size() - 2));
    // Bytes of the picture data overwritten: the headers stay intact.
    std::string damaged = bytes;
    for (std::size_t i = dataStart + (bytes.size() - dataStart) / 3; i < bytes.size() - 2;
         i += (bytes.size() - dataStart) / 7 + 1)
        damaged[i] = static_cast<char>(damaged[i] ^ 0x5A);
    Write(stem + "-damaged" + ext, damaged);
}

void WriteBmp(const std::string& name, const Bmp& b)
{
    const std::string bytes = EncodeBmp(b);
    const std::uint32_t offset = static_cast<unsigned char>(bytes[10]) | static_cast<unsigned char>(bytes[11]) << 8;
    WriteWithCopies(name, bytes, offset);
}

void WriteGif(const std::string& name, const std::string& bytes)
{
    WriteWithCopies(name, bytes, 13);
}

void WriteJpeg(const std::string& name, const std::string& bytes)
{
    WriteWithCopies(name, bytes, bytes.find("\xFF\xDA"));
}

} // namespace

int main(int argc, char** argv)
{
    const std::string dir = CorpusFolder(argc, argv, "picture_corpus");
    if (dir.empty())
        return 2;
    g_dir = &dir;
    std::ofstream list(dir + "/corpus.txt");
    g_list = &list;

    const std::uint32_t rgb565[4] = {0xF800, 0x07E0, 0x001F, 0};
    const std::uint32_t rgb555[4] = {0x7C00, 0x03E0, 0x001F, 0};
    const std::uint32_t bgr32[4] = {0x000000FF, 0x0000FF00, 0x00FF0000, 0};
    const std::uint32_t argb32[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
    const std::uint32_t odd16[4] = {0x001F, 0x07E0, 0xF800, 0}; // red and blue swapped
    const auto bmp = [](int header, int bits, unsigned compression, int colours) {
        Bmp b;
        b.header = header, b.bits = bits, b.compression = compression, b.colours = colours;
        return b;
    };
    const auto withMasks = [](Bmp b, const std::uint32_t* m) {
        std::copy(m, m + 4, b.masks);
        return b;
    };

    WriteBmp("bmp-core-1bit.bmp", bmp(12, 1, 0, 2));
    WriteBmp("bmp-core-4bit.bmp", bmp(12, 4, 0, 16));
    WriteBmp("bmp-core-8bit.bmp", bmp(12, 8, 0, 256));
    WriteBmp("bmp-core-24bit.bmp", bmp(12, 24, 0, 0));
    WriteBmp("bmp-info-1bit.bmp", bmp(40, 1, 0, 2));
    WriteBmp("bmp-info-4bit.bmp", bmp(40, 4, 0, 16));
    WriteBmp("bmp-info-4bit-9colours.bmp", bmp(40, 4, 0, 9));
    WriteBmp("bmp-info-8bit.bmp", bmp(40, 8, 0, 256));
    WriteBmp("bmp-info-8bit-20colours.bmp", bmp(40, 8, 0, 20));
    Bmp implicit = bmp(40, 8, 0, 256);
    implicit.clrUsed = false; // biClrUsed 0: the whole 256 entries
    WriteBmp("bmp-info-8bit-clrused0.bmp", implicit);
    WriteBmp("bmp-info-16bit-555.bmp", bmp(40, 16, 0, 0));
    WriteBmp("bmp-info-24bit.bmp", bmp(40, 24, 0, 0));
    WriteBmp("bmp-info-32bit.bmp", bmp(40, 32, 0, 0));
    WriteBmp("bmp-info-24bit-palette.bmp", bmp(40, 24, 0, 16));
    WriteBmp("bmp-bitfields-16bit-565.bmp", withMasks(bmp(40, 16, 3, 0), rgb565));
    WriteBmp("bmp-bitfields-16bit-555.bmp", withMasks(bmp(40, 16, 3, 0), rgb555));
    WriteBmp("bmp-bitfields-16bit-565-palette.bmp", withMasks(bmp(40, 16, 3, 16), rgb565));
    WriteBmp("bmp-bitfields-16bit-swapped.bmp", withMasks(bmp(40, 16, 3, 0), odd16));
    WriteBmp("bmp-bitfields-32bit-bgr.bmp", withMasks(bmp(40, 32, 3, 0), bgr32));
    WriteBmp("bmp-rle8.bmp", bmp(40, 8, 1, 40));
    WriteBmp("bmp-rle4.bmp", bmp(40, 4, 2, 12));
    WriteBmp("bmp-v3-32bit-argb.bmp", withMasks(bmp(56, 32, 3, 0), argb32));
    WriteBmp("bmp-v4-24bit.bmp", bmp(108, 24, 0, 0));
    WriteBmp("bmp-v4-16bit-565.bmp", withMasks(bmp(108, 16, 3, 0), rgb565));
    WriteBmp("bmp-v5-32bit-argb.bmp", withMasks(bmp(124, 32, 3, 0), argb32));
    WriteBmp("bmp-v5-8bit.bmp", bmp(124, 8, 0, 256));
    for (int bits : {1, 8, 24, 32}) {
        Bmp b = bmp(40, bits, 0, bits <= 8 ? 1 << bits : 0);
        b.topDown = true;
        WriteBmp("bmp-topdown-" + std::to_string(bits) + "bit.bmp", b);
    }
    Bmp gap = bmp(40, 24, 0, 0);
    gap.gap = 3; // pixels at an offset that is not a multiple of four
    WriteBmp("bmp-offset-odd-24bit.bmp", gap);
    gap = bmp(40, 8, 0, 256);
    gap.gap = 101;
    WriteBmp("bmp-offset-gap-8bit.bmp", gap);
    Bmp wide = bmp(40, 24, 0, 0);
    wide.width = 1, wide.height = 1;
    WriteBmp("bmp-1x1.bmp", wide);
    // Headers that no loader accepts.
    Write("bad-bmp-2bit.bmp", EncodeBmp(bmp(40, 2, 0, 4)));
    Write("bad-bmp-7bit.bmp", EncodeBmp(bmp(40, 7, 0, 0)));
    Write("bad-bmp-header-20.bmp", EncodeBmp(bmp(20, 24, 0, 0)));
    Write("bad-bmp-compression-9.bmp", EncodeBmp(bmp(40, 24, 9, 0)));
    Bmp flat = bmp(40, 24, 0, 0);
    flat.height = 0;
    Write("bad-bmp-height-0.bmp", EncodeBmp(flat));
    flat.height = kH, flat.width = 0;
    Write("bad-bmp-width-0.bmp", EncodeBmp(flat));
    Bmp rleTopDown = bmp(40, 8, 1, 40);
    rleTopDown.topDown = true;
    Write("bad-bmp-rle8-topdown.bmp", EncodeBmp(rleTopDown));
    std::string far = EncodeBmp(bmp(40, 24, 0, 0));
    far[10] = '\xFF', far[11] = '\xFF'; // pixels beyond the end of the file
    Write("bad-bmp-offset-beyond-end.bmp", far);
    Bmp beyond = bmp(40, 4, 0, 5);
    beyond.indices = 16; // pixel values past the end of the palette
    Write("bmp-info-4bit-beyond-palette.bmp", EncodeBmp(beyond));
    Write("bad-bmp-headers-only.bmp", EncodeBmp(bmp(40, 8, 0, 256)).substr(0, 14 + 40 + 1024));
    // A palette and bit fields that the file ends in: the loader reads on past its end.
    Write("bad-bmp-palette-cut.bmp", EncodeBmp(bmp(40, 8, 0, 256)).substr(0, 14 + 40 + 512));
    Write("bad-bmp-bitfields-cut.bmp", EncodeBmp(withMasks(bmp(40, 16, 3, 0), rgb565)).substr(0, 14 + 40 + 6));

    // 16-bit bit fields that leave a channel out, that overlap, of four bits each.
    const std::uint32_t fields880[4] = {0xFF00, 0x00FF, 0, 0}, fields560[4] = {0xF800, 0x07E0, 0, 0};
    const std::uint32_t fields444[4] = {0x0F00, 0x00F0, 0x000F, 0}, overlap[4] = {0xFF00, 0x0FF0, 0x00FF, 0};
    Write("bmp-bitfields-16bit-880.bmp", EncodeBmp(withMasks(bmp(40, 16, 3, 0), fields880)));
    Write("bmp-bitfields-16bit-560.bmp", EncodeBmp(withMasks(bmp(40, 16, 3, 0), fields560)));
    Write("bmp-bitfields-16bit-444.bmp", EncodeBmp(withMasks(bmp(40, 16, 3, 0), fields444)));
    Write("bmp-bitfields-16bit-overlap.bmp", EncodeBmp(withMasks(bmp(40, 16, 3, 0), overlap)));
    const std::uint32_t fields32[4] = {0xFF0000, 0x00FF00, 0, 0};
    Write("bmp-bitfields-32bit-880.bmp", EncodeBmp(withMasks(bmp(40, 32, 3, 0), fields32)));

    // GIF: a full frame; frames smaller than, beyond and outside the screen.
    WriteGif("gif-full.gif", EncodeGif(kW, kH, 16, 0, {Frame{}}));
    WriteGif("gif-global-only.gif", EncodeGif(kW, kH, 16, 3, {Frame{0, 0, kW, kH, 0}}));
    WriteGif("gif-256colours.gif", EncodeGif(kW, kH, 256, 0, {Frame{0, 0, kW, kH, 0}}));
    WriteGif("gif-2colours.gif", EncodeGif(kW, kH, 2, 1, {Frame{0, 0, kW, kH, 0}}));
    WriteGif("gif-interlaced.gif", EncodeGif(kW, kH, 16, 0, {Frame{0, 0, kW, kH, 16, true}}));
    WriteGif("gif-no-clear-code.gif", EncodeGif(kW, kH, 16, 0, {Frame{0, 0, kW, kH, 16, false, -1, false}}));
    WriteGif("gif-small-frame.gif", EncodeGif(kW, kH, 16, 5, {Frame{6, 4, 20, 10, 0}}));
    WriteGif("gif-frame-beyond-screen.gif", EncodeGif(kW, kH, 16, 2, {Frame{20, 12, 30, 20, 0}}));
    WriteGif("gif-frame-outside-screen.gif", EncodeGif(kW, kH, 16, 2, {Frame{60, 40, 10, 10, 0}}));
    WriteGif("gif-frame-larger-than-screen.gif", EncodeGif(10, 8, 16, 0, {Frame{0, 0, kW, kH, 0}}));
    WriteGif("gif-transparent.gif", EncodeGif(kW, kH, 16, 0, {Frame{0, 0, kW, kH, 0, false, 4}}));
    WriteGif("gif-two-frames.gif", EncodeGif(kW, kH, 16, 0, {Frame{0, 0, kW, kH, 0}, Frame{3, 3, 10, 10, 0}}));
    WriteGif("gif-no-global-palette.gif", EncodeGif(kW, kH, 0, 0, {Frame{0, 0, kW, kH, 16}}));
    {
        // Enough pixels that the code table fills up: with and without clear codes.
        const int w = 160, h = 120;
        WriteGif("gif-table-full.gif", EncodeGif(w, h, 256, 0, {Frame{0, 0, w, h, 0}}));
        WriteGif("gif-table-full-no-clear.gif", EncodeGif(w, h, 256, 0, {Frame{0, 0, w, h, 0, false, -1, false}}));
    }
    // A frame of no width, the largest sides the format holds, and 12-bit codes
    // that go on with a full table, no clear code coming.
    Write("gif-frame-width-0.gif", EncodeGif(kW, kH, 16, 0, {Frame{0, 0, 0, kH, 0}}));
    Write("gif-frame-height-0.gif", EncodeGif(kW, kH, 16, 0, {Frame{0, 0, kW, 0, 0}}));
    Write("gif-frame-size-0.gif", EncodeGif(kW, kH, 16, 0, {Frame{0, 0, 0, 0, 0}}));
    Write("gif-widest.gif", EncodeGif(65535, 1, 16, 0, {Frame{0, 0, 65535, 1, 0}}));
    Write("gif-tallest.gif", EncodeGif(1, 65535, 16, 0, {Frame{0, 0, 1, 65535, 0}}));
    for (const int table : {4096, 4095}) {
        Frame deferred{0, 0, 400, 300, 0, false, -1, false};
        deferred.table = table;
        Write("gif-deferred-clear-" + std::to_string(table) + ".gif", EncodeGif(400, 300, 256, 0, {deferred}));
    }
    Write("bad-gif-no-frame.gif", EncodeGif(kW, kH, 16, 0, {}));
    const std::string two = EncodeGif(kW, kH, 16, 0, {Frame{}, Frame{0, 0, kW, kH, 0}});
    Write("gif-second-frame-cut.gif", two.substr(0, two.size() - 100));
    std::string noTrailer = EncodeGif(kW, kH, 16, 0, {Frame{}});
    Write("gif-no-trailer.gif", noTrailer.substr(0, noTrailer.size() - 1));

    // JPEG: the codings and samplings encoders write.
    WriteJpeg("jpeg-baseline-420.jpg", EncodeJpeg(kW, kH, false, false, false, 420, 0));
    WriteJpeg("jpeg-baseline-444.jpg", EncodeJpeg(kW, kH, false, false, false, 444, 0));
    WriteJpeg("jpeg-baseline-422.jpg", EncodeJpeg(kW, kH, false, false, false, 422, 0));
    WriteJpeg("jpeg-grey.jpg", EncodeJpeg(kW, kH, true, false, false, 0, 0));
    WriteJpeg("jpeg-restart.jpg", EncodeJpeg(kW, kH, false, false, false, 420, 1));
    WriteJpeg("jpeg-progressive.jpg", EncodeJpeg(kW, kH, false, true, false, 420, 0));
    WriteJpeg("jpeg-arithmetic.jpg", EncodeJpeg(kW, kH, false, false, true, 420, 0));
    WriteJpeg("jpeg-arithmetic-progressive.jpg", EncodeJpeg(kW, kH, false, true, true, 420, 0));
    WriteJpeg("jpeg-large-progressive.jpg", EncodeJpeg(200, 150, false, true, false, 420, 0, 75));
    Write("jpeg-cmyk.jpg", EncodeJpeg(kW, kH, false, false, false, 444, 0, 90, true));
    WriteJpeg("jpeg-large.jpg", EncodeJpeg(200, 150, false, false, false, 420, 0, 75));

    // JPEG damage of the kinds that fuzzers make: in the headers, the scans and
    // between them, each at the place the loader's libjpeg meets it.
    const std::string jpeg = EncodeJpeg(kW, kH, false, false, false, 420, 0);
    const std::string progressive = EncodeJpeg(kW, kH, false, true, false, 420, 0);
    const std::size_t sos = jpeg.find("\xFF\xDA"), dqt = jpeg.find("\xFF\xDB"), dht = jpeg.find("\xFF\xC4");
    const std::size_t secondScan = progressive.find("\xFF\xC4", progressive.find("\xFF\xDA"));
    const auto inserted = [](std::string j, std::size_t at, const std::string& bytes) { return j.insert(at, bytes); };
    const auto patched = [](std::string j, std::size_t at, const std::string& bytes) { return j.replace(at, bytes.size(), bytes); };
    const std::string junk("\x12\x34\x56", 3);
    Write("jpeg-damage-bytes-before-scan.jpg", inserted(jpeg, sos, junk));
    Write("jpeg-damage-bytes-before-table.jpg", inserted(jpeg, dht, junk));
    Write("jpeg-damage-bytes-between-scans.jpg", inserted(progressive, secondScan, junk));
    Write("jpeg-damage-comment-too-short.jpg", inserted(jpeg, dqt, std::string("\xFF\xFE\x00\x04" "comment", 11)));
    Write("jpeg-damage-quant-too-short.jpg", patched(jpeg, dqt + 2, std::string("\x00\x42", 2)));
    Write("jpeg-damage-quant-too-long.jpg", patched(jpeg, dqt + 2, std::string("\x00\x44", 2)));
    Write("jpeg-damage-frame-length.jpg", patched(jpeg, jpeg.find("\xFF\xC0") + 2, std::string("\x00\x12", 2)));
    Write("jpeg-damage-scan-length.jpg", patched(jpeg, sos + 2, std::string("\x00\x0B", 2)));
    Write("jpeg-damage-scan-component-id.jpg", patched(jpeg, sos + 5, "\x07"));
    Write("jpeg-damage-scan-spectrum.jpg", patched(jpeg, sos + 12, "\x3E")); // a baseline scan's last coefficient
    const std::string restarts = EncodeJpeg(kW, kH, false, false, false, 420, 1);
    Write("jpeg-damage-restart-number.jpg", patched(restarts, restarts.find("\xFF\xD3"), "\xFF\xD5"));
    Write("jpeg-damage-scan-component-twice.jpg", patched(jpeg, sos + 7, "\x01"));
    Write("jpeg-damage-frame-component-twice.jpg", patched(jpeg, jpeg.find("\xFF\xC0") + 13, "\x01"));
    Write("jpeg-damage-marker-jpg0.jpg", inserted(jpeg, sos, std::string("\xFF\xF0\x00\x04\x00\x00", 6)));
    Write("jpeg-damage-marker-dhp.jpg", inserted(jpeg, sos, std::string("\xFF\xDE\x00\x04\x00\x00", 6)));
    Write("jpeg-damage-marker-after-scan.jpg", inserted(jpeg, jpeg.size() - 2, std::string("\xFF\xF0\x00\x04\x00\x00", 6)));
    Write("jpeg-damage-marker-between-scans.jpg", inserted(progressive, secondScan, std::string("\xFF\xF0\x00\x04\x00\x00", 6)));
    const std::size_t scanData = sos + 2 + (static_cast<unsigned char>(jpeg[sos + 2]) << 8 | static_cast<unsigned char>(jpeg[sos + 3]));
    Write("jpeg-damage-huffman-code.jpg", patched(jpeg, scanData + (jpeg.size() - scanData) / 2, std::string("\xFF\x00\xFF\x00\xFF\x00\xFF\x00", 8)));
    Write("jpeg-damage-scan-ends-early.jpg", jpeg.substr(0, scanData + (jpeg.size() - scanData) / 2) + "\xFF\xD9");
    Write("jpeg-damage-scans-end-early.jpg", progressive.substr(0, secondScan) + "\xFF\xD9");
    // A PNG picture named as a JPEG.
    {
        std::vector<unsigned char> rgb(static_cast<std::size_t>(kW) * kH * 3);
        for (std::size_t i = 0; i < rgb.size(); ++i)
            rgb[i] = static_cast<unsigned char>(Colour(static_cast<int>(i / 3 % kW), static_cast<int>(i / 3 / kW)) >> (16 - 8 * (i % 3)));
        std::string png;
        const auto append = [](void* to, void* data, int size) {
            static_cast<std::string*>(to)->append(static_cast<const char*>(data), static_cast<std::size_t>(size));
        };
        stbi_write_png_to_func(append, &png, kW, kH, 3, rgb.data(), kW * 3);
        Write("png-named-jpeg.jpg", png);
    }

    std::printf("%d pictures written to %s\n", g_written, dir.c_str());
    return 0;
}
