#pragma once
// Skin pictures decoded as the menu would load them: BMP, JPEG and GIF only
// (what the platform's picture loader takes), through stb_image.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB, top row first

    std::uint32_t At(int x, int y) const
    {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
};

struct PictureLoad {
    std::optional<Picture> picture;
    std::string format;  // "BMP", "JPEG" or "GIF" when recognised
    std::string problem; // why there is no picture
};

// Larger pictures are refused rather than decoded: no skin needs them, and a
// corrupt header must not make the tool allocate gigabytes.
inline constexpr int kMaxPictureSide = 16384;
inline constexpr std::size_t kMaxPicturePixels = std::size_t(1) << 24;
inline constexpr std::size_t kMaxPictureFileBytes = std::size_t(256) << 20;

PictureLoad DecodePicture(std::string_view bytes);
