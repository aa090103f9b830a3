#include "tests/support/Bmp.h"

namespace {
void Put(std::string& out, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// Bottom-up rows of 3 or 4 bytes a pixel: blue, green, red (and the pixel's top byte, alpha to painting programs).
std::string EncodeBmp(const TestPicture& p, std::uint32_t bytesPerPixel)
{
    const std::uint32_t stride = (static_cast<std::uint32_t>(p.width) * bytesPerPixel + 3) & ~3u;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(p.height);
    std::string out;
    out += "BM";
    Put(out, 54 + imageSize, 4);
    Put(out, 0, 4);
    Put(out, 54, 4);
    Put(out, 40, 4);
    Put(out, static_cast<std::uint32_t>(p.width), 4);
    Put(out, static_cast<std::uint32_t>(p.height), 4); // bottom-up
    Put(out, 1, 2);
    Put(out, bytesPerPixel * 8, 2);
    Put(out, 0, 4);
    Put(out, imageSize, 4);
    Put(out, 2835, 4);
    Put(out, 2835, 4);
    Put(out, 0, 4);
    Put(out, 0, 4);
    for (int y = p.height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < p.width; ++x)
            Put(row, p.At(x, y), static_cast<int>(bytesPerPixel));
        row.resize(stride, '\0');
        out += row;
    }
    return out;
}
} // namespace

std::string EncodeBmp24(const TestPicture& p) { return EncodeBmp(p, 3); }
std::string EncodeBmp32(const TestPicture& p) { return EncodeBmp(p, 4); }

TestPicture PatternPicture(int width, int height, std::uint32_t salt)
{
    TestPicture p{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.pixels.push_back(((static_cast<std::uint32_t>(x * 3) & 0xFF) << 16) |
                               ((static_cast<std::uint32_t>(y * 5) & 0xFF) << 8) |
                               ((static_cast<std::uint32_t>(x + y) + salt) & 0xFF));
    return p;
}

TestPicture CropPicture(const TestPicture& picture, int left, int top, int width, int height)
{
    TestPicture p{width, height, {}};
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            p.pixels.push_back(picture.At(x, y));
    return p;
}
