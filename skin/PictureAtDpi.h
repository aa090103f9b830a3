#pragma once
// A skin picture at a DPI: which file it is drawn from (the @2x one when it is
// usable) and at what size, then its pixels at that size. The menu and
// skincheck follow the same plan; the menu decodes with the system's loader
// (PictureAtDpiWin32.h), skincheck and the tests with their own decoders.
#include "skin/DisplayScale.h"

#include <functional>
#include <optional>
#include <string>

// Colour pictures are filtered smoothly; masks take the nearest pixel, so that
// the cut colour still cuts exactly.
enum class PictureUse { Colour, Mask };

// A scaled picture beyond this many pixels is taken as one that does not load:
// a huge DPI or picture must not exhaust memory.
inline constexpr std::int64_t kMaxScaledPixels = std::int64_t(64) << 20;

struct DpiPlan {
    int dpi = kBaseDpi;
    TwoXVerdict verdict = TwoXVerdict::NotUsed;
    int sourceScale = 1; // 2: drawn from the @2x picture
    PixelSize target;    // 0 × 0: nothing to draw (no picture, or too large)
    bool asItIs = false; // the source is used pixel for pixel

    bool Loads() const { return target.width > 0 && target.height > 0; }
};

// The plan for a picture whose 1x version is `oneX` pixels and whose @2x
// version, when one loaded, is `*twoX`. A DPI below 1 counts as 96.
DpiPlan PlanPicture(int dpi, PixelSize oneX, const PixelSize* twoX);

// The plan's source at the plan's size; empty when the plan does not load or
// the source is not the size the plan was made for.
PixelImage ScaleByPlan(const PixelImage& source, const DpiPlan& plan, PictureUse use);

// Decoded pixels of a picture file, by path; nothing when it does not load.
using PixelLoader = std::function<std::optional<PixelImage>(const std::string& path)>;

struct PictureAtDpiResult {
    PixelImage image; // empty when no picture loads
    DpiPlan plan;
};

// The picture `oneXPath` at `dpi`: its @2x version beside it (asked for above
// 96 DPI only) when that is exactly twice its size, else itself; resampled to
// the target size unless that is the source's own.
PictureAtDpiResult PictureAtDpi(const std::string& oneXPath, int dpi, PictureUse use, const PixelLoader& load);
