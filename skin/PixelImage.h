#pragma once
// The one pixel picture of the portable code: a decoded picture file, a
// picture at a display scale, skincheck's preview. Portable.
#include <cstddef>
#include <cstdint>
#include <vector>

struct PixelSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const PixelSize& o) const { return width == o.width && height == o.height; }
};

// Top-down 32-bit pixels, rows packed: 0x00RRGGBB (blue in the low byte), as a
// 32-bit DIB holds them; the preview keeps its alpha in the high byte.
struct PixelImage {
    PixelSize size;
    std::vector<std::uint32_t> pixels;

    std::uint32_t At(int x, int y) const
    {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(size.width) + static_cast<std::size_t>(x)];
    }
};
