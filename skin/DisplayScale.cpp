#include "skin/DisplayScale.h"

#include <algorithm>
#include <cstdlib>

// The packaged single-file resizer, compiled once outside our warnings
// (ImageResize.c); each byte of a pixel is filtered on its own.
extern "C" int ak_resize_pixels(const unsigned char* in, int inWidth, int inHeight, unsigned char* out,
                                int outWidth, int outHeight, int areaAverage);

namespace {

// round(num / den) for den > 0, halves away from zero.
std::int64_t RoundDiv(std::int64_t num, std::int64_t den)
{
    std::int64_t q = (2 * std::llabs(num) + den) / (2 * den);
    return num < 0 ? -q : q;
}

std::int32_t Saturate(std::int64_t v)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

bool SameScale(int dpi, int sourceScale)
{
    return dpi == kBaseDpi * sourceScale;
}

} // namespace

std::int32_t ScaleLength(std::int32_t value, int dpi, int sourceScale)
{
    return Saturate(RoundDiv(std::int64_t{value} * dpi, std::int64_t{kBaseDpi} * sourceScale));
}

SkinRect ScaleRect(const SkinRect& rect, int dpi)
{
    // A far edge that saturated can end up more than the largest width from
    // the near one, which the width sums of its users would overflow on; it
    // stops there, as the unscaled rectangle's edges do.
    const auto farEdge = [](std::int32_t nearEdge, std::int32_t edge) {
        return Saturate(std::clamp<std::int64_t>(edge, std::int64_t{nearEdge} + INT32_MIN,
                                                 std::int64_t{nearEdge} + INT32_MAX));
    };
    const std::int32_t left = ScaleLength(rect.left, dpi), top = ScaleLength(rect.top, dpi);
    return {left, top, farEdge(left, ScaleLength(rect.right, dpi)), farEdge(top, ScaleLength(rect.bottom, dpi))};
}

std::int32_t ScaleFontHeight(std::int32_t height, int dpi)
{
    return ScaleLength(height, dpi); // rounding away from zero keeps the sign symmetric
}

std::string TwoXPictureName(const std::string& name)
{
    std::size_t dot = name.find_last_of('.');
    std::size_t slash = name.find_last_of("\\/");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return name + "@2x";
    return name.substr(0, dot) + "@2x" + name.substr(dot);
}

TwoXVerdict JudgeTwoX(int dpi, PixelSize oneX, const PixelSize* twoX)
{
    if (dpi <= kBaseDpi)
        return TwoXVerdict::NotUsed;
    if (!twoX)
        return TwoXVerdict::Missing;
    if (std::int64_t{twoX->width} != 2 * std::int64_t{oneX.width} ||
        std::int64_t{twoX->height} != 2 * std::int64_t{oneX.height})
        return TwoXVerdict::WrongSize;
    return TwoXVerdict::Used;
}

PixelSize TargetSize(PixelSize source, int dpi, int sourceScale)
{
    return {ScaleLength(source.width, dpi, sourceScale), ScaleLength(source.height, dpi, sourceScale)};
}

// The picture at the target size, filled by `fill(source, target)`, which
// says whether it could; the source itself at the same scale, and nothing when
// there is nothing to scale.
template <typename Fill>
PixelImage Scaled(const PixelImage& source, int dpi, int sourceScale, Fill fill)
{
    if (SameScale(dpi, sourceScale))
        return source;
    PixelImage out;
    out.size = TargetSize(source.size, dpi, sourceScale);
    if (out.size.width <= 0 || out.size.height <= 0 || source.size.width <= 0 || source.size.height <= 0 ||
        !fill(source, out))
        return {};
    return out;
}

PixelImage ScaleMask(const PixelImage& source, int dpi, int sourceScale)
{
    return Scaled(source, dpi, sourceScale, [dpi, sourceScale](const PixelImage& from, PixelImage& out) {
        // floor((t + ½)·q) with q = 96·sourceScale / dpi, in integers.
        const std::int64_t num = std::int64_t{kBaseDpi} * sourceScale, den = 2 * std::int64_t{dpi};
        auto pick = [&](std::int32_t t, std::int32_t limit) {
            return static_cast<std::size_t>(
                std::min<std::int64_t>((2 * std::int64_t{t} + 1) * num / den, limit - 1));
        };
        std::vector<std::size_t> columns(static_cast<std::size_t>(out.size.width));
        for (std::int32_t x = 0; x < out.size.width; ++x)
            columns[static_cast<std::size_t>(x)] = pick(x, from.size.width);
        out.pixels.reserve(columns.size() * static_cast<std::size_t>(out.size.height));
        const auto fromWidth = static_cast<std::size_t>(from.size.width);
        for (std::int32_t y = 0; y < out.size.height; ++y) {
            const std::uint32_t* row = from.pixels.data() + pick(y, from.size.height) * fromWidth;
            for (std::size_t column : columns)
                out.pixels.push_back(row[column]);
        }
        return true;
    });
}

PixelImage ScalePicture(const PixelImage& source, int dpi, int sourceScale)
{
    const bool shrink = dpi < kBaseDpi * sourceScale;
    return Scaled(source, dpi, sourceScale, [shrink](const PixelImage& from, PixelImage& out) {
        out.pixels.resize(static_cast<std::size_t>(out.size.width) * static_cast<std::size_t>(out.size.height));
        return ak_resize_pixels(reinterpret_cast<const unsigned char*>(from.pixels.data()), from.size.width,
                                from.size.height, reinterpret_cast<unsigned char*>(out.pixels.data()),
                                out.size.width, out.size.height, shrink) != 0;
    });
}
