#pragma once
// What every decoded picture promises: a reason when there is none, else a
// size within the limits, every pixel, and missing rows inside it and named.
#include "skin/DecodedPicture.h"
#include "fuzz/FuzzCheck.h"

#include <cstddef>
#include <cstdint>

inline void CheckPictureLoad(const PictureLoad& load)
{
    if (!load.picture) {
        Check(!load.problem.empty(), "a reason when there is no picture");
        return;
    }
    const PixelImage& p = *load.picture;
    Check(p.size.width > 0 && p.size.height > 0 && p.size.width <= kMaxPictureSide && p.size.height <= kMaxPictureSide, "a size it accepts");
    Check(p.pixels.size() == static_cast<std::size_t>(p.size.width) * static_cast<std::size_t>(p.size.height), "every pixel");
    for (std::uint32_t pixel : p.pixels)
        Check(pixel <= 0xFFFFFF, "pixels are 0x00RRGGBB");
    Check(load.missingFrom >= 0 && load.missingFrom <= load.missingTo && load.missingTo <= p.size.height,
          "missing rows inside the picture");
    Check(load.missingTo == load.missingFrom || !load.damage.empty(), "missing rows are named");
}
