// The Screen pictures, and every picture a line names: that it loads, its
// @2x version, the window's outline.
#include "tools/skincheck/Rules.h"

#include "skin/MaskRuns.h"
#include "skin/SkinFile.h"

#include <algorithm>

namespace {

// A mask drawn with transparency, as for the web: the loader ignores it, so
// those pixels stay in the window in whatever colour they hold.
void CheckSeeThrough(const DiscModel& model, const PictureLoad& load, const std::string& what, std::size_t line,
                     Findings& out)
{
    const PixelImage& mask = *load.picture;
    if (load.seeThrough.size() != mask.pixels.size())
        return;
    const TransparentRange cut(kSkinCutColour, kSkinCutTolerance);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < mask.pixels.size(); ++i)
        kept += load.seeThrough[i] && !cut.Contains(mask.pixels[i]);
    if (kept)
        out.Add(model.skin, line, Severity::Warning, "screen.see-through",
                what + ": " + std::to_string(kept) +
                    " pixels are transparent in the file, but the menu ignores transparency and cuts away only magenta: "
                    "they stay in the window");
}

// An outline of too many rectangles is not given to the window at all.
void CheckOutlineSize(const DiscModel& model, const PixelImage& mask, const std::string& what, std::size_t line,
                      Findings& out)
{
    RegionRectCount rects;
    RunBuffer runs([&](const RunBatch& batch) { return rects.AddWithinLimit(batch); });
    const MaskPixels pixels{mask.pixels.data(), static_cast<std::ptrdiff_t>(mask.size.width) * 4, mask.size.width,
                            mask.size.height};
    if (!CollectMaskRuns(pixels, TransparentRange(kSkinCutColour, kSkinCutTolerance), runs))
        out.Add(model.skin, line, Severity::Warning, "screen.outline-size",
                what + ": its outline takes more than " + std::to_string(kMaxRegionRects) +
                    " rectangles, more than the menu gives a window: it stays rectangular, and a message says "
                    "that its outline could not be made");
}

// A larger picture is cut to the window (its top-left part shows); a smaller
// one leaves part of the window without it.
void CheckPictureSizes(const DiscModel& model, const ScreenPicture& mask, Findings& out)
{
    const PixelImage& shape = *mask.ref.Picture();
    for (const ScreenPicture& s : model.screen) {
        const PixelImage* picture = s.ref.Picture();
        const bool isMask = mask.written ? &s == &mask : &s == &model.screen.front();
        if (!s.written || !picture || isMask || picture->size == shape.size)
            continue;
        const bool covers = picture->size.width >= shape.size.width && picture->size.height >= shape.size.height;
        out.Add(model.skin, s.ref.line, covers ? Severity::Note : Severity::Warning, "screen.picture-size",
                std::string("the ") + s.role + " picture " + Quote(s.ref.name) + " is " +
                    Size(picture->size.width, picture->size.height) + ", but the Mask picture (the window) is " +
                    Size(shape.size.width, shape.size.height) + (covers ? ": the menu shows its top-left part" : ""));
    }
}

// Some pictures sharp at 200 % and others enlarged look mismatched side by side.
void CheckTwoXSet(const DiscModel& model, Findings& out)
{
    std::string without;
    std::size_t count = 0;
    for (const PictureRef* ref : model.twoXSet)
        if (!ref->twoX)
            without += (count++ ? ", " : "") + Quote(ref->name);
    if (count == 0 || count == model.twoXSet.size())
        return;
    out.Add(model.skin, 0, Severity::Warning, "screen.twox-set",
            std::to_string(model.twoXSet.size() - count) + " of " + std::to_string(model.twoXSet.size()) +
                " pictures have a usable @2x version, but " + without + (count == 1 ? " has" : " have") +
                " none: above 100 % display scale they are enlarged and look blurred beside the others");
}

} // namespace

void CheckPictureRef(const DiscModel& model, const PictureRef& ref, const std::string& role, Findings& out)
{
    const std::string what = role + " " + Quote(ref.name);
    if (ref.name.empty())
        return out.Add(model.skin, ref.line, Severity::Error, "screen.picture-unnamed", role + " is not named");
    if (ref.file.state == DiscFile::Outside)
        return out.Add(model.skin, ref.line, Severity::Error, "screen.picture-outside", what + " lies outside the disc folder");
    if (ref.file.state != DiscFile::Present) // pictures are never built
        return out.Add(model.skin, ref.line, Severity::Error, "screen.picture-missing", what + " is not on the disc");
    if (!ref.Picture())
        return out.Add(model.skin, ref.line, Severity::Error, "screen.picture-load",
                       what + " does not load: " + ref.load->problem);
    if (!ref.load->damage.empty())
        out.Add(model.skin, ref.line, Severity::Warning, "screen.picture-damage",
                what + (ref.load->damage.rfind("damaged:", 0) == 0 ? ": " : " loads, but ") + ref.load->damage);
    // A picture's @2x version, drawn from at display scales above 100 %: used
    // only when it loads and is exactly twice the picture's size.
    if (!ref.twoXLoad || ref.twoX)
        return;
    const PixelImage* twoX = ref.twoXLoad->picture ? &*ref.twoXLoad->picture : nullptr;
    const PixelSize oneX = ref.Picture()->size;
    const std::string problem =
        !twoX ? "does not load (" + ref.twoXLoad->problem + ")"
              : "is " + Size(twoX->size.width, twoX->size.height) + ", not twice the size of " + Quote(ref.name) +
                    " (" + Size(2 * oneX.width, 2 * oneX.height) + ")";
    out.Add(model.skin, ref.line, Severity::Warning, "screen.twox-unusable",
            role + " " + Quote(ref.twoXName) + " " + problem + ": it is ignored, and " + Quote(ref.name) +
                " is enlarged instead at display scales above 100 %");
}

// Lossy compression and careless painting leave pixels that look magenta but
// miss the cut colour: they stay in the window as specks along the outline.
void CheckMaskCuts(const DiscModel& model, const PictureLoad& mask, const std::string& what, std::size_t line,
                   Findings& out)
{
    const TransparentRange cut(kSkinCutColour, kSkinCutTolerance);
    std::size_t near = 0;
    for (std::uint32_t pixel : mask.picture->pixels) {
        const std::uint32_t r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
        if (r >= 0xE0 && b >= 0xE0 && g <= 0x30 && !cut.Contains(pixel))
            ++near;
    }
    if (near)
        out.Add(model.skin, line, Severity::Warning, "screen.near-magenta",
                what + ": " + std::to_string(near) +
                    " pixels are nearly magenta but are not cut away (that takes red and blue 255, green 0 to 16)");
    CheckSeeThrough(model, mask, what, line, out);
    CheckOutlineSize(model, *mask.picture, what, line, out);
}

// The usable @2x version of a mask cuts as carefully as the mask; it is found
// by the name under which its picture was first named.
void CheckTwoXMask(const DiscModel& model, const PictureRef& mask, const std::string& role, Findings& out)
{
    const auto first = std::find_if(model.twoXSet.begin(), model.twoXSet.end(),
                                    [&](const PictureRef* r) { return r->name == mask.name; });
    if (first != model.twoXSet.end() && (*first)->twoX)
        CheckMaskCuts(model, *(*first)->twoXLoad, role + " " + Quote(TwoXPictureName(mask.name)), mask.line, out);
}

void CheckScreen(const DiscModel& model, Findings& out)
{
    if (!model.skin.Present())
        return;
    if (model.screen.empty())
        out.Add(model.skin, 0, Severity::Error, "screen.no-section", "no [Screen] section: the window has no pictures");
    for (const ScreenPicture& s : model.screen)
        if (s.written)
            CheckPictureRef(model, s.ref, std::string("the ") + s.role + " picture", out);
    const ScreenPicture* mask = model.Screen("Mask");
    if (mask && mask->ref.Picture()) {
        CheckPictureSizes(model, *mask, out);
        const std::string what = "the Mask picture " + Quote(mask->ref.name);
        if (!model.outline.any)
            out.Add(model.skin, mask->ref.line, Severity::Error, "screen.mask-cuts-all",
                    what + " is magenta everywhere: the window shows nothing");
        else
            CheckMaskCuts(model, *mask->ref.load, what, mask->ref.line, out);
        CheckTwoXMask(model, mask->ref, "the Mask picture", out);
    }
    CheckTwoXSet(model, out);
}
