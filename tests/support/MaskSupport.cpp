#include "tests/support/MaskSupport.h"

#include <algorithm>
#include <random>

namespace {

bool ReferenceTransparent(std::uint32_t pixel, std::uint32_t colour, std::uint32_t tolerance)
{
    for (int shift : {0, 8, 16}) {
        unsigned value = (pixel >> shift) & 0xFF;
        unsigned lo = (colour >> shift) & 0xFF;
        unsigned hi = std::min(lo + ((tolerance >> shift) & 0xFF), 255u);
        if (value < lo || value > hi)
            return false;
    }
    return true;
}

// Opaque pixels of a picture-like mask: anything but magenta.
std::uint32_t Opaque(std::int32_t x, std::int32_t y)
{
    return (static_cast<std::uint32_t>(x * 7) & 0xFF) | ((static_cast<std::uint32_t>(y * 3) & 0x7F) << 8) |
           0x100000;
}

} // namespace

std::vector<SkinRect> ReferenceRuns(const TestMask& mask, std::uint32_t colour, std::uint32_t tolerance)
{
    std::vector<SkinRect> runs;
    for (std::int32_t y = 0; y < mask.height; ++y) {
        std::int32_t x = 0;
        while (x < mask.width) {
            std::int32_t x0 = x;
            while (x < mask.width && !ReferenceTransparent(mask.At(x, y), colour, tolerance))
                ++x;
            if (x > x0)
                runs.push_back(SkinRect{x0, y, x, y + 1});
            ++x;
        }
    }
    return runs;
}

std::vector<bool> CoveredPixels(const std::vector<SkinRect>& rects, std::int32_t width, std::int32_t height)
{
    std::vector<bool> covered(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (const auto& r : rects) {
        for (std::int32_t y = std::max(r.top, 0); y < std::min(r.bottom, height); ++y)
            for (std::int32_t x = std::max(r.left, 0); x < std::min(r.right, width); ++x)
                covered[static_cast<std::size_t>(y) * width + x] = true;
    }
    return covered;
}

const char* MaskShapeName(MaskShape shape)
{
    switch (shape) {
    case MaskShape::RoundedWindow: return "rounded_window";
    case MaskShape::Ellipse: return "ellipse";
    case MaskShape::Noise: return "noise";
    }
    return "?";
}

TestMask MakeShapeMask(MaskShape shape, std::int32_t width, std::int32_t height, std::uint32_t seed)
{
    TestMask mask(width, height, kMagenta);
    const double w = width, h = height;
    if (shape == MaskShape::Noise) {
        std::mt19937 random(seed);
        for (std::int32_t y = 0; y < height; ++y)
            for (std::int32_t x = 0; x < width; ++x)
                mask.At(x, y) = (random() & 1) ? kMagenta | ((random() % 17) << 8) : Opaque(x, y);
        return mask;
    }
    for (std::int32_t y = 0; y < height; ++y) {
        const double py = y + 0.5;
        for (std::int32_t x = 0; x < width; ++x) {
            const double px = x + 0.5;
            bool inside;
            if (shape == MaskShape::Ellipse) {
                const double dx = (px - w / 2) / (w / 2), dy = (py - h / 2) / (h / 2);
                inside = dx * dx + dy * dy <= 1.0;
            } else {
                // Corners of radius h/8; six round holes of radius h/16 in two rows.
                const double r = h / 8;
                const double cx = std::clamp(px, r, w - r), cy = std::clamp(py, r, h - r);
                inside = (px - cx) * (px - cx) + (py - cy) * (py - cy) <= r * r;
                for (int hole = 0; inside && hole < 6; ++hole) {
                    const double hx = w * (hole % 3 + 1) / 4, hy = h * (hole / 3 + 1) / 3, hr = h / 16;
                    inside = (px - hx) * (px - hx) + (py - hy) * (py - hy) > hr * hr;
                }
            }
            if (inside)
                mask.At(x, y) = Opaque(x, y);
        }
    }
    return mask;
}

TestMask MakeRandomMask(std::int32_t width, std::int32_t height, std::uint32_t seed)
{
    static const std::uint32_t edges[] = {
        0xFF00FF, 0xFF10FF, 0xFF11FF, 0xFE00FF, 0xFF00FE, 0xAAFF00FF, 0x01FF08FF, 0x000000, 0xFFFFFF, 0xFF0FFF,
    };
    std::mt19937 random(seed);
    TestMask mask(width, height);
    // Long stretches as well as single pixels, so that runs cross 64-pixel words.
    const std::uint32_t stretch = 1 + random() % 80;
    std::uint32_t current = edges[0];
    for (auto& p : mask.pixels) {
        if (random() % stretch == 0)
            current = (random() % 4 == 0) ? static_cast<std::uint32_t>(random()) : edges[random() % std::size(edges)];
        p = current;
    }
    return mask;
}
