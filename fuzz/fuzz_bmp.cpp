// Arbitrary bytes after "BM" as a BMP file. The reader must never crash or
// read out of bounds, a picture it returns must be as large as it says, and
// rows it calls missing must lie inside the picture and be named.
#include "BmpDecoder.h"
#include "FuzzCheck.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes = "BM" + std::string(reinterpret_cast<const char*>(data), size);
    const PictureLoad load = DecodeBmp(bytes);
    if (!load.picture) {
        Check(!load.problem.empty(), "a reason when there is no picture");
        return 0;
    }
    const Picture& p = *load.picture;
    Check(p.width > 0 && p.height > 0 && p.width <= kMaxPictureSide && p.height <= kMaxPictureSide, "a size it accepts");
    Check(p.pixels.size() == static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.height), "every pixel");
    for (std::uint32_t pixel : p.pixels)
        Check(pixel <= 0xFFFFFF, "pixels are 0x00RRGGBB");
    Check(load.missingFrom >= 0 && load.missingFrom <= load.missingTo && load.missingTo <= p.height,
          "missing rows inside the picture");
    Check((load.missingTo > load.missingFrom) == !load.damage.empty(), "missing rows are named");
    return 0;
}
