// The menu as the burned disc gives it back: the demo disc made into an ISO by
// discbuild and extracted from the image's Joliet tree (ctest's disc_from_iso
// step), started from there, its set-up button starting the installer that
// verpick chooses.
#include "tests/win/support/Desktop.h"
#include "tests/win/support/ProgramPaths.h"
#include "platform/WideText.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

TEST(DiscImage, TheDemoDiscsMenuFromItsIsoOpensAndItsSetupButtonStartsTheInstaller)
{
    const char* folder = std::getenv("AK_DISC_FROM_ISO");
    if (!folder || !*folder)
        GTEST_SKIP() << "AK_DISC_FROM_ISO names no disc extracted from an ISO";
    const std::string disc = BuildPath(folder);
    if (::GetFileAttributesW(platform::Wide(disc + "\\autorun.exe").c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no disc was extracted from an ISO at " << disc;
    ChildProcess menu;
    ASSERT_TRUE(menu.Start(disc + "\\autorun.exe", disc));
    HWND wnd = WaitForWindow(menu.Id(), "Setup Wizard...", "#32770", 15000);
    ASSERT_TRUE(wnd);
    ::SetForegroundWindow(wnd);
    Pump(300);

    POINT button{296, 304}; // ID_BUTTON8: verpick.exe, which starts Setup\Vista\Setup.exe
    ::ClientToScreen(wnd, &button);
    MoveMouse(button.x, button.y);
    MoveMouse(button.x + 1, button.y);
    MouseButton(true);
    MouseButton(false);

    // The demo installer only shows which one it is, in a box of its own process.
    HWND box = nullptr;
    for (int waited = 0; waited < 15000 && !box; waited += 100) {
        Pump(100);
        box = ::FindWindowW(L"#32770", L"Demo Product Setup");
    }
    ASSERT_TRUE(box) << "the set-up button should start the installer";
    std::wstring texts;
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        wchar_t text[512] = {};
        ::GetWindowTextW(child, text, 512);
        texts += text;
    }
    ::PostMessageW(box, WM_CLOSE, 0, 0);
    EXPECT_NE(texts.find(L"/edition=vista"), std::wstring::npos) << "the arguments from config.ini";
    EXPECT_TRUE(menu.Running());
}

} // namespace
