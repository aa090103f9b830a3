#pragma once
// A small antialiased painter for the demo art: shapes given by their signed
// distance (negative inside), filled with a paint function, and text set with
// stb_truetype. Colours are sRGB components from 0 to 1.
#include <stb_truetype.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct Color {
    float r = 0, g = 0, b = 0;
};

Color Hex(std::uint32_t rgb);
Color Mix(Color a, Color b, float t);
// The 0x00BBGGRR value that Windows takes for this colour.
std::uint32_t ColorRef(Color c);

struct Box {
    float x = 0, y = 0, w = 0, h = 0;
    float Right() const { return x + w; }
    float Bottom() const { return y + h; }
    float CenterX() const { return x + w / 2; }
    float CenterY() const { return y + h / 2; }
    Box Inset(float d) const { return {x + d, y + d, w - 2 * d, h - 2 * d}; }
    Box Moved(float dx, float dy) const { return {x + dx, y + dy, w, h}; }
};

using Sdf = std::function<float(float x, float y)>;
using Paint = std::function<Color(float x, float y)>;

float SdRoundBox(float x, float y, const Box& b, float radius);
float SdCircle(float x, float y, float cx, float cy, float r);
// Distance to a line segment (unsigned): stroke it by subtracting half a width.
float DistSegment(float x, float y, float ax, float ay, float bx, float by);
// Approximate distance to an ellipse's outline (unsigned).
float DistEllipse(float x, float y, float cx, float cy, float rx, float ry);

Paint Solid(Color c);
Paint VerticalGradient(float y0, float y1, Color top, Color bottom);
Paint DiagonalGradient(const Box& b, Color from, Color to); // top-left to bottom-right

class Font {
public:
    explicit Font(const std::string& path);
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Width of the text at `px` pixels per em, with `tracking` extra pixels between letters.
    float Measure(const std::string& utf8, float px, float tracking = 0) const;
    bool HasGlyph(std::uint32_t codepoint) const;
    const stbtt_fontinfo& Info() const { return m_info; }

private:
    std::vector<unsigned char> m_data;
    stbtt_fontinfo m_info{};
};

// Shapes, text and the clip rectangle are given in design units, which are
// `scale` pixels each: the same drawing code paints a picture at 1x and at 2x.
// Width, Height, At and Blend work in pixels.
class Canvas {
public:
    Canvas(int width, int height, Color fill, int scale = 1);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Scale() const { return m_scale; }
    Color At(int x, int y) const { return m_pixels[Index(x, y)]; }

    // Drawing reaches only inside the clip rectangle (the whole canvas by default).
    void SetClip(int x, int y, int w, int h);
    void ResetClip();

    void Blend(int x, int y, Color c, float alpha);
    // Paints every pixel of `bounds` by how much of it lies inside the shape.
    void Fill(const Box& bounds, const Sdf& shape, const Paint& paint, float alpha = 1);
    // Strokes a centre line given by its (unsigned) distance function.
    void Stroke(const Box& bounds, const Sdf& distance, float width, const Paint& paint, float alpha = 1);
    // Draws text with its left end at x and its baseline at y; returns the end x.
    float Text(const Font& font, float px, float x, float y, const std::string& utf8, Color color,
               float tracking = 0);

    std::vector<std::uint8_t> Rgb8() const;

private:
    std::size_t Index(int x, int y) const { return static_cast<std::size_t>(y) * m_width + x; }

    int m_width;
    int m_height;
    int m_scale;
    int m_clipLeft = 0, m_clipTop = 0, m_clipRight = 0, m_clipBottom = 0;
    std::vector<Color> m_pixels;
};

// Code points of a UTF-8 text (the tool's own strings only).
std::vector<std::uint32_t> DecodeUtf8(const std::string& text);
