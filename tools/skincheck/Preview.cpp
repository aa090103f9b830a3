#include "tools/skincheck/Preview.h"

#include <stb_easy_font.h>
#include <stb_image_write.h>

#include <algorithm>

namespace {

// Where the window shows no picture, the dialog's face colour shows.
constexpr std::uint32_t kDialogFace = 0xF0F0F0;
constexpr std::uint32_t kLabelBacking = 0x202020;

// One colour per control kind, in the order of ControlKinds().
std::uint32_t KindColour(const ControlKind* kind)
{
    static const std::uint32_t colours[] = {0x39FF14, 0x00E5FF, 0xFFD600, 0xFF8C00, 0x9D7BFF};
    const auto& kinds = ControlKinds();
    for (std::size_t i = 0; i < kinds.size() && i < std::size(colours); ++i)
        if (&kinds[i] == kind)
            return colours[i];
    return 0xFFFFFF;
}

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
    explicit Canvas(PreviewImage& image) : m_image(image) {}

    void Put(int x, int y, std::uint32_t rgb, std::uint8_t alpha = 255)
    {
        if (x < 0 || y < 0 || x >= m_image.width || y >= m_image.height)
            return;
        std::uint8_t* p = &m_image.rgba[(static_cast<std::size_t>(y) * static_cast<std::size_t>(m_image.width) +
                                         static_cast<std::size_t>(x)) * 4];
        p[0] = static_cast<std::uint8_t>(rgb >> 16);
        p[1] = static_cast<std::uint8_t>(rgb >> 8);
        p[2] = static_cast<std::uint8_t>(rgb);
        p[3] = alpha;
    }
    void Fill(int left, int top, int right, int bottom, std::uint32_t rgb)
    {
        left = std::max(left, 0);
        top = std::max(top, 0);
        right = std::min(right, m_image.width);
        bottom = std::min(bottom, m_image.height);
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
    PreviewImage& m_image;
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
void DrawThumb(PreviewImage& image, const WindowLayout& window, const WindowLayout::Control& c)
{
    const Picture& thumb = *c.thumb;
    const std::int64_t travelX = c.horizontal ? std::int64_t(c.rect.Width()) - thumb.width : 0;
    const std::int64_t travelY = c.horizontal ? 0 : std::int64_t(c.rect.Height()) - thumb.height;
    const std::int64_t left = c.rect.left + travelX * c.position / 100;
    const std::int64_t top = c.rect.top + travelY * c.position / 100;
    Canvas canvas(image);
    for (int y = 0; y < thumb.height; ++y)
        for (int x = 0; x < thumb.width; ++x) {
            const std::int64_t wx = left + x, wy = top + y;
            if (Within(wx, c.rect.left, c.rect.right) && Within(wy, c.rect.top, c.rect.bottom) &&
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
SkinRect PlaceName(const SkinRect& r, int w, int h, const PreviewImage& image, const std::vector<SkinRect>& placed)
{
    std::vector<SkinRect> candidates;
    if (r.Height() >= h + 2)
        candidates.push_back({r.left + 1, r.top + 1, r.left + 1 + w, r.top + 1 + h});
    candidates.push_back({r.left, r.top - h, r.left + w, r.top});
    candidates.push_back({r.left, r.bottom, r.left + w, r.bottom + h});
    candidates.push_back({r.right + 1, r.top, r.right + 1 + w, r.top + h});
    candidates.push_back({r.left - 1 - w, r.top, r.left - 1, r.top + h});
    const auto fits = [&](const SkinRect& c) {
        return c.left >= 0 && c.top >= 0 && c.right <= image.width && c.bottom <= image.height;
    };
    for (const auto& c : candidates)
        if (fits(c) && std::none_of(placed.begin(), placed.end(), [&](const SkinRect& p) { return Overlap(c, p); }))
            return c;
    for (const auto& c : candidates)
        if (fits(c))
            return c;
    return candidates.front();
}

} // namespace

std::uint32_t PreviewImage::At(int x, int y) const
{
    const std::uint8_t* p =
        &rgba[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4];
    return (std::uint32_t(p[3]) << 24) | (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2];
}

PreviewImage RenderPreview(const WindowLayout& window)
{
    PreviewImage image;
    if (window.width <= 0 || window.height <= 0)
        return image;
    image.width = window.width;
    image.height = window.height;
    image.rgba.assign(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4, 0);
    Canvas canvas(image);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            if (!window.Inside(x, y))
                continue;
            const bool drawn = window.main && x < window.main->width && y < window.main->height;
            canvas.Put(x, y, drawn ? window.main->At(x, y) : kDialogFace);
        }
    for (const auto& c : window.controls)
        if (c.thumb && c.rect.Width() > 0 && c.rect.Height() > 0)
            DrawThumb(image, window, c);

    // Outlines first, then the names, so that no outline crosses a name.
    for (const auto& c : window.controls)
        canvas.Outline(NearPicture(c.rect, image.width, image.height), KindColour(c.kind));
    std::vector<SkinRect> placed;
    for (const auto& c : window.controls) {
        const SkinRect r = NearPicture(c.rect, image.width, image.height);
        const std::string name = Printable(c.name.substr(0, 48));
        const int w = stb_easy_font_width(const_cast<char*>(name.c_str())) + 3, h = 10;
        const SkinRect box = PlaceName(r, w, h, image, placed);
        placed.push_back(box);
        canvas.Fill(box.left, box.top, box.right, box.bottom, kLabelBacking);
        canvas.Text(box.left + 2, box.top + 1, name, KindColour(c.kind));
    }
    return image;
}

bool WritePng(const std::string& path, const PreviewImage& image)
{
    if (image.width <= 0 || image.height <= 0)
        return false;
    return stbi_write_png(path.c_str(), image.width, image.height, 4, image.rgba.data(), image.width * 4) != 0;
}
