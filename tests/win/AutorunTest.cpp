// autorun.exe started as a user starts it, on disc folders written here.
#include "Bmp.h"
#include "Desktop.h"
#include "ProgramPaths.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

constexpr const char* kTitle = "Setup Wizard...";

bool IsMagenta(std::uint32_t c) { return c == 0xFF00FF; }

// A window shape with rounded corners and a hole.
TestPicture MaskPicture(int w, int h)
{
    TestPicture p{w, h, std::vector<std::uint32_t>(static_cast<std::size_t>(w * h), 0x000000)};
    const int r = 16;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            int cx = x < r ? r : (x >= w - r ? w - r - 1 : x);
            int cy = y < r ? r : (y >= h - r ? h - r - 1 : y);
            bool outside = (x - cx) * (x - cx) + (y - cy) * (y - cy) > r * r;
            bool hole = x >= w - 40 && x < w - 30 && y >= 20 && y < 30;
            if (outside || hole)
                p.pixels[static_cast<std::size_t>(y * w + x)] = 0xFF00FF;
        }
    return p;
}

class Disc {
public:
    Disc()
    {
        m_exe = m_dir.File("autorun.exe");
        EXPECT_TRUE(::CopyFileA(AutorunExePath().c_str(), m_exe.c_str(), FALSE)) << AutorunExePath();
    }
    void Write(const std::string& name, const std::string& bytes) { m_dir.Write(name, bytes); }
    std::string File(const std::string& name) const { return m_dir.File(name); }
    void WriteSkin(const std::string& ini, const TestPicture& main, const TestPicture* mask)
    {
        Write("Data/main.ini", ini);
        Write("Data/main.bmp", EncodeBmp24(main));
        if (mask)
            Write("Data/mask.bmp", EncodeBmp24(*mask));
    }
    bool Start() { return m_process.Start(m_exe, m_dir.Path()); }
    // Starts the menu and waits for its dialog window: null when none shows.
    HWND StartAndWait(int ms)
    {
        return Start() ? WaitForWindow(m_process.Id(), kTitle, "#32770", ms) : nullptr;
    }
    ChildProcess& Process() { return m_process; }

private:
    TempDir m_dir;
    std::string m_exe;
    ChildProcess m_process; // ends before the folder is removed
};

const char kSkin[] = "[Screen]\r\nMain=main.bmp\r\nMask=mask.bmp\r\n";

RECT WindowRect(HWND wnd)
{
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return r;
}

// Waits until the window's screen pixels inside its shape show `main`; returns
// how many differ at the end.
int DifferingPixels(HWND wnd, const TestPicture& main, const TestPicture& mask, int ms)
{
    int differing = -1;
    for (int waited = 0; waited <= ms && differing != 0; waited += 100) {
        Pump(100);
        RECT r = WindowRect(wnd);
        auto screen = CaptureScreen(r);
        differing = 0;
        for (int y = 0; y < mask.height; ++y)
            for (int x = 0; x < mask.width; ++x)
                if (!IsMagenta(mask.At(x, y)) &&
                    screen[static_cast<std::size_t>(y * (r.right - r.left) + x)] != main.At(x, y))
                    ++differing;
    }
    return differing;
}

TEST(Autorun, OpensShapedAtTheOriginAndShowsTheMainPicture)
{
    const TestPicture mask = MaskPicture(240, 150), main = PatternPicture(240, 150);
    Disc disc;
    disc.WriteSkin(kSkin, main, &mask);
    HWND wnd = disc.StartAndWait(15000);
    ASSERT_TRUE(wnd) << "no window titled " << kTitle;

    RECT r = WindowRect(wnd);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, 240);
    EXPECT_EQ(r.bottom - r.top, 150);

    HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(wnd, rgn), ERROR);
    int wrong = 0;
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x)
            if ((::PtInRegion(rgn, x, y) != FALSE) == IsMagenta(mask.At(x, y)))
                ++wrong;
    ::DeleteObject(rgn);
    EXPECT_EQ(wrong, 0) << "pixels where the window's region and the mask disagree";

    int differing = DifferingPixels(wnd, main, mask, 3000);
    if (differing)
        SaveScreen(WindowRect(wnd), "autorun-screen.bmp");
    EXPECT_EQ(differing, 0) << "screen pixels inside the shape that are not the Main picture's";
}

TEST(Autorun, DragsByTheBackgroundKeepsOpenOnEnterEndsOnEscape)
{
    const TestPicture mask = MaskPicture(240, 150), main = PatternPicture(240, 150);
    Disc disc;
    disc.WriteSkin(kSkin, main, &mask);
    HWND wnd = disc.StartAndWait(15000);
    ASSERT_TRUE(wnd);
    Pump(300);

    // Twice: the second drag starts from a window that is no longer at the origin.
    POINT expected{0, 0};
    for (int i = 0; i < 2; ++i) {
        RECT r = WindowRect(wnd);
        int x = r.left + 60, y = r.top + 70;
        MoveMouse(x, y);
        MouseButton(true);
        DragTo(x, y, x + 50, y + 30);
        MouseButton(false);
        Pump(200);
        expected = {expected.x + 50, expected.y + 30};
        r = WindowRect(wnd);
        EXPECT_EQ(r.left, expected.x) << "drag " << i;
        EXPECT_EQ(r.top, expected.y) << "drag " << i;
    }

    ::SetForegroundWindow(wnd);
    PressKey(VK_RETURN);
    Pump(500);
    EXPECT_TRUE(disc.Process().Running()) << "Enter must leave the menu open";
    EXPECT_TRUE(::IsWindow(wnd));

    ::SetForegroundWindow(wnd);
    PressKey(VK_ESCAPE);
    DWORD code = 1;
    EXPECT_TRUE(disc.Process().WaitExit(5000, &code)) << "Escape must end the program";
    EXPECT_EQ(code, 0u);
}

TEST(Autorun, WithoutASkinFileShowsAnEmptyWindowAndReportsTheMissingShape)
{
    Disc disc;
    ASSERT_TRUE(disc.Start());
    // Every skin value reads empty: there is no mask to shape the window by.
    MessageBoxInfo box = WaitForMessageBox(disc.Process().Id(), 15000);
    ASSERT_TRUE(box.wnd) << "expected the region failure message";
    EXPECT_EQ(box.caption, "Hata");
    EXPECT_EQ(box.text, "Resimden Region Oluurulamad");
    CloseMessageBox(box.wnd);

    HWND wnd = WaitForWindow(disc.Process().Id(), kTitle, "#32770", 5000);
    ASSERT_TRUE(wnd);
    EXPECT_EQ(box.owner, wnd);
    RECT r = WindowRect(wnd);
    EXPECT_GT(r.right - r.left, 0); // the template's size, not nothing
    EXPECT_GT(r.bottom - r.top, 0);
    EXPECT_TRUE(disc.Process().Running());
}

TEST(Autorun, AMissingMaskGivesTheMainPicturesSize)
{
    const TestPicture main = PatternPicture(180, 110);
    Disc disc;
    disc.WriteSkin(kSkin, main, nullptr);
    ASSERT_TRUE(disc.Start());
    MessageBoxInfo box = WaitForMessageBox(disc.Process().Id(), 15000);
    ASSERT_TRUE(box.wnd);
    EXPECT_EQ(box.text, "Resimden Region Oluurulamad");
    CloseMessageBox(box.wnd);
    HWND wnd = WaitForWindow(disc.Process().Id(), kTitle, "#32770", 5000);
    ASSERT_TRUE(wnd);
    RECT r = WindowRect(wnd);
    EXPECT_EQ(r.right - r.left, 180);
    EXPECT_EQ(r.bottom - r.top, 110);
}

} // namespace

namespace {

// Whether the screen at `rect` of the window shows that part of `picture`.
bool ShowsPart(HWND wnd, const RECT& rect, const TestPicture& picture)
{
    RECT screen = rect;
    ::MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&screen), 2);
    const TestPicture part =
        CropPicture(picture, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return WaitForScreen(screen, part.pixels, 2000) == 0;
}

TEST(Autorun, ImageButtonsFollowThePointerShowTheirTooltipAndActOnAClick)
{
    const int w = 200, h = 120;
    const TestPicture main = PatternPicture(w, h, 0), over = PatternPicture(w, h, 70),
                      down = PatternPicture(w, h, 140);
    Disc disc;
    disc.Write("Data/main.ini", "[Screen]\r\nMain=main.bmp\r\nOver=over.bmp\r\nDown=down.bmp\r\n"
                                "[BUTTONINFO]\r\n1=ID_BUTTON1,20,20,60,30,Install the program,\r\n");
    disc.Write("Data/main.bmp", EncodeBmp24(main));
    disc.Write("Data/over.bmp", EncodeBmp24(over));
    disc.Write("Data/down.bmp", EncodeBmp24(down));
    disc.Write("AUTORUN.INF", "[RUN_FILES]\r\nID_BUTTON1=missing.exe\r\n");
    ASSERT_TRUE(disc.Start());
    const DWORD pid = disc.Process().Id();
    HWND wnd = WaitForWindow(pid, kTitle, "#32770", 15000);
    ASSERT_TRUE(wnd);
    ::SetForegroundWindow(wnd);
    const RECT button{20, 20, 80, 50};
    auto at = [&](int x, int y) {
        POINT p{x, y};
        ::ClientToScreen(wnd, &p);
        MoveMouse(p.x, p.y);
    };
    at(150, 100);
    EXPECT_TRUE(ShowsPart(wnd, button, main)) << "at rest";

    at(50, 35);
    EXPECT_TRUE(ShowsPart(wnd, button, over)) << "hovered";
    at(51, 35);
    EXPECT_EQ(WaitForToolTip(pid, 3000), "Install the program");

    // Released outside: nothing happens.
    MouseButton(true);
    EXPECT_TRUE(ShowsPart(wnd, button, down)) << "pressed";
    for (auto [x, y] : {std::pair{90, 50}, std::pair{120, 80}, std::pair{150, 100}})
        at(x, y);
    EXPECT_TRUE(ShowsPart(wnd, button, main)) << "dragged off";
    MouseButton(false);
    EXPECT_FALSE(WaitForMessageBox(pid, 500).wnd);

    // Released inside: the menu acts on the button's name.
    at(40, 28);
    MouseButton(true);
    MouseButton(false);
    MessageBoxInfo box = WaitForMessageBox(pid, 5000);
    ASSERT_TRUE(box.wnd);
    EXPECT_EQ(box.text, "File Not Found !");
    CloseMessageBox(box.wnd);
    Pump(300);
    EXPECT_FALSE(WaitForMessageBox(pid, 500).wnd) << "one click, one message";
    EXPECT_TRUE(disc.Process().Running());
}

} // namespace

namespace {

// A disc whose buttons act on AUTORUN.INF, with the information label and a
// ticker; "tool.exe" records that it ran in "tool.exe.log".
class MenuDisc {
public:
    static constexpr int kW = 300, kH = 200;

    MenuDisc() : m_main(PatternPicture(kW, kH))
    {
        const TestPicture mask = MaskPicture(kW, kH);
        m_disc.WriteSkin("[Screen]\r\nMain=main.bmp\r\nMask=mask.bmp\r\n"
                         "[BUTTONINFO]\r\n"
                         "1=ID_BUTTON1,20,20,40,30,,\r\n"
                         "2=ID_BUTTON2,70,20,40,30,,\r\n"
                         "3=id_exit,120,20,40,30,,\r\n"
                         "4=ID_MINIMIZE,170,20,40,30,,\r\n"
                         "5=ID_CLOSE,20,60,40,30,,\r\n"
                         "6=ID_EXIT,70,60,40,30,,\r\n"
                         "[TEXTINFO]\r\n"
                         "1=ID_INFO,Arial,T,F,14,255,20,110,260,24,Welcome,\r\n"
                         "2=ID_TITLE,Arial,F,F,14,0,20,150,120,20,"
                         "A title far longer than its label can show at once,\r\n",
                         m_main, &mask);
        EXPECT_TRUE(::CopyFileA(RecorderExePath().c_str(), m_disc.File("tool.exe").c_str(), FALSE));
    }

    bool Start()
    {
        if (!m_disc.Start())
            return false;
        m_wnd = WaitForWindow(Pid(), kTitle, "#32770", 15000);
        if (m_wnd)
            ::SetForegroundWindow(m_wnd);
        Pump(300);
        return m_wnd != nullptr;
    }
    void WriteInf(const std::string& runFiles, const std::string& textInfo)
    {
        m_disc.Write("AUTORUN.INF", "[RUN_FILES]\r\n" + runFiles + "[TEXT_INFO]\r\n" + textInfo);
    }
    void Click(int x, int y) const
    {
        POINT p{x, y};
        ::ClientToScreen(m_wnd, &p);
        MoveMouse(p.x, p.y);
        MoveMouse(p.x + 1, p.y);
        MouseButton(true);
        MouseButton(false);
    }
    // The text of the label at that point of the dialog.
    std::string LabelText(int x, int y) const
    {
        HWND label = ::ChildWindowFromPoint(m_wnd, POINT{x, y});
        if (!label || label == m_wnd)
            return "(no label)";
        char text[512] = {};
        ::GetWindowTextA(label, text, sizeof text);
        return text;
    }
    bool ToolRan(int ms) const
    {
        for (int waited = 0; waited <= ms; waited += 100) {
            if (::GetFileAttributesA(m_disc.File("tool.exe.log").c_str()) != INVALID_FILE_ATTRIBUTES)
                return true;
            Pump(100);
        }
        return false;
    }
    void ForgetToolRun() const { ::DeleteFileA(m_disc.File("tool.exe.log").c_str()); }
    RECT ScreenRect(RECT r) const
    {
        ::MapWindowPoints(m_wnd, nullptr, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    DWORD Pid() { return m_disc.Process().Id(); }
    ChildProcess& Process() { return m_disc.Process(); }
    HWND Window() const { return m_wnd; }
    const TestPicture& Main() const { return m_main; }

private:
    Disc m_disc;
    TestPicture m_main;
    HWND m_wnd = nullptr;
};

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

    // A text longer than its label scrolls: the screen changes step by step.
    const std::vector<std::uint32_t> before = CaptureScreen(disc.ScreenRect(title));
    bool moved = false;
    for (int waited = 0; waited < 2000 && !moved; waited += 200) {
        Pump(200);
        moved = CaptureScreen(disc.ScreenRect(title)) != before;
    }
    EXPECT_TRUE(moved) << "the long title should scroll";

    // A file that exists: the shell runs it, the label shows the text as written.
    disc.Click(40, 35);
    EXPECT_TRUE(disc.ToolRan(10000)) << "ID_BUTTON1 should start tool.exe";
    EXPECT_EQ(disc.LabelText(30, 115), "Runs the tool");
    EXPECT_FALSE(WaitForMessageBox(pid, 300).wnd);
    const TestPicture infoBack = CropPicture(disc.Main(), info.left, info.top, 260, 24);
    EXPECT_NE(WaitForScreen(disc.ScreenRect(info), infoBack.pixels, 500), 0) << "the label draws its text";
    EXPECT_TRUE(disc.Process().Running());
    EXPECT_TRUE(::IsWindowVisible(wnd));

    // A missing file: the label still changes, a box reports it, nothing runs.
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

    // AUTORUN.INF is read at every click.
    disc.WriteInf("ID_BUTTON2=tool.exe\r\n", "ID_BUTTON2=Now it is there\r\n");
    ::SetForegroundWindow(wnd);
    Pump(200);
    disc.Click(90, 35);
    EXPECT_TRUE(disc.ToolRan(10000)) << "the edited entry should take effect";
    EXPECT_EQ(disc.LabelText(30, 115), "Now it is there");
    EXPECT_FALSE(WaitForMessageBox(pid, 300).wnd);

    // Names are compared with case: id_exit is not ID_EXIT.
    ::SetForegroundWindow(wnd);
    disc.Click(140, 35);
    Pump(500);
    EXPECT_TRUE(disc.Process().Running());
    EXPECT_FALSE(WaitForMessageBox(pid, 200).wnd);

    disc.Click(190, 35);
    bool iconic = false;
    for (int waited = 0; waited < 3000 && !iconic; waited += 100) {
        Pump(100);
        iconic = ::IsIconic(wnd) != FALSE;
    }
    EXPECT_TRUE(iconic) << "ID_MINIMIZE should minimise the window";
    EXPECT_TRUE(disc.Process().Running());
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
