// On Windows skincheck decodes JPEG and GIF with the menu's own loader (the
// system's OLE picture decoder), so the two agree by construction. The loader
// does not say whether a file was cut short; those notes come from the build
// for Linux, which decodes with libjpeg-turbo and giflib.
#include "tools/skincheck/FormatDecoders.h"
#include "skin/PictureLoader.h"

namespace {

PictureLoad ThroughTheLoader(std::string_view bytes, const char* format)
{
    PictureLoad load;
    load.format = format;
    const platform::UniqueBitmap bitmap = LoadPictureFromMemory(bytes);
    BITMAP info{};
    if (!bitmap || !platform::DescribeBitmap(bitmap.Get(), info)) {
        load.problem = "the " + load.format + " data does not decode";
        return load;
    }
    if (!PictureSizeAllowed(load, info.bmWidth, info.bmHeight))
        return load;
    PixelImage picture;
    picture.size.width = info.bmWidth;
    picture.size.height = info.bmHeight;
    picture.pixels.resize(static_cast<std::size_t>(picture.size.width) * static_cast<std::size_t>(picture.size.height));
    BITMAPINFO format32 = platform::Dib32Format(picture.size.width, -picture.size.height);
    platform::WindowDc screen(nullptr);
    if (::GetDIBits(screen.Dc(), bitmap.Get(), 0, static_cast<UINT>(picture.size.height), picture.pixels.data(), &format32,
                    DIB_RGB_COLORS) != picture.size.height) {
        load.problem = "the " + load.format + " data does not decode";
        return load;
    }
    for (auto& p : picture.pixels)
        p &= 0xFFFFFF;
    load.picture = std::move(picture);
    return load;
}

} // namespace

PictureLoad DecodeJpeg(std::string_view bytes)
{
    return ThroughTheLoader(bytes, "JPEG");
}

PictureLoad DecodeGif(std::string_view bytes)
{
    return ThroughTheLoader(bytes, "GIF");
}
