// Arbitrary bytes as a skin picture. The decoders must never crash or write
// out of bounds, and what they return keeps the promises of CheckPicture.h.
#include "fuzz/CheckPicture.h"
#include "tools/skincheck/PictureDecoder.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const PictureLoad load = DecodePicture(std::string_view(reinterpret_cast<const char*>(data), size));
    CheckPictureLoad(load);
    Check(!load.picture || load.format == "BMP" || load.format == "JPEG" || load.format == "GIF",
          "a format the menu loads");
    return 0;
}
