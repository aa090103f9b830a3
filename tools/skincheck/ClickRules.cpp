// Who gets the clicks: controls made earlier lie above later ones (a child
// window joins its siblings at the bottom), and a click goes to the top one
// under the pointer, so a control under earlier ones never gets the clicks
// there. A ButtonEx takes clicks only inside its own outline. Labels do
// nothing when clicked, so only what lies under them matters.
#include "tools/skincheck/Rules.h"

#include "skin/MaskRuns.h"

#include <algorithm>
#include <set>

namespace {

struct Cover {
    std::size_t clickable = 0, covered = 0;
    std::set<int> above; // the controls over it
};

// Marks the clickable pixels of control `i` in `top` (the top control of each
// window pixel, -1 for none) and counts those that an earlier one holds.
Cover Claim(const WindowOutline& window, const ModelControl& c, int i, std::vector<int>& top)
{
    const TransparentRange cut(kSkinCutColour, kSkinCutTolerance);
    const SkinRect& r = c.fields.rect;
    const std::int64_t left = std::max<std::int64_t>(r.left, 0), top0 = std::max<std::int64_t>(r.top, 0);
    const std::int64_t right = std::min<std::int64_t>(r.right, window.width);
    const std::int64_t bottom = std::min<std::int64_t>(r.bottom, window.height);
    Cover cover;
    for (std::int64_t y = top0; y < bottom; ++y)
        for (std::int64_t x = left; x < right; ++x) {
            if (!window.Inside(static_cast<int>(x), static_cast<int>(y)))
                continue;
            if (c.ownMask) {
                const std::int64_t mx = x - r.left, my = y - r.top;
                if (mx >= c.ownMask->size.width || my >= c.ownMask->size.height ||
                    cut.Contains(c.ownMask->At(static_cast<int>(mx), static_cast<int>(my))))
                    continue;
            }
            ++cover.clickable;
            int& owner = top[static_cast<std::size_t>(y) * static_cast<std::size_t>(window.width) +
                             static_cast<std::size_t>(x)];
            if (owner < 0) {
                owner = i;
            } else {
                ++cover.covered;
                cover.above.insert(owner);
            }
        }
    return cover;
}

void CheckCovered(const DiscModel& model, Findings& out)
{
    const WindowOutline& window = model.outline;
    if (window.width == 0)
        return;
    std::vector<int> top(static_cast<std::size_t>(window.width) * static_cast<std::size_t>(window.height), -1);
    for (std::size_t i = 0; i < model.controls.size(); ++i) {
        const ModelControl& c = model.controls[i];
        const Cover cover = Claim(window, c, static_cast<int>(i), top);
        if (!cover.covered || c.Is(ControlKindId::TextLabel))
            continue;
        std::vector<std::string> names;
        for (int a : cover.above) {
            const ModelControl& over = model.controls[static_cast<std::size_t>(a)];
            names.push_back(Subject(over) + " (line " + std::to_string(over.line) + ")");
        }
        const std::string under = JoinFields(names) + ", made before it,";
        if (cover.covered == cover.clickable)
            out.Add(model.skin, c.line, Severity::Error, "click.covered",
                    Subject(c) + ": it lies wholly under " + under + " and never gets a click");
        else
            out.Add(model.skin, c.line, Severity::Warning, "click.partly-covered",
                    Subject(c) + ": " + std::to_string(cover.covered) + " of its " + std::to_string(cover.clickable) +
                        " pixels lie under " + under + " and get no clicks");
    }
}

} // namespace

void CheckClicks(const DiscModel& model, Findings& out)
{
    CheckCovered(model, out);
}
