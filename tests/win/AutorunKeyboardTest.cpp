// The menu without a mouse: Tab, Shift+Tab and the arrows move a focus that
// shows as the hovered look with a focus rectangle; Enter and Space do what a
// click does.
#include "tests/win/support/AutorunDisc.h"

#include <commctrl.h>

namespace {

using Skin = KeyboardSkin;

// The focused window of the menu's thread.
HWND FocusOf(HWND wnd)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(wnd, nullptr), &info) ? info.hwndFocus : nullptr;
}

// `look`'s part at `rect` with the focus rectangle two pixels inside, as a
// DIB draws them (Wine's windows draw into DIBs: the same pixels as on screen).
std::vector<std::uint32_t> FocusedLook(const TestPicture& look, const RECT& rect)
{
    const TestPicture part = CropPicture(look, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    TestMask pixels(part.width, part.height);
    pixels.pixels = part.pixels;
    const platform::UniqueBitmap dib = MakeDibSection(pixels);
    {
        const platform::MemoryDc dc(::CreateCompatibleDC(nullptr));
        const platform::Selection selected(dc.Get(), dib.Get());
        RECT mark{2, 2, part.width - 2, part.height - 2};
        ::DrawFocusRect(dc.Get(), &mark);
    }
    return ReadPixels(dib.Get()).pixels;
}

void Press(WORD key, bool shift = false)
{
    if (shift)
        Key(VK_SHIFT, true);
    PressKey(key);
    if (shift)
        Key(VK_SHIFT, false);
    Pump(150);
}

TEST(AutorunKeyboard, TabShiftTabAndTheArrowsWalkTheControlsInOrderShowingTheFocus)
{
    MenuDisc disc;
    const Skin skin(disc);
    ASSERT_TRUE(disc.Start());
    HWND wnd = disc.Window();
    Step("before any key, exactly the look of a menu without keyboard", [&] {
        TestPicture pictured = MaskPicture(MenuDisc::kW, MenuDisc::kH); // the label's text and the thumb left out
        for (const RECT& r : {Skin::kLabel, Skin::kTrackbar})
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x)
                    pictured.pixels[static_cast<std::size_t>(y * pictured.width + x)] = 0xFF00FF;
        EXPECT_EQ(DifferingPixels(wnd, disc.Main(), pictured, 3000), 0);
        EXPECT_EQ(FocusOf(wnd), wnd) << "no control has the focus";
    });
    // The first Tab focuses the first button; Tab and Shift+Tab walk the order
    // (the label left out) and wrap; the arrows walk it too, but move a focused trackbar.
    const RECT order[] = {Skin::kButtons[0], Skin::kButtons[1], Skin::kButtons[2], Skin::kButtons[3], Skin::kTrackbar,
                          Skin::kBar};
    const std::tuple<WORD, bool, int> keys[] = {
        {VK_TAB, false, 0}, {VK_TAB, false, 1},  {VK_TAB, false, 2},   {VK_TAB, false, 3},  {VK_TAB, false, 4},
        {VK_TAB, false, 5}, {VK_TAB, false, 0},  {VK_TAB, true, 5},    {VK_TAB, true, 4},   {VK_RIGHT, false, 4},
        {VK_TAB, true, 3},  {VK_LEFT, false, 2}, {VK_DOWN, false, 3}};
    int before = -1;
    for (const auto& [key, shift, to] : keys) {
        SCOPED_TRACE("key " + std::to_string(key) + (shift ? " with Shift" : "") + " to " + std::to_string(to));
        Press(key, shift);
        EXPECT_EQ(FocusOf(wnd), ControlAt(wnd, order[to]));
        if (to < 4) { // a button: its Over look and a focus rectangle
            EXPECT_EQ(WaitForScreen(disc.ScreenRect(order[to]), FocusedLook(skin.over, order[to]), 2000), 0);
        }
        if (before >= 0 && before < 4 && before != to) {
            EXPECT_TRUE(ShowsPart(wnd, order[before], disc.Main())) << "the button it left";
        }
        before = to;
    }
    EXPECT_EQ(::SendMessageW(ControlAt(wnd, Skin::kTrackbar), TBM_GETPOS, 0, 0), 51) << "moved by the right arrow";
}

TEST(AutorunKeyboard, EnterAndSpaceOnAButtonDoWhatAClickDoes)
{
    MenuDisc disc;
    const Skin skin(disc);
    ASSERT_TRUE(disc.Start());
    Press(VK_TAB);
    Step("Enter on a program button starts what AUTORUN.INF names", [&] {
        Press(VK_RETURN);
        EXPECT_TRUE(disc.ToolRan(10000));
        EXPECT_EQ(disc.LabelText(30, 115), "Runs the tool");
    });
    Step("Space shows the button pressed while held and starts it on release", [&] {
        disc.ForgetToolRun();
        ::SetForegroundWindow(disc.Window());
        Key(VK_SPACE, true);
        EXPECT_EQ(FocusOf(disc.Window()), ControlAt(disc.Window(), Skin::kButtons[0])) << "kept when reactivated";
        const RECT& r = Skin::kButtons[0];
        EXPECT_EQ(WaitForScreen(disc.ScreenRect(r), FocusedLook(skin.down, r), 2000), 0) << "pressed";
        EXPECT_FALSE(disc.ToolRan(300));
        Key(VK_SPACE, false);
        EXPECT_TRUE(disc.ToolRan(10000));
    });
    Step("Enter on ID_EXIT closes the menu", [&] {
        ::SetForegroundWindow(disc.Window());
        Press(VK_TAB);
        Press(VK_TAB);
        Press(VK_RETURN);
        DWORD code = 1;
        EXPECT_TRUE(disc.Process().WaitExit(5000, &code));
        EXPECT_EQ(code, 0u);
    });
}

} // namespace
