// The menu's buttons acting on AUTORUN.INF: programs run, texts shown, the
// window minimised and closed.
#include "tests/win/support/AutorunDisc.h"

namespace {

TEST(AutorunMenu, ProgramButtonsShowTheirTextRunTheirFileReadTheInfAtEachClickAndMinimise)
{
    MenuDisc disc;
    disc.WriteInf("ID_BUTTON1=tool.exe\r\nID_BUTTON2=missing.exe\r\n",
                  "ID_BUTTON1=Runs the tool\r\nID_BUTTON2=Not there\r\n");
    ASSERT_TRUE(disc.Start());
    const DWORD pid = disc.Pid();
    HWND wnd = disc.Window();
    const RECT info{20, 110, 280, 134}, title{20, 150, 140, 170};
    EXPECT_EQ(disc.LabelText(30, 115), "Welcome");

    Step("a text longer than its label scrolls: the screen changes step by step", [&] {
        const std::vector<std::uint32_t> before = CaptureScreen(disc.ScreenRect(title));
        bool moved = false;
        for (int waited = 0; waited < 2000 && !moved; waited += 200) {
            Pump(200);
            moved = CaptureScreen(disc.ScreenRect(title)) != before;
        }
        EXPECT_TRUE(moved) << "the long title should scroll";
    });

    Step("a file that exists: the shell runs it, the label shows the text as written", [&] {
        disc.Click(40, 35);
        EXPECT_TRUE(disc.ToolRan(10000)) << "ID_BUTTON1 should start tool.exe";
        EXPECT_EQ(disc.LabelText(30, 115), "Runs the tool");
        EXPECT_FALSE(WaitForMessageBox(pid, 300).wnd);
        const TestPicture infoBack = CropPicture(disc.Main(), info.left, info.top, 260, 24);
        EXPECT_NE(WaitForScreen(disc.ScreenRect(info), infoBack.pixels, 500), 0) << "the label draws its text";
        EXPECT_TRUE(disc.Process().Running());
        EXPECT_TRUE(::IsWindowVisible(wnd));
    });

    Step("a missing file: the label still changes, a box reports it, nothing runs", [&] {
        disc.ForgetToolRun();
        disc.Click(90, 35);
        MessageBoxInfo box = WaitForMessageBox(pid, 5000);
        ASSERT_TRUE(box.wnd);
        EXPECT_EQ(box.text, "File Not Found !");
        EXPECT_EQ(box.caption, "");
        EXPECT_EQ(box.owner, wnd);
        EXPECT_EQ(disc.LabelText(30, 115), "Not there");
        CloseMessageBox(box.wnd);
        EXPECT_FALSE(disc.ToolRan(500));
    });

    Step("AUTORUN.INF is read at every click", [&] {
        disc.WriteInf("ID_BUTTON2=tool.exe\r\n", "ID_BUTTON2=Now it is there\r\n");
        ::SetForegroundWindow(wnd);
        Pump(200);
        disc.Click(90, 35);
        EXPECT_TRUE(disc.ToolRan(10000)) << "the edited entry should take effect";
        EXPECT_EQ(disc.LabelText(30, 115), "Now it is there");
        EXPECT_FALSE(WaitForMessageBox(pid, 300).wnd);
    });

    Step("names are compared with case: id_exit is not ID_EXIT", [&] {
        ::SetForegroundWindow(wnd);
        disc.Click(140, 35);
        Pump(500);
        EXPECT_TRUE(disc.Process().Running());
        EXPECT_FALSE(WaitForMessageBox(pid, 200).wnd);
    });

    Step("ID_MINIMIZE minimises the window", [&] {
        disc.Click(190, 35);
        bool iconic = false;
        for (int waited = 0; waited < 3000 && !iconic; waited += 100) {
            Pump(100);
            iconic = ::IsIconic(wnd) != FALSE;
        }
        EXPECT_TRUE(iconic) << "ID_MINIMIZE should minimise the window";
        EXPECT_TRUE(disc.Process().Running());
    });
}

TEST(AutorunMenu, CloseAndExitEndTheProgram)
{
    for (POINT at : {POINT{40, 75}, POINT{90, 75}}) {
        SCOPED_TRACE(at.x == 40 ? "ID_CLOSE" : "ID_EXIT");
        MenuDisc disc;
        ASSERT_TRUE(disc.Start());
        disc.Click(at.x, at.y);
        DWORD code = 1;
        EXPECT_TRUE(disc.Process().WaitExit(5000, &code));
        EXPECT_EQ(code, 0u);
    }
}

} // namespace
