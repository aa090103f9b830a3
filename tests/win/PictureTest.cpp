// Pictures through the system's OLE decoder, drawn and cut pixel for pixel.
#include "skin/PictureLoader.h"

#include "tests/support/Bmp.h"
#include "tests/win/support/GdiTestSupport.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <cstdlib>
#include <thread>

namespace {

// The patterns that scripts/make-picture-fixtures.py writes, as 0x00RRGGBB.
std::uint32_t Rgb(unsigned r, unsigned g, unsigned b)
{
    return ((r & 255) << 16) | ((g & 255) << 8) | (b & 255);
}
std::uint32_t PaletteColour(int i)
{
    return Rgb(i * 37 + 11, i * 91 + 5, i * 53 + 200);
}
std::uint32_t PalettePattern(int x, int y, int colours)
{
    return PaletteColour((x + 2 * y) % colours);
}
std::uint32_t TrueColourPattern(int x, int y)
{
    return Rgb(x * 20 + y * 3, y * 40 + 7, x * y * 5 + 1);
}

struct FixtureCase {
    const char* file;
    LONG width;
    LONG height;
    int colours;       // palette pattern with this many colours; 0: the true-colour pattern
    int maxDifference; // per channel: 0 for lossless formats
};

void PrintTo(const FixtureCase& c, std::ostream* os)
{
    *os << c.file;
}

class PictureFixtureTest : public ::testing::TestWithParam<FixtureCase> {};

TEST_P(PictureFixtureTest, DecodesToItsSizeAndPixels)
{
    const auto& c = GetParam();
    CBitmap bitmap;
    SIZE size{-1, -1};
    LoadPicture(FixturePath(std::string("pictures/") + c.file), bitmap, size);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(size.cx, c.width);
    EXPECT_EQ(size.cy, c.height);

    // Still readable once the decoder's picture object has gone.
    const TestMask pixels = ReadPixels(bitmap.GetSafeHandle());
    ASSERT_EQ(pixels.width, c.width);
    ASSERT_EQ(pixels.height, c.height);
    int worst = 0;
    for (int y = 0; y < c.height; ++y) {
        for (int x = 0; x < c.width; ++x) {
            const std::uint32_t want = c.colours ? PalettePattern(x, y, c.colours) : TrueColourPattern(x, y);
            const std::uint32_t got = pixels.At(x, y);
            for (int shift : {0, 8, 16})
                worst = std::max(worst, std::abs(int((got >> shift) & 255) - int((want >> shift) & 255)));
        }
    }
    EXPECT_LE(worst, c.maxDifference);
}

INSTANTIATE_TEST_SUITE_P(Formats, PictureFixtureTest,
                         ::testing::Values(FixtureCase{"bmp_1bit_13x7.bmp", 13, 7, 2, 0},
                                           FixtureCase{"bmp_4bit_11x5.bmp", 11, 5, 16, 0},
                                           FixtureCase{"bmp_8bit_17x9.bmp", 17, 9, 256, 0},
                                           FixtureCase{"bmp_24bit_15x6.bmp", 15, 6, 0, 0},
                                           FixtureCase{"bmp_24bit_top_down_5x3.bmp", 5, 3, 0, 0},
                                           FixtureCase{"bmp_32bit_9x4.bmp", 9, 4, 0, 0},
                                           FixtureCase{"gif_16colours_19x11.gif", 19, 11, 16, 0},
                                           // Lossy: close, and not mirrored or with channels swapped.
                                           FixtureCase{"jpeg_33x21.jpg", 33, 21, 4, 48}));

// Files that are no picture leave the object empty and the size zero, drop
// the bitmap held before, and leave no GDI object behind.
TEST(LoadPicture, FailuresLeaveTheObjectEmpty)
{
    TempDir dir;
    const std::string missing = dir.File("missing.bmp");
    const std::string longPath = dir.Path() + "\\" + std::string(400, 'a') + ".bmp";
    // An icon decodes to a picture that is not a bitmap.
    const std::string icon = dir.Write("icon.ico", std::string("\0\0\1\0\1\0\1\1\0\0\1\0\x20\0\x30\0\0\0\x16\0\0\0"
                                                               "\x28\0\0\0\1\0\0\0\2\0\0\0\1\0\x20\0\0\0\0\0"
                                                               "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"
                                                               "\0\0\0\xFF\0\0\0\0",
                                                               70));
    // A header of no width or no height: Wine makes a 1 x 1 picture of it.
    const std::string zero = dir.Write("zero.bmp", EncodeBmp24(TestPicture{0, 0, {}}));
    const std::string flat = dir.Write("flat.bmp", EncodeBmp24(TestPicture{4, 0, {}}));
    for (const std::string& path : {FixturePath("pictures/empty.bmp"), FixturePath("pictures/not_a_picture.bmp"),
                                    missing, longPath, dir.Path(), icon, std::string(), zero, flat}) {
        CBitmap bitmap;
        ASSERT_TRUE(bitmap.CreateCompatibleBitmap(platform::WindowDc(nullptr).Dc(), 4, 4));
        const HBITMAP old = bitmap.GetSafeHandle();
        const int live = LiveGdiObjects();
        SIZE size{7, 7};
        LoadPicture(path, bitmap, size);
        EXPECT_FALSE(bitmap) << path;
        EXPECT_EQ(size.cx, 0) << path;
        EXPECT_EQ(size.cy, 0) << path;
        EXPECT_EQ(::GetObjectType(old), 0u) << path;
        EXPECT_EQ(LiveGdiObjects(), live - 1) << path;
    }
}

// Loading into an object that holds a bitmap destroys that bitmap; the new
// one belongs to the object alone, and nothing else is left behind.
TEST(LoadPicture, ReplacesTheHeldBitmapWithoutLeaking)
{
    const std::string bmp = FixturePath("pictures/bmp_24bit_15x6.bmp");
    const std::string jpeg = FixturePath("pictures/jpeg_33x21.jpg");
    {
        // The decoders keep a few objects of their own once used.
        CBitmap warm;
        SIZE size;
        LoadPicture(bmp, warm, size);
        LoadPicture(jpeg, warm, size);
    }
    const int live = LiveGdiObjects();
    {
        CBitmap bitmap;
        SIZE size{};
        LoadPicture(bmp, bitmap, size);
        const HBITMAP first = bitmap.GetSafeHandle();
        EXPECT_EQ(LiveGdiObjects(), live + 1);
        for (int i = 0; i < 5; ++i) {
            LoadPicture(i % 2 ? bmp : jpeg, bitmap, size);
            EXPECT_EQ(LiveGdiObjects(), live + 1) << "load " << i;
        }
        EXPECT_EQ(::GetObjectType(first), 0u);
        EXPECT_EQ(size.cx, 33);
        EXPECT_EQ(::GetObjectType(bitmap.GetSafeHandle()), static_cast<DWORD>(OBJ_BITMAP));
    }
    EXPECT_EQ(LiveGdiObjects(), live);
}

// Another program reading the same skin at the same time does not stop the load.
TEST(LoadPicture, ReadsAFileThatIsOpenElsewhere)
{
    const std::string path = FixturePath("pictures/bmp_8bit_17x9.bmp");
    platform::KernelHandle other(
        ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(other);
    CBitmap bitmap;
    SIZE size{};
    LoadPicture(path, bitmap, size);
    EXPECT_EQ(size.cx, 17);
}

// A file cut short must not crash; whatever the decoder makes of it, the
// size reported is that of the bitmap held.
TEST(LoadPicture, TruncatedFileGivesAConsistentResult)
{
    CBitmap bitmap;
    SIZE size{-1, -1};
    LoadPicture(FixturePath("pictures/truncated_24bit.bmp"), bitmap, size);
    const SIZE held = bitmap.GetSize();
    EXPECT_EQ(size.cx, held.cx);
    EXPECT_EQ(size.cy, held.cy);
}

// COM may already be set up on the thread, in either kind of apartment, or not at all.
TEST(LoadPicture, WorksWhateverTheThreadsApartment)
{
    for (DWORD model : {DWORD(COINIT_MULTITHREADED), DWORD(COINIT_APARTMENTTHREADED), DWORD(0xFFFF)}) {
        SIZE size{};
        std::thread([&] {
            const bool init = model != 0xFFFF && SUCCEEDED(::CoInitializeEx(nullptr, model));
            CBitmap bitmap;
            LoadPicture(FixturePath("pictures/gif_16colours_19x11.gif"), bitmap, size);
            if (init)
                ::CoUninitialize();
        }).join();
        EXPECT_EQ(size.cx, 19) << "model " << model;
        EXPECT_EQ(size.cy, 11) << "model " << model;
    }
}

// A 200 × 100 picture with a different colour at every pixel.
TestMask Source()
{
    TestMask mask(200, 100);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            mask.At(x, y) = Rgb(x, y * 2, x ^ y);
    return mask;
}

struct CropCase {
    RECT rect;
    const char* what;
};

// The crop, and the drawing of the same area that replaces it in the controls.
TEST(CropBitmap, CutsTheSourcesPixelsExactly)
{
    const TestMask source = Source();
    CBitmap sourceBitmap;
    sourceBitmap.Attach(MakeDibSection(source).Detach());
    platform::WindowDc screen(nullptr);
    for (const CropCase& c : {CropCase{{100, 50, 140, 70}, "a control's rectangle"},
                              CropCase{{0, 0, 200, 100}, "the whole picture"},
                              CropCase{{199, 99, 200, 100}, "the last pixel"},
                              CropCase{{180, 90, 220, 110}, "reaching beyond the edge"}}) {
        CBitmap look;
        CropBitmap(screen.Dc(), look, sourceBitmap, c.rect.left, c.rect.top, c.rect.right, c.rect.bottom);
        ASSERT_TRUE(look) << c.what;
        const TestMask got = ReadPixels(look.GetSafeHandle());
        ASSERT_EQ(got.width, c.rect.right - c.rect.left) << c.what;
        ASSERT_EQ(got.height, c.rect.bottom - c.rect.top) << c.what;
        int wrong = 0;
        for (int y = 0; y < got.height; ++y) {
            for (int x = 0; x < got.width; ++x) {
                const int sx = c.rect.left + x, sy = c.rect.top + y;
                const std::uint32_t want = (sx < 200 && sy < 100) ? source.At(sx, sy) : 0;
                wrong += got.At(x, y) != want;
            }
        }
        EXPECT_EQ(wrong, 0) << c.what;

        // Drawing the area straight from the picture shows what the crop holds,
        // at the point given, and nothing beside it.
        const int w = got.width, h = got.height;
        platform::UniqueBitmap canvas = MakeDibSection(TestMask(w + 6, h + 4, 0x123456));
        {
            platform::MemoryDc dc(::CreateCompatibleDC(nullptr));
            platform::Selection selected(dc.Get(), canvas.Get());
            DrawPictureArea(dc.Get(), sourceBitmap, c.rect, POINT{4, 3});
            DrawPictureArea(dc.Get(), CBitmap(), c.rect, POINT{0, 0}); // no picture: nothing
        }
        const TestMask drawn = ReadPixels(canvas.Get());
        wrong = 0;
        for (int y = 0; y < h + 4; ++y)
            for (int x = 0; x < w + 6; ++x) {
                const bool inside = x >= 4 && x < 4 + w && y >= 3 && y < 3 + h;
                wrong += drawn.At(x, y) != (inside ? got.At(x - 4, y - 3) : 0x123456u);
            }
        EXPECT_EQ(wrong, 0) << c.what << ", drawn from the picture";
    }
}

TEST(CropBitmap, EmptyRectangleOrSourceGivesNoLook)
{
    CBitmap sourceBitmap, noSource;
    sourceBitmap.Attach(MakeDibSection(Source()).Detach());
    platform::WindowDc screen(nullptr);
    const int live = LiveGdiObjects();
    for (RECT r : {RECT{10, 10, 10, 30}, RECT{10, 10, 30, 10}, RECT{30, 10, 10, 30}, RECT{0, 0, 0, 0}}) {
        CBitmap look;
        CropBitmap(screen.Dc(), look, sourceBitmap, r.left, r.top, r.right, r.bottom);
        EXPECT_FALSE(look) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
    EXPECT_EQ(LiveGdiObjects(), live);

    // An empty source changes nothing, not even a look the target holds.
    CBitmap look;
    ASSERT_TRUE(look.CreateCompatibleBitmap(screen.Dc(), 3, 3));
    const HBITMAP held = look.GetSafeHandle();
    CropBitmap(screen.Dc(), look, noSource, 0, 0, 10, 10);
    EXPECT_EQ(look.GetSafeHandle(), held);
}

TEST(DrawBitmap, CopiesTheTopLeftPartUnscaled)
{
    const TestMask source = Source();
    platform::UniqueBitmap picture = MakeDibSection(source);
    platform::UniqueBitmap canvas = MakeDibSection(TestMask(60, 40, 0x123456));
    platform::MemoryDc dc(::CreateCompatibleDC(nullptr));
    {
        platform::Selection selected(dc.Get(), canvas.Get());
        DrawBitmap(dc.Get(), picture.Get(), RECT{5, 7, 25, 17});
        DrawBitmap(dc.Get(), nullptr, RECT{0, 0, 60, 40}); // nothing to draw
    }
    const TestMask got = ReadPixels(canvas.Get());
    int wrong = 0;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 60; ++x) {
            const bool inside = x >= 5 && x < 25 && y >= 7 && y < 17;
            wrong += got.At(x, y) != (inside ? source.At(x - 5, y - 7) : 0x123456u);
        }
    }
    EXPECT_EQ(wrong, 0);
}

} // namespace
