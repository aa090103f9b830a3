#include "tools/Canvas.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

Color Hex(std::uint32_t rgb)
{
    return {static_cast<float>((rgb >> 16) & 0xFF) / 255.0f, static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
            static_cast<float>(rgb & 0xFF) / 255.0f};
}

Color Mix(Color a, Color b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

namespace {

std::uint8_t Byte(float v)
{
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

} // namespace

std::uint32_t ColorRef(Color c)
{
    return Byte(c.r) | (static_cast<std::uint32_t>(Byte(c.g)) << 8) | (static_cast<std::uint32_t>(Byte(c.b)) << 16);
}

float SdRoundBox(float x, float y, const Box& b, float radius)
{
    const float qx = std::fabs(x - b.CenterX()) - (b.w / 2 - radius);
    const float qy = std::fabs(y - b.CenterY()) - (b.h / 2 - radius);
    const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
    return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

float SdCircle(float x, float y, float cx, float cy, float r) { return std::hypot(x - cx, y - cy) - r; }

float DistSegment(float x, float y, float ax, float ay, float bx, float by)
{
    const float px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
    const float len2 = dx * dx + dy * dy;
    const float t = len2 > 0 ? Clamp01((px * dx + py * dy) / len2) : 0.0f;
    return std::hypot(px - dx * t, py - dy * t);
}

float DistEllipse(float x, float y, float cx, float cy, float rx, float ry)
{
    const float px = x - cx, py = y - cy;
    const float k0 = std::hypot(px / rx, py / ry);
    const float k1 = std::hypot(px / (rx * rx), py / (ry * ry));
    if (k1 == 0)
        return std::min(rx, ry);
    return std::fabs(k0 * (k0 - 1.0f) / k1);
}

Paint Solid(Color c)
{
    return [c](float, float) { return c; };
}

Paint VerticalGradient(float y0, float y1, Color top, Color bottom)
{
    return [=](float, float y) { return Mix(top, bottom, Clamp01((y - y0) / (y1 - y0))); };
}

Paint DiagonalGradient(const Box& b, Color from, Color to)
{
    return [=](float x, float y) { return Mix(from, to, Clamp01(((x - b.x) + (y - b.y)) / (b.w + b.h))); };
}

// ---- fonts ---------------------------------------------------------------

std::vector<std::uint32_t> DecodeUtf8(const std::string& text)
{
    std::vector<std::uint32_t> out;
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        int extra = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
        std::uint32_t cp = extra == 0 ? b : b & (0x3Fu >> extra);
        ++i;
        for (; extra > 0 && i < text.size(); --extra, ++i)
            cp = (cp << 6) | (static_cast<unsigned char>(text[i]) & 0x3Fu);
        out.push_back(cp);
    }
    return out;
}

Font::Font(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : 0;
    m_data.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
    in.seekg(0);
    if (m_data.empty() || !in.read(reinterpret_cast<char*>(m_data.data()), size) || !stbtt_InitFont(&m_info, m_data.data(), stbtt_GetFontOffsetForIndex(m_data.data(), 0)))
        throw std::runtime_error("cannot read the font " + path);
}

bool Font::HasGlyph(std::uint32_t codepoint) const
{
    return stbtt_FindGlyphIndex(&m_info, static_cast<int>(codepoint)) != 0;
}

float Font::Measure(const std::string& utf8, float px, float tracking) const
{
    const float scale = stbtt_ScaleForMappingEmToPixels(&m_info, px);
    const auto cps = DecodeUtf8(utf8);
    float x = 0;
    for (std::size_t i = 0; i < cps.size(); ++i) {
        int advance = 0, bearing = 0;
        stbtt_GetCodepointHMetrics(&m_info, static_cast<int>(cps[i]), &advance, &bearing);
        x += static_cast<float>(advance) * scale;
        if (i + 1 < cps.size())
            x += static_cast<float>(stbtt_GetCodepointKernAdvance(&m_info, static_cast<int>(cps[i]),
                                                                  static_cast<int>(cps[i + 1]))) * scale +
                 tracking;
    }
    return x;
}

// ---- canvas --------------------------------------------------------------

Canvas::Canvas(int width, int height, Color fill, int scale)
    : m_width(width), m_height(height), m_scale(scale), m_pixels(static_cast<std::size_t>(width) * height, fill)
{
    ResetClip();
}

void Canvas::SetClip(int x, int y, int w, int h)
{
    x *= m_scale;
    y *= m_scale;
    m_clipLeft = std::max(x, 0);
    m_clipTop = std::max(y, 0);
    m_clipRight = std::min(x + w * m_scale, m_width);
    m_clipBottom = std::min(y + h * m_scale, m_height);
}

void Canvas::ResetClip()
{
    m_clipLeft = m_clipTop = 0;
    m_clipRight = m_width;
    m_clipBottom = m_height;
}

void Canvas::Blend(int x, int y, Color c, float alpha)
{
    if (x < m_clipLeft || y < m_clipTop || x >= m_clipRight || y >= m_clipBottom || alpha <= 0)
        return;
    Color& p = m_pixels[Index(x, y)];
    p = Mix(p, c, std::min(alpha, 1.0f));
}

void Canvas::Fill(const Box& bounds, const Sdf& shape, const Paint& paint, float alpha)
{
    // Shapes are sampled at pixel centres in design units; their distances,
    // in design units too, become pixels again for the coverage.
    const float s = static_cast<float>(m_scale);
    const int x0 = static_cast<int>(std::floor(bounds.x * s)) - 1, y0 = static_cast<int>(std::floor(bounds.y * s)) - 1;
    const int x1 = static_cast<int>(std::ceil(bounds.Right() * s)) + 1;
    const int y1 = static_cast<int>(std::ceil(bounds.Bottom() * s)) + 1;
    for (int y = std::max(y0, m_clipTop); y < std::min(y1, m_clipBottom); ++y)
        for (int x = std::max(x0, m_clipLeft); x < std::min(x1, m_clipRight); ++x) {
            const float cx = (static_cast<float>(x) + 0.5f) / s, cy = (static_cast<float>(y) + 0.5f) / s;
            const float coverage = Clamp01(0.5f - shape(cx, cy) * s);
            if (coverage > 0)
                Blend(x, y, paint(cx, cy), coverage * alpha);
        }
}

void Canvas::Stroke(const Box& bounds, const Sdf& distance, float width, const Paint& paint, float alpha)
{
    const float half = width / 2;
    Fill(bounds.Inset(-half), [&](float x, float y) { return distance(x, y) - half; }, paint, alpha);
}

float Canvas::Text(const Font& font, float px, float x, float y, const std::string& utf8, Color color,
                   float tracking)
{
    const float s = static_cast<float>(m_scale);
    px *= s;
    x *= s;
    y *= s;
    tracking *= s;
    const stbtt_fontinfo& info = font.Info();
    const float scale = stbtt_ScaleForMappingEmToPixels(&info, px);
    const auto cps = DecodeUtf8(utf8);
    const int baseline = static_cast<int>(std::lround(y));
    std::vector<unsigned char> glyph;
    for (std::size_t i = 0; i < cps.size(); ++i) {
        const int cp = static_cast<int>(cps[i]);
        const float left = std::floor(x);
        const float shift = x - left;
        int bx0 = 0, by0 = 0, bx1 = 0, by1 = 0;
        stbtt_GetCodepointBitmapBoxSubpixel(&info, cp, scale, scale, shift, 0, &bx0, &by0, &bx1, &by1);
        const int gw = bx1 - bx0, gh = by1 - by0;
        if (gw > 0 && gh > 0) {
            glyph.assign(static_cast<std::size_t>(gw) * gh, 0);
            stbtt_MakeCodepointBitmapSubpixel(&info, glyph.data(), gw, gh, gw, scale, scale, shift, 0, cp);
            for (int gy = 0; gy < gh; ++gy)
                for (int gx = 0; gx < gw; ++gx) {
                    const float a = static_cast<float>(glyph[static_cast<std::size_t>(gy) * gw + gx]) / 255.0f;
                    // A slight lift of partial coverage keeps small light text on
                    // dark ground from looking thin (blending is in sRGB).
                    Blend(static_cast<int>(left) + bx0 + gx, baseline + by0 + gy, color, std::pow(a, 0.8f));
                }
        }
        int advance = 0, bearing = 0;
        stbtt_GetCodepointHMetrics(&info, cp, &advance, &bearing);
        x += static_cast<float>(advance) * scale;
        if (i + 1 < cps.size())
            x += static_cast<float>(stbtt_GetCodepointKernAdvance(&info, cp, static_cast<int>(cps[i + 1]))) * scale +
                 tracking;
    }
    return x / s;
}

std::vector<std::uint8_t> Canvas::Rgb8() const
{
    std::vector<std::uint8_t> out;
    out.reserve(m_pixels.size() * 3);
    for (const Color& c : m_pixels) {
        out.push_back(Byte(c.r));
        out.push_back(Byte(c.g));
        out.push_back(Byte(c.b));
    }
    return out;
}
