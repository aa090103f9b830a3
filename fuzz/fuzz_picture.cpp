// Arbitrary bytes as a skin picture. The decoders must never crash or write
// out of bounds, and a picture they return must be as large as it says and
// within the sizes they accept.
#include "FuzzCheck.h"
#include "PictureDecoder.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const PictureLoad load = DecodePicture(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!load.picture) {
        Check(!load.problem.empty(), "a reason when there is no picture");
        return 0;
    }
    const Picture& p = *load.picture;
    Check(p.width > 0 && p.height > 0 && p.width <= kMaxPictureSide && p.height <= kMaxPictureSide, "a size it accepts");
    Check(p.pixels.size() == static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height), "every pixel");
    Check(load.format == "BMP" || load.format == "JPEG" || load.format == "GIF", "a format the menu loads");
    return 0;
}
