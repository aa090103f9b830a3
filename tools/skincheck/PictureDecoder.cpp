#include "PictureDecoder.h"

#include <stb_image.h>

#include <algorithm>
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
    if (StartsWith(bytes, "RIFF") && bytes.size() >= 12 && bytes.substr(8, 4) == "WEBP")
        return "a WebP picture";
    return "";
}

// What the decoder reads at i: the byte, or 0 past the end.
unsigned Byte(std::string_view bytes, std::size_t i)
{
    return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0;
}

// The packaged stb_image (2.27) mishandles two kinds of damaged JPEG: a
// Huffman table of more than 256 codes makes it write past its tables, and a
// scan that uses a table no segment defined makes it decode with memory it
// never set. Such files are refused before they are decoded. The walk follows
// the decoder: segments by their length, and anything else (padding, coded
// data, stuffed bytes, restarts) byte by byte up to the next marker, since
// progressive files define tables between scans.
std::string DamagedHuffmanTables(std::string_view jpeg)
{
    bool defined[2][4] = {}; // [DC, AC][table]
    bool progressive = false;
    std::size_t pos = 2;
    while (pos + 1 < jpeg.size()) {
        const unsigned marker = Byte(jpeg, pos + 1);
        if (Byte(jpeg, pos) != 0xFF || marker == 0xFF || marker <= 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
            ++pos;
            continue;
        }
        if (marker == 0xD9)
            return "";
        const std::size_t end = pos + 2 + (Byte(jpeg, pos + 2) << 8 | Byte(jpeg, pos + 3));
        const std::size_t body = pos + 4;
        if (marker == 0xC2)
            progressive = true;
        if (marker == 0xC4) {
            for (std::size_t table = body; table < end && table < jpeg.size();) {
                std::size_t codes = 0;
                for (std::size_t i = 1; i <= 16; ++i)
                    codes += Byte(jpeg, table + i);
                if (codes > 256)
                    return "a Huffman table holds more than 256 codes";
                const unsigned kind = Byte(jpeg, table) >> 4, id = Byte(jpeg, table) & 15;
                if (kind <= 1 && id <= 3)
                    defined[kind][id] = true;
                table += 17 + codes;
            }
        }
        if (marker == 0xDA) {
            const std::size_t count = Byte(jpeg, body);
            const unsigned start = Byte(jpeg, body + 1 + 2 * count);
            for (std::size_t c = 0; c < count; ++c) {
                const unsigned tables = Byte(jpeg, body + 2 + 2 * c), dc = tables >> 4, ac = tables & 15;
                const bool needDc = !progressive || start == 0, needAc = !progressive || start > 0;
                if ((needDc && dc <= 3 && !defined[0][dc]) || (needAc && ac <= 3 && !defined[1][ac]))
                    return "a scan uses a Huffman table that is not defined";
            }
        }
        pos = std::max(end, pos + 4);
    }
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
    if (load.format == "JPEG") {
        const std::string damage = DamagedHuffmanTables(bytes);
        if (!damage.empty()) {
            load.problem = "the JPEG data does not decode (" + damage + ")";
            return load;
        }
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
