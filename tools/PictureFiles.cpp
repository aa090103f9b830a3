#include "tools/PictureFiles.h"

#include <stb_image_write.h>

#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

void Save(const fs::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

void Put16(std::string& s, unsigned v)
{
    s += char(v & 0xFF);
    s += char((v >> 8) & 0xFF);
}

void Put32(std::string& s, std::uint32_t v)
{
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

} // namespace

void WriteText(const fs::path& path, const std::string& lines)
{
    std::string crlf;
    for (char ch : lines) {
        if (ch == '\n')
            crlf += '\r';
        crlf += ch;
    }
    Save(path, crlf);
}

// A two-colour picture: magenta where `inside` is false (cut away), white
// where it holds. Four bits a pixel rather than one: a decoder may turn a
// one-bit picture into a monochrome bitmap, whose colours a copy to 32 bits
// would then take from the device context instead of from the palette.
void WriteMask(const fs::path& path, int w, int h, const std::function<bool(int, int)>& inside)
{
    const std::uint32_t stride = ((std::uint32_t(w) * 4 + 31) / 32) * 4;
    const std::uint32_t bits = stride * std::uint32_t(h);
    const std::uint32_t offset = 14 + 40 + 16 * 4;
    std::string s;
    s += "BM";
    Put32(s, offset + bits);
    Put32(s, 0);
    Put32(s, offset);
    Put32(s, 40);
    Put32(s, std::uint32_t(w));
    Put32(s, std::uint32_t(h)); // rows bottom-up
    Put16(s, 1);
    Put16(s, 4);
    Put32(s, 0);
    Put32(s, bits);
    Put32(s, 2835);
    Put32(s, 2835);
    Put32(s, 16);
    Put32(s, 2);
    Put32(s, 0x00FF00FF); // 0: magenta (blue, green, red, unused)
    Put32(s, 0x00FFFFFF); // 1: white
    for (int i = 2; i < 16; ++i)
        Put32(s, 0);
    for (int y = h - 1; y >= 0; --y) {
        std::string row(stride, '\0');
        for (int x = 0; x < w; ++x)
            if (inside(x, y))
                row[std::size_t(x / 2)] = char(row[std::size_t(x / 2)] | (x % 2 ? 0x01 : 0x10));
        s += row;
    }
    Save(path, s);
}

void WriteJpeg(const fs::path& path, const Canvas& c)
{
    WriteJpeg(path, c.Width(), c.Height(), c.Rgb8());
}

void WriteJpeg(const fs::path& path, int w, int h, const std::vector<std::uint8_t>& rgb)
{
    if (!stbi_write_jpg(path.string().c_str(), w, h, 3, rgb.data(), 95))
        throw std::runtime_error("cannot write " + path.string());
}

void WriteBmp(const fs::path& path, const Canvas& c)
{
    const auto rgb = c.Rgb8();
    if (!stbi_write_bmp(path.string().c_str(), c.Width(), c.Height(), 3, rgb.data()))
        throw std::runtime_error("cannot write " + path.string());
}

void WritePng(const fs::path& path, int w, int h, int channels, const std::vector<std::uint8_t>& pixels)
{
    if (!stbi_write_png(path.string().c_str(), w, h, channels, pixels.data(), w * channels))
        throw std::runtime_error("cannot write " + path.string());
}
