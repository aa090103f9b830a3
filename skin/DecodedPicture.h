#pragma once
// A picture file decoded without the system's loader (skincheck, tests): its
// pixels, or why there are none, and what of it the file does not hold.
#include "skin/PixelImage.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct PictureLoad {
    std::optional<PixelImage> picture;
    std::string format;  // "BMP", "JPEG" or "GIF" when recognised
    std::string problem; // why there is no picture
    // A picture that loads although its file is cut short or damaged: what
    // will not show as drawn ("rows 1 to 12 of 23 are missing").
    std::string damage;
    // Rows [missingFrom, missingTo) that the file does not hold: the menu's
    // loader shows whatever memory follows the file there, so they are black
    // here and have no one right value.
    int missingFrom = 0;
    int missingTo = 0;
    // Per pixel, 1 where the file marks it see-through (a BMP's alpha, a
    // GIF's transparent colour): the loader ignores that and shows the pixel's
    // colour. Empty when the file marks none.
    std::vector<std::uint8_t> seeThrough;
};

// Larger pictures are refused rather than decoded: no skin needs them, and a
// corrupt header must not make the tool allocate gigabytes. A side may be as
// long as a GIF or JPEG can give it (the loader shows a 65535 × 1 GIF); the
// area is what bounds the memory.
inline constexpr int kMaxPictureSide = 65535;
inline constexpr std::size_t kMaxPicturePixels = std::size_t(1) << 24;
inline constexpr std::size_t kMaxPictureFileBytes = std::size_t(256) << 20;

// The picture's size is within the limits above; else `load.problem` says why not.
bool PictureSizeAllowed(PictureLoad& load, long long width, long long height);

// Rows [from, to) of the picture's height are missing: recorded, and named in `load.damage`.
void SetMissingRows(PictureLoad& load, int from, int to);
