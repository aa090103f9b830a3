#pragma once
// The window at rest as a picture: the Main picture inside the window's
// outline and transparent outside, trackbar thumbs at their positions, and
// every control outlined with its name beside it.
#include "tools/skincheck/DiscCheck.h"

#include <cstdint>
#include <string>
#include <vector>

struct PreviewImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba; // row by row from the top

    std::uint32_t At(int x, int y) const; // 0xAARRGGBB
};

// Empty when no picture gives the window a size.
PreviewImage RenderPreview(const WindowLayout& window);

bool WritePng(const std::string& path, const PreviewImage& image);
