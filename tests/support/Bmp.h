#pragma once
// Writes pictures for tests: 24-bit BMP files from 0x00RRGGBB pixels, top row first.
#include <cstdint>
#include <string>
#include <vector>

struct TestPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // width * height, row by row from the top

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

std::string EncodeBmp24(const TestPicture& picture);
