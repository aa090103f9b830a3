#include "PictureDecoder.h"

#include <stb_image.h>

#include <climits>
#include <memory>

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
    if (StartsWith(bytes, "RIFF") && bytes.substr(8, 4) == "WEBP")
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
    const auto* data = reinterpret_cast<const stbi_uc*>(bytes.data());
    const int length = static_cast<int>(bytes.size());
    int w = 0, h = 0, channels = 0;
    if (!stbi_info_from_memory(data, length, &w, &h, &channels)) {
        load.problem = "the " + load.format + " data does not decode (" + stbi_failure_reason() + ")";
        return load;
    }
    // stb_image reports a top-down BMP's height as it is stored: negative.
    if (load.format == "BMP" && h < 0 && h != INT_MIN)
        h = -h;
    if (w <= 0 || h <= 0) {
        load.problem = "the " + load.format + " data holds no picture";
        return load;
    }
    if (w > kMaxPictureSide || h > kMaxPictureSide ||
        static_cast<std::size_t>(w) * static_cast<std::size_t>(h) > kMaxPicturePixels) {
        load.problem = "it claims " + std::to_string(w) + "x" + std::to_string(h) + " pixels, more than a skin can use";
        return load;
    }
    std::unique_ptr<stbi_uc, void (*)(void*)> rgb(stbi_load_from_memory(data, length, &w, &h, &channels, 3),
                                                 stbi_image_free);
    if (!rgb) {
        load.problem = "the " + load.format + " data does not decode (" + stbi_failure_reason() + ")";
        return load;
    }
    Picture picture;
    picture.width = w;
    picture.height = h;
    const std::size_t count = static_cast<std::size_t>(w) * static_cast<std::size_t>(h);
    picture.pixels.resize(count);
    const stbi_uc* p = rgb.get();
    for (std::size_t i = 0; i < count; ++i, p += 3)
        picture.pixels[i] = (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
    load.picture = std::move(picture);
    return load;
}
