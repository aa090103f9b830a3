// The shaped button, the progress bar and the trackbar under real input: the
// pointer and the left button driven through SendInput from a second thread
// while the dialog's modal loop runs; what shows is read back from the screen.
#include "controls/ButtonEx.h"
#include "tests/win/support/Desktop.h"
#include "tests/win/support/GdiTestSupport.h"
#include "tests/win/support/ProbeDialog.h"
#include "controls/SkinProgress.h"
#include "controls/SkinSlider.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

RECT ScreenRect(HWND dialog, RECT r)
{
    ::MapWindowPoints(dialog, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// A picture of `rect` of the skin where `pick` chooses, pixel by pixel (in
// the rectangle's coordinates), which of two pictures shows.
std::vector<std::uint32_t> Composite(const TestPicture& yes, const TestPicture& no, const RECT& rect,
                                     const std::function<bool(int, int)>& pick)
{
    std::vector<std::uint32_t> out;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            out.push_back(pick(x - rect.left, y - rect.top) ? yes.At(x, y) : no.At(x, y));
    return out;
}

::testing::AssertionResult ScreenShows(HWND dialog, const RECT& rect, const std::vector<std::uint32_t>& expected,
                                       const std::string& what)
{
    const RECT r = ScreenRect(dialog, rect);
    const int differing = WaitForScreen(r, expected, 2000);
    if (differing == 0)
        return ::testing::AssertionSuccess();
    SaveScreen(r, what + ".bmp");
    return ::testing::AssertionFailure() << what << ": " << differing << " pixels differ";
}

bool InCircle(int x, int y)
{
    const double dx = x - 19.5, dy = y - 19.5;
    return dx * dx + dy * dy <= 18.0 * 18.0;
}

TestPicture Solid(int w, int h, std::uint32_t colour)
{
    return TestPicture{w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w * h), colour)};
}

// The three shaped buttons of the ButtonEx test.
const RECT kRound{20, 20, 60, 60}, kGone{80, 20, 120, 60}, kNoMask{140, 20, 180, 60};

void RoundHoversInItsShapeOnly(ProbeDialog& d, const LookPictures& skin)
{
    const HWND w = d.m_hWnd;
    const auto atRest = LookPictures::Part(skin.main, kRound), over = Composite(skin.over, skin.main, kRound, InCircle);
    EXPECT_TRUE(ScreenShows(w, kRound, atRest, "round-at-rest"));
    // A corner of the rectangle is the dialog's: no hover, no report.
    EXPECT_FALSE(MovedOver(MovesAt(d, 22, 22), "ID_ROUND"));
    EXPECT_TRUE(ScreenShows(w, kRound, atRest, "round-corner"));
    // Inside the circle it hovers, and the corners still show the dialog.
    MoveTo(w, 40, 40);
    EXPECT_TRUE(ScreenShows(w, kRound, over, "round-hovered"));
    MoveTo(w, 23, 23);
    EXPECT_TRUE(ScreenShows(w, kRound, atRest, "round-left-for-corner"));
    // Pressed in the shape, released in a corner of the rectangle: a click.
    MoveTo(w, 41, 40);
    EXPECT_TRUE(ScreenShows(w, kRound, over, "round-hovered-again"));
    d.ClearRecords();
    MouseButton(true);
    MoveTo(w, 22, 57);
    MouseButton(false);
    Pump(100);
    EXPECT_EQ(d.Events(), std::vector<std::string>{"buttonex ID_ROUND"});
}

void WithoutAShapeNothingShowsAndOnlyTheRegionlessTakesInput(ProbeDialog& d, const LookPictures& skin)
{
    // All magenta: nothing there to hover or to see.
    EXPECT_FALSE(MovedOver(MovesAt(d, 100, 40), "ID_GONE"));
    EXPECT_TRUE(ScreenShows(d.m_hWnd, kGone, LookPictures::Part(skin.main, kGone), "gone"));
    // No region: it takes input over its rectangle but shows nothing of its own.
    EXPECT_TRUE(MovedOver(MovesAt(d, 160, 40), "ID_NOMASK"));
    EXPECT_TRUE(ScreenShows(d.m_hWnd, kNoMask, LookPictures::Part(skin.main, kNoMask), "nomask-hovered"));
    MoveTo(d.m_hWnd, 190, 95);
}

TEST(ButtonExInput, TheShapeDecidesHoverAndDrawingTheRectangleDecidesTheClick)
{
    TempDir dir;
    const LookPictures skin(200, 100);
    TestPicture circle = Solid(40, 40, kMagenta);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            if (InCircle(x, y))
                circle.pixels[static_cast<std::size_t>(y * 40 + x)] = 0x000000;
    dir.Write("Data/round.bmp", EncodeBmp24(circle));
    dir.Write("Data/magenta.bmp", EncodeBmp24(Solid(40, 40, kMagenta)));
    const std::string path = skin.WriteSkin(dir, "[BUTTONEXINFO]\n"
                                                 "1=ID_ROUND,20,20,40,40,Round,F,round.bmp\n"
                                                 "2=ID_GONE,80,20,40,40,Gone,F,magenta.bmp\n"
                                                 "3=ID_NOMASK,140,20,40,40,No mask,F,missing.bmp\n"
                                                 "[PROGRESSINFO]\n1=ID_AFTER,,10,80,50,10,V\n");
    ProbeDialog dialog(
        [&](ProbeDialog& d) {
            d.SetSkinPath(path);
            // Watched only while loading: the dialog itself is a box of that class once it shows.
            MessageBoxWatcher watcher;
            d.LoadSkin();
            std::vector<std::string> ours;
            for (const auto& box : watcher.Boxes())
                if (box.caption == "ButtonEx")
                    ours.push_back(box.text);
            EXPECT_EQ(ours, std::vector<std::string>{"Resimden Region Oluurulamad"}) << "only the missing mask";
            EXPECT_EQ(d.m_buttonExs.GetSize(), 3) << "the button without a region is kept";
            EXPECT_EQ(d.m_progresses.GetSize(), 1) << "loading goes on after the message";
            platform::UniqueRegion rgn(::CreateRectRgn(0, 0, 0, 0));
            EXPECT_EQ(::GetWindowRgn(d.m_buttonExs.GetAt(1)->m_hWnd, rgn.Get()), NULLREGION);
        },
        [&](ProbeDialog& d) {
            MoveTo(d.m_hWnd, 190, 95);
            ::SetForegroundWindow(d.m_hWnd);
            Pump(200);
            RoundHoversInItsShapeOnly(d, skin);
            WithoutAShapeNothingShowsAndOnlyTheRegionlessTakesInput(d, skin);
        });
    ASSERT_EQ(dialog.DoModal(), IDOK);
}

// The columns of row `y` of `rect` (the dialog's coordinates) that show `colour`.
std::pair<int, int> ColourRun(HWND dialog, const RECT& rect, int y, std::uint32_t colour)
{
    RECT row{rect.left, rect.top + y, rect.right, rect.top + y + 1};
    const std::vector<std::uint32_t> pixels = CaptureScreen(ScreenRect(dialog, row));
    int first = -1, last = -1;
    for (int x = 0; x < static_cast<int>(pixels.size()); ++x)
        if (pixels[static_cast<std::size_t>(x)] == colour) {
            if (first < 0)
                first = x;
            last = x;
        }
    return {first, last};
}

constexpr std::uint32_t kThumb = 0x0000FE, kThumbDown = 0xFEFE00;
const RECT kBar{20, 20, 220, 40}, kTrackbar{20, 60, 220, 90}, kHighTrackbar{20, 110, 220, 140};

void BarFillsFromAPressAndFollowsADragWithinIt(ProbeDialog& d, const LookPictures& skin)
{
    const HWND w = d.m_hWnd;
    auto filled = [&](int columns) {
        return Composite(skin.down, skin.main, kBar, [columns](int x, int) { return x < columns; });
    };
    EXPECT_TRUE(ScreenShows(w, kBar, filled(0), "bar-empty"));
    // Pressed at 50 of 200: a quarter; dragged along, it follows.
    MoveTo(w, 70, 30);
    MoveTo(w, 71, 30);
    Pump(100);
    MoveTo(w, 70, 30);
    MouseButton(true);
    EXPECT_TRUE(ScreenShows(w, kBar, filled(50), "bar-50"));
    MoveTo(w, 120, 30);
    MoveTo(w, 170, 30);
    EXPECT_TRUE(ScreenShows(w, kBar, filled(150), "bar-150"));
    // Out of the bar and back: it no longer follows.
    MoveTo(w, 170, 50);
    Pump(100);
    MoveTo(w, 100, 30);
    Pump(150);
    EXPECT_TRUE(ScreenShows(w, kBar, filled(150), "bar-stays-150"));
    MoveTo(w, 170, 50);
    MouseButton(false);
    Pump(100);
    // Pressed at the last column and released there: 198 columns, one click.
    MoveTo(w, 219, 30);
    MoveTo(w, 218, 30);
    Pump(100);
    MoveTo(w, 219, 30);
    MouseButton(true);
    MouseButton(false);
    EXPECT_TRUE(ScreenShows(w, kBar, filled(198), "bar-198"));
    Pump(100);
    EXPECT_EQ(d.Events(), std::vector<std::string>{"progress ID_BAR"}) << "the release outside reported nothing";
}

void ThumbFollowsADragAndReportsRisingPositionsThenTheEnd(ProbeDialog& d)
{
    const HWND w = d.m_hWnd;
    RECT thumb{};
    int finalPos = -1;
    d.OnDialogThread([&] { d.m_trackbars.GetAt(0)->GetThumbRect(&thumb); });
    d.ClearRecords();
    const int cx = kTrackbar.left + (thumb.left + thumb.right) / 2, cy = kTrackbar.top + 15;
    MoveTo(w, cx, cy);
    MouseButton(true);
    Pump(150);
    for (int dx = 10; dx <= 60; dx += 10) {
        MoveTo(w, cx + dx, cy);
        Pump(30);
    }
    Pump(150);
    // The pressed thumb showed while held, moved along; the plain one after.
    const std::pair<int, int> pressed = ColourRun(w, kTrackbar, 15, kThumbDown);
    MouseButton(false);
    Pump(200);
    EXPECT_GT(pressed.first, thumb.left) << "the thumb moved with the pointer";
    EXPECT_EQ(pressed.second - pressed.first, 9);
    EXPECT_EQ(ColourRun(w, kTrackbar, 15, kThumb).first, pressed.first);
    d.OnDialogThread([&] { finalPos = d.m_trackbars.GetAt(0)->GetPos(); });
    EXPECT_GT(finalPos, 50);

    // Moves with the button held report TB_THUMBPOSITION (4) with rising
    // positions; the release reports TB_ENDTRACK (8) before the trackbar's own.
    const std::vector<std::string> events = d.Events();
    std::vector<int> positions;
    std::size_t endTrack = events.size();
    for (std::size_t i = 0; i < events.size(); ++i) {
        int code = 0, pos = 0;
        ASSERT_EQ(std::sscanf(events[i].c_str(), "scroll ID_TB %d %d", &code, &pos), 2) << events[i];
        if (code == TB_THUMBPOSITION && endTrack == events.size())
            positions.push_back(pos);
        if (code == TB_ENDTRACK && endTrack == events.size())
            endTrack = i;
    }
    ASSERT_LT(endTrack, events.size()) << "no TB_ENDTRACK";
    EXPECT_EQ(events[endTrack], "scroll ID_TB 8 " + std::to_string(finalPos));
    ASSERT_GE(positions.size(), 6u);
    EXPECT_TRUE(std::is_sorted(positions.begin(), positions.end()));
    EXPECT_GT(positions.back(), positions.front());
}

// With the focus, keys move the thumb and the bar and report as a drag and a press do.
void KeysMoveTheFocusedThumbAndBarWithReports(ProbeDialog& d)
{
    int before = -1, percent = -1;
    d.OnDialogThread([&] { before = d.m_trackbars.GetAt(0)->GetPos(), ::SetFocus(d.m_trackbars.GetAt(0)->m_hWnd); });
    d.ClearRecords();
    PressKey(VK_LEFT);
    d.OnDialogThread([&] { ::SetFocus(d.m_progresses.GetAt(0)->m_hWnd); });
    PressKey(VK_END);
    PressKey(VK_LEFT);
    Pump(200);
    const std::string at = std::to_string(before - 1);
    EXPECT_EQ(d.Events(), (std::vector<std::string>{"scroll ID_TB 0 " + at, "scroll ID_TB 8 " + at, "progress ID_BAR",
                                                    "progress ID_BAR"}));
    d.OnDialogThread([&] { percent = d.m_progresses.GetAt(0)->m_bar.m_percent; });
    EXPECT_EQ(percent, 99);
}

TEST(ProgressAndTrackbarInput, DraggingFillsTheBarAndMovesTheThumbWithReports)
{
    TempDir dir;
    const LookPictures skin(240, 160);
    dir.Write("Data/thumb.bmp", EncodeBmp24(Solid(10, 30, kThumb)));
    dir.Write("Data/thumbdown.bmp", EncodeBmp24(Solid(10, 30, kThumbDown)));
    const std::string path = skin.WriteSkin(dir, "[PROGRESSINFO]\n1=ID_BAR,Bar,20,20,200,20,V\n"
                                                 "[TRACKBARINFO]\n"
                                                 "1=ID_TB,thumb.bmp,thumbdown.bmp,20,60,200,30,H,50,0\n"
                                                 "2=ID_HIGH,thumb.bmp,thumbdown.bmp,20,110,200,30,H,4294967346,0\n");
    RECT highThumb{};
    ProbeDialog dialog(
        [&](ProbeDialog& d) {
            d.SetSkinPath(path);
            d.LoadSkin();
            // A position beyond any int (2^32 + 50, not 50) is brought to 100: the thumb at the right end.
            EXPECT_EQ(d.m_trackbars.GetAt(1)->GetPos(), 100);
            d.m_trackbars.GetAt(1)->GetThumbRect(&highThumb);
            EXPECT_GT(highThumb.left, 150);
        },
        [&](ProbeDialog& d) {
            MoveTo(d.m_hWnd, 230, 150);
            ::SetForegroundWindow(d.m_hWnd);
            Pump(200);
            EXPECT_EQ(ColourRun(d.m_hWnd, kHighTrackbar, 15, kThumb),
                      std::make_pair(static_cast<int>(highThumb.left), static_cast<int>(highThumb.right - 1)));
            BarFillsFromAPressAndFollowsADragWithinIt(d, skin);
            ThumbFollowsADragAndReportsRisingPositionsThenTheEnd(d);
            KeysMoveTheFocusedThumbAndBarWithReports(d);
        });
    ASSERT_EQ(dialog.DoModal(), IDOK);
}

} // namespace
