#pragma once
// Writes pictures for tests: BMP files from 0x00RRGGBB pixels, top row first.
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
// 32 bits a pixel, the pixels' top byte as alpha (0xAARRGGBB), as painting programs write them.
std::string EncodeBmp32(const TestPicture& picture);

// A picture whose every pixel can be told from its neighbours; pictures with
// different salts differ in every pixel (for salts below 256).
TestPicture PatternPicture(int width, int height, std::uint32_t salt = 0);

// The part of `picture` at left, top, width by height.
TestPicture CropPicture(const TestPicture& picture, int left, int top, int width, int height);
