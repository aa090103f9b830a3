// Skin pictures at a DPI through the system's loader: the same file, size and
// pixels as the portable rules give on the same files, and no GDI object left.
#include "skin/PictureAtDpiWin32.h"

#include "platform/Dpi.h"
#include "platform/FileSystem.h"
#include "skin/BmpDecoder.h"
#include "tests/support/Bmp.h"
#include "tests/support/TempDir.h"
#include "tests/win/support/GdiTestSupport.h"

#include <gtest/gtest.h>

namespace {

std::optional<PixelImage> DecodeFile(const std::string& path)
{
    const std::optional<std::string> bytes = platform::ReadWholeFile(path);
    const PictureLoad load = bytes ? DecodeBmp(*bytes) : PictureLoad{};
    if (!load.picture)
        return std::nullopt;
    return *load.picture;
}

TEST(LoadPictureAtDpi, FollowsThePortableRules)
{
    TempDir dir;
    dir.Write("p.bmp", EncodeBmp24(PatternPicture(5, 3)));
    dir.Write("p@2x.bmp", EncodeBmp24(PatternPicture(10, 6, 1)));
    dir.Write("q.bmp", EncodeBmp24(PatternPicture(5, 3)));
    dir.Write("q@2x.bmp", EncodeBmp24(PatternPicture(9, 6, 1))); // not twice: ignored
    dir.Write("r.bmp", EncodeBmp24(PatternPicture(5, 3)));
    dir.Write("r@2x.bmp", EncodeBmp24({0, 0, {}})); // 0 x 0 in its header: no picture, as if missing
    dir.Write("z.bmp", EncodeBmp24({0, 0, {}}));
    LoadPictureAtDpi(dir.File("p.bmp"), 144, PictureUse::Colour); // the decoder keeps a few objects once used
    const int before = LiveGdiObjects();
    for (const char* name : {"p.bmp", "q.bmp", "r.bmp"})
        for (int dpi : {96, 120, 144, 192, 288})
            for (PictureUse use : {PictureUse::Colour, PictureUse::Mask}) {
                const std::string path = dir.File(name);
                const PictureAtDpiResult expected = PictureAtDpi(path, dpi, use, DecodeFile);
                const DpiBitmap got = LoadPictureAtDpi(path, dpi, use);
                const std::string what = std::string(name) + " at " + std::to_string(dpi);
                EXPECT_EQ(got.plan.verdict, expected.plan.verdict) << what;
                ASSERT_TRUE(got.bitmap) << what;
                EXPECT_EQ(got.size.cx, expected.image.size.width) << what;
                EXPECT_EQ(got.size.cy, expected.image.size.height) << what;
                EXPECT_EQ(ReadPixels(got.bitmap.Get()).pixels, expected.image.pixels) << what;
            }
    EXPECT_FALSE(LoadPictureAtDpi(dir.File("none.bmp"), 192, PictureUse::Colour).bitmap);
    EXPECT_FALSE(LoadPictureAtDpi(dir.File("z.bmp"), 192, PictureUse::Mask).bitmap);
    EXPECT_EQ(LoadPictureAtDpi(dir.File("r.bmp"), 192, PictureUse::Colour).plan.verdict, TwoXVerdict::Missing);
    EXPECT_EQ(LiveGdiObjects(), before);
}

// Wine starts every process per-monitor aware, so the window's DPI is the
// system's there; a window that does not exist counts as 96.
TEST(WindowDpi, IsTheWindowsOwnOr96)
{
    const platform::WindowDc screen(nullptr);
    const TestWindow window(0, 0, 40, 30);
    EXPECT_EQ(platform::WindowDpi(window.Get()), ::GetDeviceCaps(screen.Dc(), LOGPIXELSX));
    EXPECT_EQ(platform::WindowDpi(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0xDEAD0))), 96);
}

} // namespace
