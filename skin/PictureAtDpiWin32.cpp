#include "skin/PictureAtDpiWin32.h"

#include "skin/PictureLoader.h"

#include <algorithm>

DpiBitmap LoadPictureAtDpi(const std::string& oneXPath, int dpi, PictureUse use)
{
    DpiBitmap result;
    CBitmap oneX, twoX;
    SIZE oneXSize{}, twoXSize{};
    LoadPicture(oneXPath, oneX, oneXSize);
    if (!oneX)
        return result;
    if (dpi > kBaseDpi)
        LoadPicture(TwoXPictureName(oneXPath), twoX, twoXSize);
    const PixelSize twoXPixels{twoXSize.cx, twoXSize.cy};
    result.plan = PlanPicture(dpi, {oneXSize.cx, oneXSize.cy}, twoX ? &twoXPixels : nullptr);
    CBitmap& source = result.plan.sourceScale == 2 ? twoX : oneX;
    if (!result.plan.Loads())
        return result;
    if (result.plan.asItIs)
        result.bitmap.Reset(source.Detach());
    else
        result.bitmap = BitmapOfPixels(ScaleByPlan(PixelsOfBitmap(source.GetSafeHandle()), result.plan, use));
    if (result.bitmap)
        result.size = SIZE{result.plan.target.width, result.plan.target.height};
    return result;
}

void LoadPictureAtDpi(const std::string& oneXPath, int dpi, PictureUse use, CBitmap& bitmap)
{
    bitmap.Attach(LoadPictureAtDpi(oneXPath, dpi, use).bitmap.Detach());
}

PixelImage PixelsOfBitmap(HBITMAP bitmap)
{
    BITMAP info{};
    if (!bitmap || !platform::DescribeBitmap(bitmap, info) || info.bmWidth <= 0 || info.bmHeight <= 0 ||
        std::int64_t{info.bmWidth} * info.bmHeight > kMaxScaledPixels)
        return {};
    PixelImage image{{info.bmWidth, info.bmHeight}, {}};
    image.pixels.resize(static_cast<std::size_t>(info.bmWidth) * static_cast<std::size_t>(info.bmHeight));
    BITMAPINFO format = platform::Dib32Format(info.bmWidth, -info.bmHeight);
    const platform::WindowDc screen(nullptr);
    if (!screen.Dc() || ::GetDIBits(screen.Dc(), bitmap, 0, static_cast<UINT>(info.bmHeight), image.pixels.data(),
                                    &format, DIB_RGB_COLORS) != info.bmHeight)
        return {};
    for (auto& p : image.pixels)
        p &= 0xFFFFFF;
    return image;
}

platform::UniqueBitmap BitmapOfPixels(const PixelImage& image)
{
    const auto count = static_cast<std::size_t>(std::max(image.size.width, 0)) *
                       static_cast<std::size_t>(std::max(image.size.height, 0));
    if (count == 0 || image.pixels.size() != count)
        return {};
    const BITMAPINFO format = platform::Dib32Format(image.size.width, -image.size.height);
    void* bits = nullptr;
    platform::UniqueBitmap bitmap(::CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits)
        return {};
    std::copy(image.pixels.begin(), image.pixels.end(), static_cast<std::uint32_t*>(bits));
    ::GdiFlush();
    return bitmap;
}
