// The skin dialog in this process: hooks, the skin at a DPI, and what a reload gives back.
#include "controls/ButtonEx.h"
#include "controls/ImageButton.h"
#include "controls/SkinSlider.h"
#include "controls/TextLabel.h"
#include "skin/MaskRuns.h"
#include "skin/PictureAtDpi.h"
#include "tests/support/Bmp.h"
#include "tests/win/support/GdiTestSupport.h"
#include "tests/win/support/ProbeDialog.h"
#include "tests/support/TempDir.h"
#include "tests/support/TestSteps.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace {

enum class TwoX { None, Right, WrongSize };

// A skin drawn at 1x, with its pictures at 2x beside it, or 2x files of the
// wrong size, or none: Main, Over, the Mask (the window's and a shaped
// button's), a trackbar thumb; an image button and a label.
struct ScaledSkin {
    struct Pair {
        TestPicture one, two;
        // What the dialog should show of it at `dpi`, drawn from the 2x picture or the 1x one.
        PixelImage At(int dpi, bool twoX, PictureUse use) const
        {
            const TestPicture& p = twoX ? two : one;
            const PixelImage source{{p.width, p.height}, p.pixels};
            return use == PictureUse::Mask ? ScaleMask(source, dpi, twoX ? 2 : 1)
                                           : ScalePicture(source, dpi, twoX ? 2 : 1);
        }
    };
    static TestPicture Shape(int w, int h)
    {
        TestMask m = MakeShapeMask(MaskShape::RoundedWindow, w, h);
        return {w, h, m.pixels};
    }

    Pair main{PatternPicture(64, 48, 0), PatternPicture(128, 96, 30)};
    Pair over{PatternPicture(64, 48, 60), PatternPicture(128, 96, 90)};
    Pair mask{Shape(64, 48), Shape(128, 96)};
    Pair thumb{PatternPicture(10, 16, 120), PatternPicture(20, 32, 150)};

    std::string Write(const TempDir& dir, TwoX twoX) const
    {
        for (auto [name, pair] : {std::pair{"main", &main}, {"over", &over}, {"mask", &mask}, {"thumb", &thumb}}) {
            dir.Write(std::string("Data/") + name + ".bmp", EncodeBmp24(pair->one));
            if (twoX != TwoX::None) // the 1x picture as its own @2x: not twice its size
                dir.Write(std::string("Data/") + name + "@2x.bmp",
                          EncodeBmp24(twoX == TwoX::Right ? pair->two : pair->one));
        }
        return dir.Write("Data/main.ini", "[Screen]\nMain=main.bmp\nOver=over.bmp\nMask=mask.bmp\n"
                                          "[BUTTONINFO]\n1=ID_B,5,7,21,13,Tip,\n"
                                          "[BUTTONEXINFO]\n1=ID_X,30,7,20,20,Shaped,F,mask.bmp\n"
                                          "[TEXTINFO]\n1=ID_L,Arial,F,F,-13,0,5,22,40,8,Hello,\n"
                                          "[TRACKBARINFO]\n1=ID_T,thumb.bmp,thumb.bmp,5,32,50,14,H,50,0\n");
    }
};

// A child window's rectangle in the dialog's client coordinates.
RECT ChildRect(HWND dialog, HWND child)
{
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The pixels of a window's region within width × height.
std::vector<bool> RegionPixels(HWND window, int width, int height)
{
    platform::UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
    if (::GetWindowRgn(window, region.Get()) == ERROR)
        return {};
    return CoveredPixels(RegionRects(region.Get()), width, height);
}

std::vector<bool> MaskPixels(const PixelImage& mask, int width, int height)
{
    TestMask m(mask.size.width, mask.size.height);
    m.pixels = mask.pixels;
    return CoveredPixels(ReferenceRuns(m, kSkinCutColour, kSkinCutTolerance), width, height);
}

std::string WriteSkin(const TempDir& dir)
{
    TestPicture pic{64, 48, std::vector<std::uint32_t>(64 * 48, 0x336699)};
    for (int x = 0; x < 8; ++x)
        pic.pixels[static_cast<std::size_t>(x)] = 0xFF00FF; // a notch in the top row
    dir.Write("Data/back.bmp", EncodeBmp24(pic));
    return dir.Write("Data/main.ini", "[Screen]\nMain=back.bmp\n"
                                      "[BUTTONINFO]\n1=ID_BUTTON1,4,4,20,10,Tip,\n2=ID_EXIT,30,4,20,10,,\n");
}

TEST(SkinDialog, ReloadingTwoHundredTimesGivesBackEverything)
{
    TempDir dir, scaledDir;
    // At the window's DPI; at 144 (resampled from 2x) and 192 (2x as they are) with every picture kind.
    const std::string scaled = ScaledSkin().Write(scaledDir, TwoX::Right);
    const std::pair<std::string, int> runs[] = {{WriteSkin(dir), 0}, {scaled, 144}, {scaled, 192}};
    for (const auto& [skin, dpi] : runs) {
        SCOPED_TRACE(dpi);
        const long before = OwnedGdiObjects();
        const ReloadCounts counts = CountReloads(skin, 200, dpi);
        ASSERT_TRUE(counts.ran);
        const Resources &first = counts.first, &all = counts.all;
        std::printf("at %d DPI: owned GDI objects: %ld before, %ld after one load, %ld after 200; live GDI objects"
                    " %d and %d; windows %d and %d\n",
                    dpi, before, first.owned, all.owned, first.live, all.live, first.windows, all.windows);
        EXPECT_GT(first.owned, before); // the pictures are held
        EXPECT_EQ(all.owned, first.owned);
        EXPECT_EQ(all.live, first.live);
        EXPECT_EQ(all.windows, first.windows);
        EXPECT_EQ(OwnedGdiObjects(), before);
    }
}

// The skin at a DPI, from its 2x pictures where they are right, or by
// WM_DPICHANGED from 96: the window, its outline and pictures, and every
// control's place, font, thumb and outline.
TEST(SkinDialog, LaysTheSkinOutAtEveryDpi)
{
    const ScaledSkin skin;
    struct Row {
        int dpi;
        TwoX twoX;
        bool byMessage;
        SIZE window;
        RECT button; // 5, 7, 21 × 13 by edges: halves round away from zero
        LONG fontHeight;
        SIZE thumb;
    } rows[] = {
        {96, TwoX::None, false, {64, 48}, {5, 7, 26, 20}, -13, {10, 16}},
        {96, TwoX::Right, false, {64, 48}, {5, 7, 26, 20}, -13, {10, 16}},
        {120, TwoX::Right, false, {80, 60}, {6, 9, 33, 25}, -16, {13, 20}},
        {144, TwoX::None, false, {96, 72}, {8, 11, 39, 30}, -20, {15, 24}},
        {144, TwoX::Right, true, {96, 72}, {8, 11, 39, 30}, -20, {15, 24}},
        {192, TwoX::Right, false, {128, 96}, {10, 14, 52, 40}, -26, {20, 32}},
        {192, TwoX::None, true, {128, 96}, {10, 14, 52, 40}, -26, {20, 32}},
        {192, TwoX::WrongSize, false, {128, 96}, {10, 14, 52, 40}, -26, {20, 32}},
    };
    const auto edges = [](const RECT& r) { return std::tuple(r.left, r.top, r.right, r.bottom); };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.dpi) + " DPI, 2x " + std::to_string(static_cast<int>(row.twoX)) +
                     (row.byMessage ? ", by WM_DPICHANGED" : ""));
        TempDir dir;
        const std::string path = skin.Write(dir, row.twoX);
        const bool twoX = row.twoX == TwoX::Right && row.dpi > 96;
        ProbeDialog dialog([&](ProbeDialog& d) {
            d.SetSkinPath(path);
            RECT suggested{30, 40, 30 + 500, 40 + 300};
            if (row.byMessage) {
                d.LoadSkinAt(96);
                d.SendMessage(WM_DPICHANGED, MAKEWPARAM(row.dpi, row.dpi), reinterpret_cast<LPARAM>(&suggested));
            } else {
                d.LoadSkinAt(row.dpi);
            }
            const PixelImage mask = skin.mask.At(row.dpi, twoX, PictureUse::Mask);
            Step("the window: its size at the DPI, and the suggested place after WM_DPICHANGED", [&] {
                EXPECT_EQ(d.SkinDpi(), row.dpi);
                const RECT w = d.GetWindowRect();
                EXPECT_EQ(w.right - w.left, row.window.cx);
                EXPECT_EQ(w.bottom - w.top, row.window.cy);
                if (row.byMessage) { // the suggested place, the skin's size
                    EXPECT_EQ(w.left, suggested.left);
                    EXPECT_EQ(w.top, suggested.top);
                }
            });

            Step("its outline and its pictures at the DPI", [&] {
                EXPECT_EQ(RegionPixels(d.m_hWnd, row.window.cx, row.window.cy),
                          MaskPixels(mask, row.window.cx, row.window.cy));
                EXPECT_EQ(ReadPixels(d.m_pictures.Get(SkinLook::Main).GetSafeHandle()).pixels,
                          skin.main.At(row.dpi, twoX, PictureUse::Colour).pixels);
                EXPECT_EQ(ReadPixels(d.m_pictures.Get(SkinLook::Over).GetSafeHandle()).pixels,
                          skin.over.At(row.dpi, twoX, PictureUse::Colour).pixels);
            });

            Step("the controls: the button rectangle by edges, the label font, the trackbar thumb", [&] {
                ASSERT_EQ(d.m_buttons.GetSize(), 1);
                EXPECT_EQ(edges(ChildRect(d.m_hWnd, d.m_buttons.GetAt(0)->m_hWnd)), edges(row.button));
                LOGFONTW font{};
                ASSERT_EQ(d.m_labels.GetSize(), 1);
                ASSERT_TRUE(d.m_labels.GetAt(0)->m_font.GetLogFont(&font));
                EXPECT_EQ(font.lfHeight, row.fontHeight);
                ASSERT_EQ(d.m_trackbars.GetSize(), 1);
                const TestMask thumb = ReadPixels(d.m_trackbars.GetAt(0)->m_bmpThumb.GetSafeHandle());
                EXPECT_EQ(thumb.width, row.thumb.cx);
                EXPECT_EQ(thumb.height, row.thumb.cy);
                EXPECT_EQ(thumb.pixels, skin.thumb.At(row.dpi, twoX, PictureUse::Colour).pixels);
            });

            Step("the shaped button outline: its own mask at the DPI, in its own coordinates", [&] {
                ASSERT_EQ(d.m_buttonExs.GetSize(), 1);
                const RECT x = ChildRect(d.m_hWnd, d.m_buttonExs.GetAt(0)->m_hWnd);
                const int bw = x.right - x.left, bh = x.bottom - x.top;
                EXPECT_EQ(RegionPixels(d.m_buttonExs.GetAt(0)->m_hWnd, bw, bh), MaskPixels(mask, bw, bh));
            });
        });
        ASSERT_EQ(dialog.DoModal(), IDOK);
    }
}

TEST(SkinPictures, DecodesMainAtOnceAndEveryOtherFileOnceAtItsFirstNeed)
{
    constexpr int kAll = -1;  // DecodeWaiting
    constexpr int kNext = -2; // DecodeNext, as the dialog calls it after its first paint
    const std::array<std::string, 4> distinct{"main", "over", "down", "disabled"};
    struct Row {
        const char* what;
        std::array<std::string, 4> names; // Main, Over, Down, Disabled
        std::vector<int> needs;           // looks asked for, in order
        std::vector<std::string> decoded; // files decoded, in order
        bool waiting;                     // afterwards
    } rows[] = {
        {"before any need", distinct, {}, {"main"}, true},
        {"a press before the rest", distinct, {2}, {"main", "down"}, true},
        {"then the rest", distinct, {2, kAll}, {"main", "down", "over", "disabled"}, false},
        {"asked again", distinct, {kAll, 1, 3, kAll}, {"main", "over", "down", "disabled"}, false},
        {"looks left out name Main", {"main", "main", "main", "main"}, {}, {"main"}, false},
        {"one file for two looks", {"main", "over", "over", "main"}, {2, kAll}, {"main", "over"}, false},
        {"a missing file is not tried again", {"main", "missing", "down", "main"}, {1, 1}, {"main", "missing"}, true},
        {"one at a time", distinct, {kNext}, {"main", "over"}, true},
        {"one at a time after a press", distinct, {1, kNext, kNext}, {"main", "over", "down", "disabled"}, false},
        {"one at a time, one file for two", {"main", "over", "over", "main"}, {kNext}, {"main", "over"}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::vector<std::string> decoded;
        SkinPictures pictures([&](const std::string& path, CBitmap& bitmap) {
            decoded.push_back(path);
            if (path != "missing")
                bitmap.Attach(::CreateBitmap(1, 1, 1, 32, nullptr));
        });
        pictures.Load(row.names[0], row.names[1], row.names[2], row.names[3]);
        for (int need : row.needs) {
            if (need == kAll)
                pictures.DecodeWaiting();
            else if (need == kNext) {
                const bool more = pictures.DecodeNext();
                EXPECT_EQ(more, pictures.Waiting());
            }
            else
                EXPECT_EQ(static_cast<bool>(pictures.Get(static_cast<SkinLook>(need))), row.names[need] != "missing");
        }
        EXPECT_EQ(decoded, row.decoded);
        EXPECT_EQ(pictures.Waiting(), row.waiting);
        // Looks of one file show one picture.
        for (int a = 0; a < 4; ++a)
            for (int b = 0; b < a; ++b)
                if (row.names[a] == row.names[b] && row.names[a] != "missing") {
                    EXPECT_EQ(pictures.Get(static_cast<SkinLook>(a)).GetSafeHandle(),
                              pictures.Get(static_cast<SkinLook>(b)).GetSafeHandle());
                }
        pictures.Free();
        EXPECT_FALSE(pictures.Get(SkinLook::Main));
        EXPECT_FALSE(pictures.Waiting());
    }
}

TEST(SkinDialog, HooksAndIndexLookup)
{
    TempDir dir;
    std::string skin = WriteSkin(dir);
    ProbeDialog dialog([&](ProbeDialog& d) {
        d.SetSkinPath(skin);
        d.LoadSkin();
        // An index outside a list calls nothing (and does not crash).
        d.ButtonClicked(-1);
        d.ButtonClicked(d.m_buttons.GetSize());
        d.TextClicked(0);
        d.TrackbarScrolled(5, 4, 50);
        // The background reports pointer moves with an empty name.
        d.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(30, 30));
    });
    ASSERT_EQ(dialog.DoModal(), IDOK);
    ASSERT_FALSE(dialog.Moves().empty());
    EXPECT_EQ(dialog.Moves().back().name, "");
}

TEST(SkinDialog, LoadsTheSkinAtInitialisationOnlyWhenTheFileExists)
{
    TempDir dir;
    std::string skin = WriteSkin(dir);
    SIZE loaded{}, missing{};
    for (auto [path, size] : {std::pair{skin, &loaded}, std::pair{dir.File("Data/none.ini"), &missing}}) {
        struct Dialog : SkinDialog {
            Dialog(std::string p, SIZE* s) : SkinDialog(102, nullptr), m_size(s) { SetSkinPath(p); }
            bool OnInitDialog() override
            {
                SkinDialog::OnInitDialog();
                RECT r = GetWindowRect();
                *m_size = SIZE{r.right - r.left, r.bottom - r.top};
                EndDialog(IDOK);
                return true;
            }
            SIZE* m_size;
        } dialog(path, size);
        ASSERT_EQ(dialog.DoModal(), IDOK);
    }
    EXPECT_EQ(loaded.cx, 64);
    EXPECT_EQ(loaded.cy, 48);
    EXPECT_NE(missing.cx, 64); // the template's size
}

} // namespace
