#include "skin/PictureAtDpi.h"

namespace {

int UsableDpi(int dpi)
{
    return dpi > 0 ? dpi : kBaseDpi;
}

std::int64_t Pixels(PixelSize size)
{
    return std::int64_t{size.width} * size.height;
}

} // namespace

DpiPlan PlanPicture(int dpi, PixelSize oneX, const PixelSize* twoX)
{
    dpi = UsableDpi(dpi);
    DpiPlan plan;
    plan.dpi = dpi;
    if (oneX.width <= 0 || oneX.height <= 0)
        return plan;
    plan.verdict = JudgeTwoX(dpi, oneX, twoX);
    plan.sourceScale = SourceScale(plan.verdict);
    const PixelSize source = plan.sourceScale == 2 ? *twoX : oneX;
    plan.asItIs = dpi == kBaseDpi * plan.sourceScale;
    if (plan.asItIs) {
        plan.target = source;
        return plan;
    }
    // Both the source's pixels and the target's are held at once while resampling.
    const PixelSize target = TargetSize(source, dpi, plan.sourceScale);
    if (Pixels(source) <= kMaxScaledPixels && Pixels(target) <= kMaxScaledPixels)
        plan.target = target;
    return plan;
}

PixelImage ScaleByPlan(const PixelImage& source, const DpiPlan& plan, PictureUse use)
{
    if (!plan.Loads() || source.size.width <= 0 || source.size.height <= 0 ||
        source.pixels.size() != static_cast<std::size_t>(Pixels(source.size)))
        return {};
    if (plan.asItIs)
        return plan.target == source.size ? source : PixelImage{};
    PixelImage scaled = use == PictureUse::Mask ? ScaleMask(source, plan.dpi, plan.sourceScale)
                                                : ScalePicture(source, plan.dpi, plan.sourceScale);
    return scaled.size == plan.target ? scaled : PixelImage{};
}

PictureAtDpiResult PictureAtDpi(const std::string& oneXPath, int dpi, PictureUse use, const PixelLoader& load)
{
    PictureAtDpiResult result;
    const std::optional<PixelImage> oneX = load(oneXPath);
    if (!oneX)
        return result;
    std::optional<PixelImage> twoX;
    if (UsableDpi(dpi) > kBaseDpi)
        twoX = load(TwoXPictureName(oneXPath));
    result.plan = PlanPicture(dpi, oneX->size, twoX ? &twoX->size : nullptr);
    result.image = ScaleByPlan(result.plan.sourceScale == 2 ? *twoX : *oneX, result.plan, use);
    return result;
}
