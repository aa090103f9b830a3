#include "tools/menupage/MenuPage.h"

#include <stb_image_write.h>

#include <cstdio>
#include <map>
#include <utility>

// The page's template (MenuPage.html), built in by cmake/EmbedText.cmake.
extern const unsigned char kMenuPageTemplate[];

namespace menupage {
namespace {

constexpr char kDataMarker[] = "@DISC_DATA@";

std::string Base64(const std::vector<unsigned char>& bytes)
{
    static const char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        const unsigned v = (unsigned(bytes[i]) << 16) | (unsigned(bytes[i + 1]) << 8) | bytes[i + 2];
        out += {digits[v >> 18], digits[(v >> 12) & 63], digits[(v >> 6) & 63], digits[v & 63]};
    }
    if (i + 1 == bytes.size()) {
        const unsigned v = unsigned(bytes[i]) << 16;
        out += {digits[v >> 18], digits[(v >> 12) & 63], '=', '='};
    } else if (i + 2 == bytes.size()) {
        const unsigned v = (unsigned(bytes[i]) << 16) | (unsigned(bytes[i + 1]) << 8);
        out += {digits[v >> 18], digits[(v >> 12) & 63], digits[(v >> 6) & 63], '='};
    }
    return out;
}

// The length of the valid UTF-8 sequence at `s[i]`, 0 when there is none.
std::size_t Utf8Sequence(const std::string& s, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return k < s.size() ? static_cast<unsigned char>(s[k]) : 0u; };
    const unsigned c = byte(i);
    const auto follows = [&](std::size_t n) {
        for (std::size_t k = 1; k < n; ++k)
            if ((byte(i + k) & 0xC0) != 0x80)
                return false;
        return true;
    };
    if (c < 0x80)
        return 1;
    if (c >= 0xC2 && c <= 0xDF)
        return follows(2) ? 2 : 0;
    if (c >= 0xE0 && c <= 0xEF) {
        const unsigned c1 = byte(i + 1);
        if ((c == 0xE0 && c1 < 0xA0) || (c == 0xED && c1 >= 0xA0)) // overlong, or a surrogate
            return 0;
        return follows(3) ? 3 : 0;
    }
    if (c >= 0xF0 && c <= 0xF4) {
        const unsigned c1 = byte(i + 1);
        if ((c == 0xF0 && c1 < 0x90) || (c == 0xF4 && c1 >= 0x90))
            return 0;
        return follows(4) ? 4 : 0;
    }
    return 0;
}

std::string Rect(const SkinRect& r)
{
    return "[" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + "]";
}

const char* Bool(bool b) { return b ? "true" : "false"; }

std::string Colour(std::uint32_t colorref)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", unsigned(colorref & 0xFF), unsigned((colorref >> 8) & 0xFF),
                  unsigned((colorref >> 16) & 0xFF));
    return text;
}

const char* KindName(PageKind kind)
{
    switch (kind) {
    case PageKind::Button: return "button";
    case PageKind::ButtonEx: return "buttonex";
    case PageKind::Label: return "label";
    case PageKind::Trackbar: return "trackbar";
    case PageKind::Progress: return "progress";
    }
    return "button";
}

bool SamePixels(const PixelImage& a, const PixelImage& b)
{
    return a.size == b.size && a.pixels == b.pixels;
}

// Each distinct picture once: the embedded list and, for every given index, its place in it.
struct Embedded {
    std::vector<const PixelImage*> unique;
    std::vector<int> place;

    explicit Embedded(const std::vector<PixelImage>& pictures)
    {
        for (const PixelImage& p : pictures) {
            int found = -1;
            for (std::size_t u = 0; u < unique.size() && found < 0; ++u)
                if (SamePixels(*unique[u], p))
                    found = static_cast<int>(u);
            if (found < 0) {
                found = static_cast<int>(unique.size());
                unique.push_back(&p);
            }
            place.push_back(found);
        }
    }
    std::string Ref(int index) const
    {
        return index >= 0 && static_cast<std::size_t>(index) < place.size()
                   ? std::to_string(place[static_cast<std::size_t>(index)])
                   : "null";
    }
};

std::string OptionalPath(const std::optional<Outline>& outline)
{
    return outline ? JsonString(OutlinePath(*outline)) : "null";
}

void WriteControl(std::string& out, const PageControl& c, const Embedded& pictures)
{
    out += "{\"kind\":\"";
    out += KindName(c.kind);
    out += "\",\"name\":" + JsonString(c.name) + ",\"rect\":" + Rect(c.rect) + ",\"tooltip\":" + JsonString(c.tooltip) +
           ",\"static\":" + Bool(c.staticLook) + ",\"action\":" + JsonString(c.action) +
           ",\"info\":" + (c.infoText ? JsonString(*c.infoText) : "null");
    switch (c.kind) {
    case PageKind::ButtonEx:
        out += ",\"mask\":" + OptionalPath(c.mask);
        break;
    case PageKind::Label:
        out += ",\"text\":" + JsonString(c.text) + ",\"colour\":\"" + Colour(c.colour) + "\",\"bold\":" + Bool(c.bold) +
               ",\"italic\":" + Bool(c.italic) + ",\"face\":" + JsonString(c.face) +
               ",\"fontHeight\":" + std::to_string(c.fontHeight);
        break;
    case PageKind::Trackbar:
        out += ",\"thumb\":" + pictures.Ref(c.thumb) + ",\"thumbDown\":" + pictures.Ref(c.thumbDown) +
               ",\"horizontal\":" + Bool(c.horizontal) + ",\"position\":" + std::to_string(c.position) +
               ",\"thumbAt0\":" + std::to_string(c.thumbAt0) + ",\"thumbAt100\":" + std::to_string(c.thumbAt100);
        break;
    case PageKind::Progress:
        out += ",\"vertical\":";
        out += Bool(c.vertical);
        break;
    case PageKind::Button:
        break;
    }
    out += "}";
}

// The window's pictures, outline and controls: the fields a view replaces.
template <typename Window>
void WriteWindow(std::string& out, const Window& w, const Embedded& pictures)
{
    out += ",\"width\":" + std::to_string(w.width) + ",\"height\":" + std::to_string(w.height) +
           ",\n\"main\":" + pictures.Ref(w.main) + ",\"over\":" + pictures.Ref(w.over) +
           ",\"down\":" + pictures.Ref(w.down) + ",\"disabled\":" + pictures.Ref(w.disabled) +
           ",\n\"outline\":" + OptionalPath(w.outline) + ",\n\"controls\":[";
    for (std::size_t i = 0; i < w.controls.size(); ++i) {
        out += i ? ",\n" : "\n";
        WriteControl(out, w.controls[i], pictures);
    }
    out += "]";
}

std::string DataJson(const PageData& data)
{
    const Embedded pictures(data.pictures);
    std::string out = "{\"title\":" + JsonString(data.title) + ",\"scale\":" + std::to_string(data.scalePercent) +
                      ",\"language\":" + JsonString(data.language) + ",\n\"pictures\":[";
    for (std::size_t u = 0; u < pictures.unique.size(); ++u) {
        const PixelImage& p = *pictures.unique[u];
        out += (u ? ",\n" : "") + std::string("{\"width\":") + std::to_string(p.size.width) +
               ",\"height\":" + std::to_string(p.size.height) + ",\"src\":\"" + PngDataUri(p) + "\"}";
    }
    out += "]";
    WriteWindow(out, data, pictures);
    out += ",\n\"views\":[";
    for (std::size_t i = 0; i < data.views.size(); ++i) {
        out += (i ? ",\n" : "\n") + std::string("{\"language\":") + JsonString(data.views[i].language);
        WriteWindow(out, data.views[i], pictures);
        out += "}";
    }
    out += "],\n\"findings\":[";
    for (std::size_t i = 0; i < data.findings.size(); ++i) {
        const PageFinding& f = data.findings[i];
        out += (i ? ",\n" : "\n") + std::string("{\"severity\":") + JsonString(f.severity) +
               ",\"where\":" + JsonString(f.where) + ",\"message\":" + JsonString(f.message) +
               ",\"control\":" + std::to_string(f.control) + "}";
    }
    out += "]}";
    return out;
}

} // namespace

std::string JsonString(const std::string& utf8)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = Utf8Sequence(utf8, i);
        if (n == 0) { // not UTF-8: the replacement character, never bytes the parser would refuse
            out += "\\ufffd";
            ++i;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        // '<', '>' and '&' escaped, so that no text can end the script element that holds the data.
        if (n == 1 && (c < 0x20 || c == '"' || c == '\\' || c == '<' || c == '>' || c == '&')) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", unsigned(c));
            out += c == '"' ? "\\\"" : c == '\\' ? "\\\\" : esc;
        } else if (n == 3 && c == 0xE2 && utf8[i + 1] == '\x80' && (utf8[i + 2] == '\xA8' || utf8[i + 2] == '\xA9'))
            out += utf8[i + 2] == '\xA8' ? "\\u2028" : "\\u2029"; // line breaks to older script parsers
        else
            out.append(utf8, i, n);
        i += n;
    }
    return out + "\"";
}

std::string PngDataUri(const PixelImage& image)
{
    const int w = image.size.width, h = image.size.height;
    if (w <= 0 || h <= 0 || image.pixels.size() != static_cast<std::size_t>(w) * static_cast<std::size_t>(h))
        return "";
    // Opaque pictures as RGB; stb writes IHDR, IDAT and IEND only, so no
    // colour-space chunk lets a browser change a pixel.
    std::vector<unsigned char> rgb;
    rgb.reserve(image.pixels.size() * 3);
    for (const std::uint32_t p : image.pixels)
        rgb.insert(rgb.end(), {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                               static_cast<unsigned char>(p)});
    std::vector<unsigned char> png;
    const auto append = [](void* context, void* bytes, int size) {
        auto* sink = static_cast<std::vector<unsigned char>*>(context);
        sink->insert(sink->end(), static_cast<unsigned char*>(bytes), static_cast<unsigned char*>(bytes) + size);
    };
    if (!stbi_write_png_to_func(append, &png, w, h, 3, rgb.data(), w * 3))
        return "";
    return "data:image/png;base64," + Base64(png);
}

std::string OutlinePath(const Outline& outline)
{
    // Rows of one width stacked on each other become one rectangle, as a region's bands would.
    std::vector<SkinRect> merged;
    std::map<std::pair<std::int32_t, std::int32_t>, std::size_t> open; // (left, right) -> last rectangle there
    for (const SkinRect& r : outline) {
        if (r.right <= r.left || r.bottom <= r.top)
            continue;
        const auto key = std::make_pair(r.left, r.right);
        const auto it = open.find(key);
        if (it != open.end() && merged[it->second].bottom == r.top) {
            merged[it->second].bottom = r.bottom;
            continue;
        }
        open[key] = merged.size();
        merged.push_back(r);
    }
    std::string path;
    for (const SkinRect& r : merged)
        path += "M" + std::to_string(r.left) + " " + std::to_string(r.top) + "H" + std::to_string(r.right) + "V" +
                std::to_string(r.bottom) + "H" + std::to_string(r.left) + "Z";
    return path;
}

std::string WriteMenuPage(const PageData& data)
{
    const std::string page = reinterpret_cast<const char*>(kMenuPageTemplate);
    const std::size_t at = page.find(kDataMarker);
    if (at == std::string::npos)
        return page;
    return page.substr(0, at) + DataJson(data) + page.substr(at + sizeof kDataMarker - 1);
}

} // namespace menupage
