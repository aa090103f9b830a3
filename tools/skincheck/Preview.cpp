#include "tools/skincheck/Preview.h"

#include <stb_easy_font.h>
#include <stb_image_write.h>

#include <algorithm>

namespace {

// Where the window shows no picture, the dialog's face colour shows.
constexpr std::uint32_t kDialogFace = 0xF0F0F0;
constexpr std::uint32_t kLabelBacking = 0x202020;

// stb_easy_font has letters for printable ASCII only, and reads out of its
// tables for anything else.
std::string Printable(std::string text)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126)
            c = '?';
    return text;
}

class Canvas {
public:
    explicit Canvas(PixelImage& image) : m_image(image) {}

    // Opaque.
    void Put(int x, int y, std::uint32_t rgb)
    {
        if (x < 0 || y < 0 || x >= m_image.size.width || y >= m_image.size.height)
            return;
        m_image.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_image.size.width) +
                       static_cast<std::size_t>(x)] = 0xFF000000 | (rgb & 0xFFFFFF);
    }
    void Fill(int left, int top, int right, int bottom, std::uint32_t rgb)
    {
        left = std::max(left, 0);
        top = std::max(top, 0);
        right = std::min(right, m_image.size.width);
        bottom = std::min(bottom, m_image.size.height);
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                Put(x, y, rgb);
    }
    void Outline(const SkinRect& r, std::uint32_t rgb)
    {
        Fill(r.left, r.top, r.right, r.top + 1, rgb);
        Fill(r.left, r.bottom - 1, r.right, r.bottom, rgb);
        Fill(r.left, r.top, r.left + 1, r.bottom, rgb);
        Fill(r.right - 1, r.top, r.right, r.bottom, rgb);
    }
    // stb_easy_font builds its letters from quads of whole pixels; `text` is Printable.
    void Text(int x, int y, std::string text, std::uint32_t rgb)
    {
        std::vector<char> quads(text.size() * 320 + 64);
        const int count = stb_easy_font_print(static_cast<float>(x), static_cast<float>(y), text.data(), nullptr,
                                              quads.data(), static_cast<int>(quads.size()));
        for (int q = 0; q < count; ++q) {
            const float* v0 = reinterpret_cast<const float*>(quads.data() + q * 64);
            const float* v2 = reinterpret_cast<const float*>(quads.data() + q * 64 + 32);
            Fill(static_cast<int>(v0[0]), static_cast<int>(v0[1]), static_cast<int>(v2[0]), static_cast<int>(v2[1]),
                 rgb);
        }
    }

private:
    PixelImage& m_image;
};

// A control's rectangle brought near the picture, so that drawing around it cannot overflow.
SkinRect NearPicture(const SkinRect& r, int width, int height)
{
    const auto near = [](std::int32_t v, int limit) { return std::clamp<std::int32_t>(v, -16, limit + 16); };
    return SkinRect{near(r.left, width), near(r.top, height), near(r.right, width), near(r.bottom, height)};
}

bool Within(std::int64_t v, std::int64_t low, std::int64_t high) { return v >= low && v < high; }

// The thumb lies against the channel's top (or left) edge and moves with the
// position along the control; Windows' exact thumb travel differs by a
// few pixels.
void DrawThumb(PixelImage& image, const WindowOutline& window, const ModelControl& c, const SkinRect& rect,
               const PixelImage& thumb)
{
    const std::int64_t travelX = c.horizontal ? std::int64_t(rect.Width()) - thumb.size.width : 0;
    const std::int64_t travelY = c.horizontal ? 0 : std::int64_t(rect.Height()) - thumb.size.height;
    const std::int64_t left = rect.left + travelX * c.position / 100;
    const std::int64_t top = rect.top + travelY * c.position / 100;
    Canvas canvas(image);
    for (int y = 0; y < thumb.size.height; ++y)
        for (int x = 0; x < thumb.size.width; ++x) {
            const std::int64_t wx = left + x, wy = top + y;
            if (Within(wx, rect.left, rect.right) && Within(wy, rect.top, rect.bottom) &&
                window.Inside(static_cast<int>(wx), static_cast<int>(wy)))
                canvas.Put(static_cast<int>(wx), static_cast<int>(wy), thumb.At(x, y));
        }
}

bool Overlap(const SkinRect& a, const SkinRect& b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Where a name of w x h pixels goes: inside the control's top-left corner when
// the control is tall enough, else above, below, right or left of it; the
// first place that stays in the picture and clear of the names placed so far.
SkinRect PlaceName(const SkinRect& r, int w, int h, const PixelImage& image, const std::vector<SkinRect>& placed)
{
    std::vector<SkinRect> candidates;
    if (r.Height() >= h + 2)
        candidates.push_back({r.left + 1, r.top + 1, r.left + 1 + w, r.top + 1 + h});
    candidates.push_back({r.left, r.top - h, r.left + w, r.top});
    candidates.push_back({r.left, r.bottom, r.left + w, r.bottom + h});
    candidates.push_back({r.right + 1, r.top, r.right + 1 + w, r.top + h});
    candidates.push_back({r.left - 1 - w, r.top, r.left - 1, r.top + h});
    const auto fits = [&](const SkinRect& c) {
        return c.left >= 0 && c.top >= 0 && c.right <= image.size.width && c.bottom <= image.size.height;
    };
    for (const auto& c : candidates)
        if (fits(c) && std::none_of(placed.begin(), placed.end(), [&](const SkinRect& p) { return Overlap(c, p); }))
            return c;
    for (const auto& c : candidates)
        if (fits(c))
            return c;
    return candidates.front();
}

// Outlines first, then the names, so that no outline crosses a name.
void DrawOutlines(PixelImage& image, const DiscModel& model)
{
    const int width = image.size.width, height = image.size.height;
    Canvas canvas(image);
    for (std::size_t i = 0; i < model.controls.size(); ++i)
        canvas.Outline(NearPicture(model.scaled.rects[i], width, height), model.controls[i].kind->previewColour);
    std::vector<SkinRect> placed;
    for (std::size_t i = 0; i < model.controls.size(); ++i) {
        const SkinRect r = NearPicture(model.scaled.rects[i], width, height);
        const std::string name = Printable(model.controls[i].Name().substr(0, 48));
        const int w = stb_easy_font_width(const_cast<char*>(name.c_str())) + 3, h = 10;
        const SkinRect box = PlaceName(r, w, h, image, placed);
        placed.push_back(box);
        canvas.Fill(box.left, box.top, box.right, box.bottom, kLabelBacking);
        canvas.Text(box.left + 2, box.top + 1, name, model.controls[i].kind->previewColour);
    }
}

} // namespace

PixelImage RenderPreview(const DiscModel& model)
{
    const ScaledWindow& window = model.scaled;
    const WindowOutline& outline = window.outline;
    PixelImage image;
    if (outline.width <= 0 || outline.height <= 0)
        return image;
    image.size = {outline.width, outline.height};
    image.pixels.assign(static_cast<std::size_t>(outline.width) * static_cast<std::size_t>(outline.height), 0);
    Canvas canvas(image);
    for (int y = 0; y < outline.height; ++y)
        for (int x = 0; x < outline.width; ++x) {
            if (!outline.Inside(x, y))
                continue;
            const bool drawn = window.main && x < window.main->size.width && y < window.main->size.height;
            canvas.Put(x, y, drawn ? window.main->At(x, y) : kDialogFace);
        }
    for (std::size_t i = 0; i < model.controls.size(); ++i) {
        const SkinRect& rect = window.rects[i];
        if (window.thumbs[i] && rect.Width() > 0 && rect.Height() > 0)
            DrawThumb(image, outline, model.controls[i], rect, *window.thumbs[i]);
    }
    DrawOutlines(image, model);
    return image;
}

bool WritePng(const std::string& path, const PixelImage& image)
{
    if (image.size.width <= 0 || image.size.height <= 0)
        return false;
    std::vector<std::uint8_t> rgba;
    rgba.reserve(image.pixels.size() * 4);
    for (std::uint32_t p : image.pixels)
        rgba.insert(rgba.end(), {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                                 static_cast<std::uint8_t>(p), static_cast<std::uint8_t>(p >> 24)});
    return stbi_write_png(path.c_str(), image.size.width, image.size.height, 4, rgba.data(), image.size.width * 4) != 0;
}
