// The menu started at a display scale above 100 %.
#include "tests/win/support/AutorunDisc.h"
#include "skin/DisplayScale.h"

namespace {

// Wine 8 reads the system DPI when a process starts, so a setting made here
// reaches the menu started next. Wine 10 reads it once per session and
// Windows at sign-in: neither can be tested this way.
#define SKIP_UNLESS_DPI_PER_PROCESS()                                                                             \
    if (WineMajorVersion() == 0 || WineMajorVersion() >= 10)                                                      \
    GTEST_SKIP() << "Wine " << WineMajorVersion()                                                                 \
                 << " reads the system DPI (LogPixels) once per session, not at each process start: a per-test"  \
                    " setting does not reach the menu there"

// The menu started at a system DPI, in the foreground; null when no window showed.
HWND StartAtDpi(Disc& disc, DWORD dpi)
{
    HWND wnd = nullptr;
    {
        // The system DPI of the test prefix, read as the menu starts.
        const UserRegistryValue setting("Control Panel\\Desktop", "LogPixels", REG_DWORD,
                                        std::string(reinterpret_cast<const char*>(&dpi), sizeof dpi));
        wnd = disc.StartAndWait(15000);
    }
    if (wnd)
        ::SetForegroundWindow(wnd);
    return wnd;
}

TestPicture Picture(const PixelImage& image)
{
    return {image.size.width, image.size.height, image.pixels};
}

const char kScaledSkin[] = "[Screen]\r\nMain=main.bmp\r\nOver=over.bmp\r\nDown=down.bmp\r\nMask=mask.bmp\r\n"
                           "[BUTTONINFO]\r\n1=ID_BUTTON1,21,35,39,25,,\r\n2=ID_BUTTON2,60,35,39,25,,\r\n"
                           "[TEXTINFO]\r\n1=ID_INFO,DejaVu Sans,0,0,-13,0,10,62,100,16,Hi there,\r\n";


// At 192 DPI from the 2x pictures: a window twice the mask's size shaped by
// mask@2x, main@2x pixel for pixel, the 2x Over and Down crops at the scaled
// button, a label's font twice as high.
TEST(AutorunScale, At192DpiTheWindowIsDrawnFromThe2xPictures)
{
    SKIP_UNLESS_DPI_PER_PROCESS();
    const int w = 120, h = 80;
    const TestPicture main2x = PatternPicture(2 * w, 2 * h, 0), over2x = PatternPicture(2 * w, 2 * h, 70),
                      down2x = PatternPicture(2 * w, 2 * h, 140), mask2x = MaskPicture(2 * w, 2 * h);
    Disc disc;
    disc.WriteSkin(kScaledSkin, PatternPicture(w, h, 10), nullptr);
    disc.Write("Data/main@2x.bmp", EncodeBmp24(main2x));
    for (auto [name, one, two] : {std::tuple{"over", 80, &over2x}, {"down", 150, &down2x}}) {
        disc.Write(std::string("Data/") + name + ".bmp", EncodeBmp24(PatternPicture(w, h, one)));
        disc.Write(std::string("Data/") + name + "@2x.bmp", EncodeBmp24(*two));
    }
    disc.Write("Data/mask.bmp", EncodeBmp24(MaskPicture(w, h)));
    disc.Write("Data/mask@2x.bmp", EncodeBmp24(mask2x));
    HWND wnd = StartAtDpi(disc, 192);
    ASSERT_TRUE(wnd);
    EXPECT_EQ(PlaceAndSize(wnd), std::make_tuple(0L, 0L, 2L * w, 2L * h)) << "at the origin, mask@2x's size";
    EXPECT_EQ(RegionMismatches(wnd, mask2x), 0) << "pixels where the region and mask@2x disagree";
    const RECT label{20, 124, 220, 156};
    TestPicture outsideLabel = mask2x; // the label draws its text over the picture
    for (int y = label.top; y < label.bottom; ++y)
        for (int x = label.left; x < label.right; ++x)
            outsideLabel.pixels[static_cast<std::size_t>(y * outsideLabel.width + x)] = 0xFF00FF;
    EXPECT_EQ(DifferingPixels(wnd, main2x, outsideLabel, 3000), 0) << "screen pixels that are not main@2x's";

    const RECT button{42, 70, 120, 120}; // 21, 35, 39 × 25 at 2x
    PointAt(wnd, 80, 95, true);
    EXPECT_TRUE(ShowsPart(wnd, button, over2x)) << "hovered";
    MouseButton(true);
    EXPECT_TRUE(ShowsPart(wnd, button, down2x)) << "pressed";
    MoveMouse(2 * w + 50, 2 * h + 50);
    MouseButton(false);
    EXPECT_TRUE(ShowsPart(wnd, button, main2x)) << "at rest";

    const TestPicture back = CropPicture(main2x, label.left, label.top, 200, 32);
    const std::vector<std::uint32_t> expected = DrawnLabel(back, {"DejaVu Sans", -26}, "Hi there");
    EXPECT_NE(expected, DrawnLabel(back, {"DejaVu Sans", -13}, "Hi there"));
    RECT screen = label;
    ::MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&screen), 2);
    const int differing = WaitForScreen(screen, expected, 3000);
    if (differing)
        SaveScreen(screen, "autorun-label-192.bmp");
    EXPECT_EQ(differing, 0) << "the label's text at twice its height";
}

// At 144 DPI without 2x pictures: round(1.5 × the mask's size), the outline of
// the mask by nearest neighbour, and each button reacts inside its scaled
// rectangle (by edges: the neighbours meet at x = 90) and not outside it.
TEST(AutorunScale, At144DpiWithout2xPicturesTheButtonsReactInsideTheirScaledRectangles)
{
    SKIP_UNLESS_DPI_PER_PROCESS();
    const int w = 121, h = 81;
    const TestPicture main = PatternPicture(w, h, 0), over = PatternPicture(w, h, 70), mask = MaskPicture(w, h);
    Disc disc;
    disc.WriteSkin(kScaledSkin, main, &mask);
    disc.Write("Data/over.bmp", EncodeBmp24(over));
    HWND wnd = StartAtDpi(disc, 144);
    ASSERT_TRUE(wnd);
    const RECT r = WindowRect(wnd);
    EXPECT_EQ(r.right - r.left, 182); // 181.5
    EXPECT_EQ(r.bottom - r.top, 122); // 121.5
    const TestPicture scaledMask = Picture(ScaleMask({{w, h}, mask.pixels}, 144, 1));
    EXPECT_EQ(RegionMismatches(wnd, scaledMask), 0) << "pixels where the region and the nearest-neighbour mask disagree";

    const TestPicture main15 = Picture(ScalePicture({{w, h}, main.pixels}, 144, 1));
    const TestPicture over15 = Picture(ScalePicture({{w, h}, over.pixels}, 144, 1));
    const RECT buttons[] = {{32, 53, 90, 90}, {90, 53, 149, 90}};
    const struct {
        POINT at;
        int hovered; // index into buttons, -1: none
    } probes[] = {{{32, 53}, 0},  {{89, 89}, 0},  {{31, 60}, -1}, {{40, 52}, -1},
                  {{90, 53}, 1},  {{148, 89}, 1}, {{149, 70}, -1}, {{100, 90}, -1}};
    for (const auto& probe : probes) {
        SCOPED_TRACE(std::to_string(probe.at.x) + ", " + std::to_string(probe.at.y));
        PointAt(wnd, probe.at.x, probe.at.y);
        for (int b = 0; b < 2; ++b)
            EXPECT_TRUE(ShowsPart(wnd, buttons[b], b == probe.hovered ? over15 : main15)) << "button " << b + 1;
    }
}

} // namespace
