#include "tools/skincheck/PictureDecoder.h"

#include "skin/BmpDecoder.h"
#include "tools/skincheck/FormatDecoders.h"

#include <algorithm>
#include <climits>

namespace {

bool StartsWith(std::string_view bytes, std::string_view magic)
{
    return bytes.substr(0, magic.size()) == magic;
}

// Each format by its signature, as the platform's loader tells them apart.
const PictureFormat kFormats[] = {
    {"BMP", [](std::string_view b) { return StartsWith(b, "BM"); }, DecodeBmp},
    {"JPEG", [](std::string_view b) { return StartsWith(b, "\xFF\xD8\xFF"); }, DecodeJpeg},
    {"GIF", [](std::string_view b) { return StartsWith(b, "GIF87a") || StartsWith(b, "GIF89a"); }, DecodeGif},
};

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
    const auto format = std::find_if(std::begin(kFormats), std::end(kFormats),
                                     [&](const PictureFormat& f) { return f.recognise(bytes); });
    if (format == std::end(kFormats)) {
        const std::string other = OtherFormat(bytes);
        // Wine's loader shows PNG as well; for the one on Windows Microsoft
        // documents bitmaps, metafiles and icons, and no PNG.
        load.problem = other.empty() ? "it is not a BMP, JPEG or GIF picture"
                                     : "it is " + other + ", and the menu loads only BMP, JPEG and GIF: Windows "
                                       "will not show it" + (StartsWith(bytes, "\x89PNG") ? ", though Wine does" : "");
        return load;
    }
    load.format = format->name;
    if (bytes.size() > kMaxPictureFileBytes || bytes.size() > static_cast<std::size_t>(INT_MAX)) {
        load.problem = "the file is too large";
        return load;
    }
    return format->decode(bytes);
}
