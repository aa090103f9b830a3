// Arbitrary bytes after "BM" as a BMP file: the reader must never crash or
// read out of bounds, and what it returns keeps the promises of CheckPicture.h.
#include "skin/BmpDecoder.h"
#include "fuzz/CheckPicture.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const PictureLoad load = DecodeBmp("BM" + std::string(reinterpret_cast<const char*>(data), size));
    CheckPictureLoad(load);
    Check(load.format == "BMP", "the format");
    return 0;
}
