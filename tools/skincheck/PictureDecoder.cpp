#include "tools/skincheck/PictureDecoder.h"

#include "skin/BmpDecoder.h"
#include "tools/skincheck/FormatDecoders.h"

#include <climits>

namespace {

bool StartsWith(std::string_view bytes, std::string_view magic)
{
    return bytes.substr(0, magic.size()) == magic;
}

// The format by its signature, as the platform's loader tells them apart.
std::string Format(std::string_view bytes)
{
    if (StartsWith(bytes, "BM"))
        return "BMP";
    if (StartsWith(bytes, "\xFF\xD8\xFF"))
        return "JPEG";
    if (StartsWith(bytes, "GIF87a") || StartsWith(bytes, "GIF89a"))
        return "GIF";
    return "";
}

std::string OtherFormat(std::string_view bytes)
{
    if (StartsWith(bytes, "\x89PNG"))
        return "a PNG picture";
    if (StartsWith(bytes, "II*") || StartsWith(bytes, "MM\0*"))
        return "a TIFF picture";
    if (StartsWith(bytes, "RIFF") && bytes.size() >= 12 && bytes.substr(8, 4) == "WEBP")
        return "a WebP picture";
    return "";
}

} // namespace

PictureLoad DecodePicture(std::string_view bytes)
{
    PictureLoad load;
    if (bytes.empty()) {
        load.problem = "the file is empty";
        return load;
    }
    load.format = Format(bytes);
    if (load.format.empty()) {
        const std::string other = OtherFormat(bytes);
        load.problem = other.empty() ? "it is not a BMP, JPEG or GIF picture"
                                     : "it is " + other + ", and the menu loads only BMP, JPEG and GIF";
        return load;
    }
    if (bytes.size() > kMaxPictureFileBytes || bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        load.problem = "the file is too large";
        return load;
    }
    if (load.format == "BMP")
        return DecodeBmp(bytes);
    return load.format == "JPEG" ? DecodeJpeg(bytes) : DecodeGif(bytes);
}
