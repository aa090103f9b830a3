#pragma once
// Masks for tests, benchmarks and fuzzing: 32-bit pixels stored top row first
// (blue in the low byte), a plain per-pixel reading of their runs, and the
// shapes that skins use.
#include "skin/SkinFile.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr std::uint32_t kMaskTolerance = 0x101010;

struct TestMask {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<std::uint32_t> pixels; // width × height, top row first

    TestMask() = default;
    TestMask(std::int32_t w, std::int32_t h, std::uint32_t fill = 0)
        : width(w), height(h), pixels(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), fill)
    {
    }
    std::uint32_t& At(std::int32_t x, std::int32_t y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
    std::uint32_t At(std::int32_t x, std::int32_t y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// The runs read pixel by pixel, straight from the definition of a transparent
// pixel: lo <= byte <= min(lo + t, 255) in each of blue, green and red.
std::vector<SkinRect> ReferenceRuns(const TestMask& mask, std::uint32_t colour, std::uint32_t tolerance);

// Pixel (x, y) is covered by one of the rectangles, as a row-major bit set.
std::vector<bool> CoveredPixels(const std::vector<SkinRect>& rects, std::int32_t width, std::int32_t height);

enum class MaskShape {
    RoundedWindow, // a rounded rectangle with round holes, magenta around it
    Ellipse,       // the ellipse that fills the mask, magenta around it
    Noise,         // every pixel drawn at random: the most runs there can be
};
const char* MaskShapeName(MaskShape shape);
TestMask MakeShapeMask(MaskShape shape, std::int32_t width, std::int32_t height, std::uint32_t seed = 1);

// A mask of the given size whose pixels are drawn mostly from colours at the
// edges of the transparent range (green 16 and 17, red 254, alpha bytes set).
TestMask MakeRandomMask(std::int32_t width, std::int32_t height, std::uint32_t seed);
