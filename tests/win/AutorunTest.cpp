// autorun.exe started as a user starts it, on disc folders written here.
#include "tests/support/Bmp.h"
#include "tests/win/support/Desktop.h"
#include "tests/win/support/ProgramPaths.h"
#include "tests/support/TempDir.h"
#include "tests/win/support/GdiTestSupport.h"
#include "skin/DisplayScale.h"
#include "skin/Picture.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"
#include "platform/WideText.h"
#include "platform/Win32Handles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <iostream>
#include <iterator>
#include <tuple>

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
    // `folder`: the disc's own folder below the temporary one (UTF-8), or none.
    explicit Disc(const std::string& folder = "") : m_folder(folder.empty() ? "" : folder + "/")
    {
        m_dir.Write(m_folder + "autorun.exe", "");
        m_exe = File("autorun.exe");
        EXPECT_TRUE(::CopyFileW(platform::Wide(AutorunExePath()).c_str(), platform::Wide(m_exe).c_str(), FALSE))
            << AutorunExePath();
    }
    void Write(const std::string& name, const std::string& bytes) { m_dir.Write(m_folder + name, bytes); }
    std::string File(const std::string& name) const { return m_dir.File(m_folder + name); }
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
    std::string m_folder;
    std::string m_exe;
    ChildProcess m_process; // ends before the folder is removed
};

const char kSkin[] = "[Screen]\r\nMain=main.bmp\r\nMask=mask.bmp\r\n";
const TestPicture kNoPicture{0, 0, {}};

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

// A mask that is missing or holds no picture gives the Main picture's size; one
// whose outline is too complex to shape gives its own. Either way the window
// stays rectangular and says so.
TEST(Autorun, AMaskThatGivesNoOutlineLeavesTheWindowRectangularAndSaysSo)
{
    const TestPicture main = PatternPicture(180, 110);
    TestPicture checker{360, 200, std::vector<std::uint32_t>(360 * 200, 0)};
    for (int y = 0; y < checker.height; ++y)
        for (int x = y % 2; x < checker.width; x += 2)
            checker.pixels[static_cast<std::size_t>(y * checker.width + x)] = 0xFF00FF; // 36,000 rectangles
    const struct {
        const char* what;
        const TestPicture* mask;
        SIZE size;
    } cases[] = {
        {"missing", nullptr, {180, 110}},
        {"0 x 0 in its header", &kNoPicture, {180, 110}},
        {"too complex an outline", &checker, {360, 200}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Disc disc;
        disc.WriteSkin(kSkin, main, c.mask);
        ASSERT_TRUE(disc.Start());
        MessageBoxInfo box = WaitForMessageBox(disc.Process().Id(), 15000);
        ASSERT_TRUE(box.wnd);
        EXPECT_EQ(box.text, "Resimden Region Oluurulamad");
        CloseMessageBox(box.wnd);
        HWND wnd = WaitForWindow(disc.Process().Id(), kTitle, "#32770", 5000);
        ASSERT_TRUE(wnd);
        RECT r = WindowRect(wnd);
        EXPECT_EQ(r.right - r.left, c.size.cx);
        EXPECT_EQ(r.bottom - r.top, c.size.cy);
        platform::UniqueRegion region(::CreateRectRgn(0, 0, 0, 0));
        EXPECT_EQ(::GetWindowRgn(wnd, region.Get()), ERROR) << "no outline";
        EXPECT_TRUE(disc.Process().Running());
    }
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

// The pointer comes to a button and presses it as soon as the window shows,
// perhaps before the looks that the first paint does not need are decoded:
// each look is right at once, and a missing Over picture stays as quiet as ever.
TEST(Autorun, HoverAndPressRightAfterTheWindowShows)
{
    const int w = 1200, h = 800;
    const TestPicture main = PatternPicture(w, h, 0), over = PatternPicture(w, h, 70), down = PatternPicture(w, h, 140);
    const RECT button{20, 20, 80, 50};
    for (bool withOver : {true, false}) {
        SCOPED_TRACE(withOver ? "with its Over picture" : "its Over picture missing");
        Disc disc;
        disc.Write("Data/main.ini", "[Screen]\r\nMain=main.bmp\r\nOver=over.bmp\r\nDown=down.bmp\r\n"
                                    "[BUTTONINFO]\r\n1=ID_BUTTON1,20,20,60,30,Install,\r\n");
        disc.Write("Data/main.bmp", EncodeBmp24(main));
        if (withOver)
            disc.Write("Data/over.bmp", EncodeBmp24(over));
        disc.Write("Data/down.bmp", EncodeBmp24(down));
        MoveMouse(w + 50, h + 50);
        ASSERT_TRUE(disc.Start());
        const DWORD pid = disc.Process().Id();
        HWND wnd = WaitForWindow(pid, kTitle, "#32770", 15000);
        ASSERT_TRUE(wnd);
        const DWORD shown = ::GetTickCount();
        POINT p{50, 35};
        ::ClientToScreen(wnd, &p);
        MoveMouse(p.x, p.y);
        const DWORD hovered = ::GetTickCount() - shown;
        EXPECT_TRUE(ShowsPart(wnd, button, withOver ? over : main)) << "hovered";
        MouseButton(true);
        EXPECT_TRUE(ShowsPart(wnd, button, down)) << "pressed";
        MoveMouse(w + 50, h + 50); // released away: no click
        MouseButton(false);
        EXPECT_TRUE(ShowsPart(wnd, button, main)) << "at rest";
        std::printf("hovered %lu ms after the window showed\n", static_cast<unsigned long>(hovered));
        EXPECT_FALSE(WaitForMessageBox(pid, 500).wnd);
        EXPECT_TRUE(disc.Process().Running());
    }
}

// A skin of 2,000 buttons, each with its tooltip: it opens, a sample of the
// buttons show their own texts, and it ends. The bounds only catch a hang.
TEST(Autorun, TwoThousandButtonsOpenShowTheirTooltipsAndEnd)
{
    constexpr int kColumns = 50, kButtons = 2000, kSide = 16;
    const int w = kColumns * kSide, h = kButtons / kColumns * kSide;
    std::string ini = "[Screen]\r\nMain=main.bmp\r\n[BUTTONINFO]\r\n";
    for (int i = 0; i < kButtons; ++i)
        ini += std::to_string(i + 1) + "=ID_" + std::to_string(i + 1) + "," + std::to_string(i % kColumns * kSide) +
               "," + std::to_string(i / kColumns * kSide) + "," + std::to_string(kSide) + "," +
               std::to_string(kSide) + ",Button number " + std::to_string(i + 1) + ",\r\n";
    Disc disc;
    disc.Write("Data/main.ini", ini);
    disc.Write("Data/main.bmp", EncodeBmp24(PatternPicture(w, h)));
    ASSERT_TRUE(disc.Start());
    const DWORD pid = disc.Process().Id();
    HWND wnd = WaitForWindow(pid, kTitle, "#32770", 120000);
    ASSERT_TRUE(wnd);
    ::SetForegroundWindow(wnd);
    for (int i : {0, 1, 977, 1234, kButtons - 1}) {
        POINT p{i % kColumns * kSide + kSide / 2, i / kColumns * kSide + kSide / 2};
        ::ClientToScreen(wnd, &p);
        const std::string text = "Button number " + std::to_string(i + 1);
        // The pointer goes on moving on the button, as a hand's does, until
        // the tip shows: after one hop and a nudge from the button before,
        // Wine 10 on a loaded machine at times showed none within 5 s (in
        // about one run in two at a load of 8 on 2 cores; never on Wine 8).
        std::string shown;
        for (int nudge = 0; nudge < 5 && shown != text; ++nudge) {
            MoveMouse(p.x + nudge % 2, p.y);
            shown = WaitForToolTip(pid, 1500, text);
        }
        EXPECT_EQ(shown, text);
    }
    ::SetForegroundWindow(wnd);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(disc.Process().WaitExit(120000)) << "Escape must end the program";
}

// A disc whose buttons act on AUTORUN.INF, with the information label and a
// ticker; "tool.exe" records that it ran in "tool.exe.log".
class MenuDisc {
public:
    static constexpr int kW = 300, kH = 200;

    explicit MenuDisc(const std::string& folder = "") : m_disc(folder), m_main(PatternPicture(kW, kH))
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
        PutTool("tool.exe");
    }
    // A copy of the demo disc `demo` (a folder below demo/ of the source tree),
    // with the main picture read back as the menu reads it.
    MenuDisc(const std::string& folder, const char* demo) : m_disc(folder)
    {
        namespace fs = std::filesystem;
        const fs::path from = fs::u8path(BuildPath(AK_DEMO_DISCS) + "\\" + demo);
        // File by file: a recursive filesystem::copy of the folder copied nothing under Wine.
        for (const auto& entry : fs::recursive_directory_iterator(from))
            if (entry.is_regular_file())
                m_disc.Write(fs::relative(entry.path(), from).u8string(),
                             platform::ReadWholeFile(entry.path().u8string()).value_or(""));
        CBitmap main;
        SIZE size{};
        LoadPicture(m_disc.File("Data/main.jpg"), main, size);
        const TestMask pixels = ReadPixels(main.GetSafeHandle());
        m_main = TestPicture{pixels.width, pixels.height, pixels.pixels};
    }
    // `program` (the recorder by default) copied to `name`, its folders made.
    void PutTool(const std::string& name, const std::string& program = RecorderExePath())
    {
        m_disc.Write(name, "");
        EXPECT_TRUE(::CopyFileW(platform::Wide(program).c_str(), platform::Wide(m_disc.File(name)).c_str(), FALSE))
            << program;
    }
    void Write(const std::string& name, const std::string& bytes) { m_disc.Write(name, bytes); }

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
        wchar_t text[512] = {};
        const int n = ::GetWindowTextW(label, text, 512);
        return platform::Narrow(text, static_cast<std::size_t>(n > 0 ? n : 0));
    }
    bool ToolRan(int ms, const std::string& tool = "tool.exe") const
    {
        for (int waited = 0; waited <= ms; waited += 100) {
            if (::GetFileAttributesW(platform::Wide(m_disc.File(tool + ".log")).c_str()) != INVALID_FILE_ATTRIBUTES)
                return true;
            Pump(100);
        }
        return false;
    }
    void ForgetToolRun() const { ::DeleteFileW(platform::Wide(m_disc.File("tool.exe.log")).c_str()); }
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

namespace {

// Texts in Turkish, Greek, Cyrillic and Chinese: nothing the ANSI code page
// here (1252) can hold. Wine has no one font with all of them, so each label
// has the texts its font can show.
const char kFolder[] = "Disk \xC5\x9F \xCE\xA9 \xD0\x96 \xE4\xB8\xAD";
const char kTool[] = "Kurulum \xC4\xB0 \xCE\xA9 \xD0\x96 \xE4\xB8\xAD.exe";
const char kTip[] = "Kur \xC5\x9F \xCE\xA9 \xD0\x96 \xE4\xB8\xAD";
const char kWelcome[] = "Ho\xC5\x9F geldiniz \xCE\xA9\xCE\xBB \xD0\x96\xD1\x83";
const char kInfo[] = "Kurulum ba\xC5\x9Flad\xC4\xB1 \xCE\xA3 \xD0\x94";
const char kChinese[] = "\xE4\xB8\xAD\xE6\x96\x87\xE5\xAE\x89\xE8\xA3\x85";
constexpr RECT kInfoRect{20, 110, 280, 134}, kChineseRect{20, 150, 280, 174};

std::string Encoded(const std::string& utf8, platform::TextEncoding encoding)
{
    if (encoding == platform::TextEncoding::Utf8Bom)
        return "\xEF\xBB\xBF" + utf8;
    if (encoding != platform::TextEncoding::Utf16Le)
        return utf8;
    std::string out = "\xFF\xFE";
    for (char16_t unit : platform::Utf8ToUtf16(utf8)) {
        out += static_cast<char>(unit & 0xFF);
        out += static_cast<char>(unit >> 8);
    }
    return out;
}

// A label's font and colour as its control line gives them.
struct LabelLook {
    const char* face;
    int height = 16;
    bool bold = false;
    COLORREF colour = 0;
};

// `text` drawn as a label draws it (the background, then the text at the
// top-left). Wine's windows draw into DIB surfaces, so a DIB here gets the
// very pixels the screen shows.
std::vector<std::uint32_t> DrawnLabel(const TestPicture& back, const LabelLook& look, const std::string& text)
{
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, back.width, -back.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP dib = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ oldBitmap = ::SelectObject(dc, dib);
    auto* pixels = static_cast<std::uint32_t*>(bits);
    std::copy(back.pixels.begin(), back.pixels.end(), pixels);
    LOGFONTW lf{};
    lf.lfHeight = look.height;
    lf.lfWeight = look.bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    const std::wstring wideFace = platform::Wide(look.face);
    wideFace.copy(lf.lfFaceName, LF_FACESIZE - 1);
    HFONT font = ::CreateFontIndirectW(&lf);
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, look.colour);
    RECT r{0, 0, back.width, back.height};
    const std::wstring wide = platform::Wide(text);
    ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, DT_VCENTER);
    ::GdiFlush();
    std::vector<std::uint32_t> drawn(pixels, pixels + back.pixels.size());
    for (auto& p : drawn)
        p &= 0x00FFFFFF;
    ::SelectObject(dc, oldFont);
    ::DeleteObject(font);
    ::SelectObject(dc, oldBitmap);
    ::DeleteObject(dib);
    ::DeleteDC(dc);
    return drawn;
}

// Every character beyond ASCII replaced by `stand`: how a lost text would look.
std::string Replaced(const std::string& text, const std::string& stand)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const platform::Utf8Step step = platform::DecodeUtf8(text, i);
        out += step.codePoint < 0x80 ? std::string(1, text[i]) : stand;
        i += step.length;
    }
    return out;
}

// The label at `rect` shows `text` in `face`: the very pixels of our own
// DrawTextW, which differ from question marks and from missing-glyph boxes.
void ExpectLabelShows(MenuDisc& disc, RECT rect, const LabelLook& look, const std::string& text)
{
    const TestPicture back =
        CropPicture(disc.Main(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    const char* face = look.face;
    const std::vector<std::uint32_t> expected = DrawnLabel(back, look, text);
    EXPECT_NE(expected, DrawnLabel(back, look, Replaced(text, "?"))) << face << " draws question marks";
    EXPECT_NE(expected, DrawnLabel(back, look, Replaced(text, "\xCD\xB8"))) << face << " lacks the glyphs"; // U+0378
    ::SetForegroundWindow(disc.Window());
    EXPECT_EQ(WaitForScreen(disc.ScreenRect(rect), expected, 3000), 0) << text;
}

bool HasFont(const char* face)
{
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    platform::Wide(face).copy(lf.lfFaceName, LF_FACESIZE - 1);
    HDC dc = ::GetDC(nullptr);
    bool found = false;
    ::EnumFontFamiliesExW(
        dc, &lf, [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM flag) -> int {
            *reinterpret_cast<bool*>(flag) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, dc);
    return found;
}

class AutorunUnicode : public ::testing::TestWithParam<platform::TextEncoding> {};

TEST_P(AutorunUnicode, NamesAndTextsInEveryScript)
{
    const platform::TextEncoding encoding = GetParam();
    MenuDisc disc(kFolder);
    disc.Write("Data/ana \xC5\x9F.bmp", EncodeBmp24(disc.Main()));
    disc.Write("Data/maske \xD0\x96.bmp", EncodeBmp24(MaskPicture(MenuDisc::kW, MenuDisc::kH)));
    disc.Write("Data/main.ini",
               Encoded(std::string("[Screen]\r\nMain=ana \xC5\x9F.bmp\r\nMask=maske \xD0\x96.bmp\r\n[BUTTONINFO]\r\n"
                                   "1=ID_BUTTON1,20,20,40,30,") + kTip + ",\r\n[TEXTINFO]\r\n" +
                           "1=ID_INFO,DejaVu Sans,0,0,16,0,20,110,260,24," + kWelcome + ",\r\n" +
                           "2=ID_CN,WenQuanYi Zen Hei,0,0,16,0,20,150,260,24," + kChinese + ",\r\n",
                       encoding));
    disc.Write("AUTORUN.INF", Encoded(std::string("[RUN_FILES]\r\nID_BUTTON1=") + kTool + "\r\n[TEXT_INFO]\r\n" +
                                          "ID_BUTTON1=" + kInfo + "\r\n",
                                      encoding));
    disc.PutTool(kTool);
    ASSERT_TRUE(disc.Start()) << "a window shaped by the mask named in " << platform::EncodingName(encoding);

    HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(disc.Window(), rgn), ERROR);
    EXPECT_FALSE(::PtInRegion(rgn, 0, 0)); // a rounded corner of the mask
    EXPECT_TRUE(::PtInRegion(rgn, 150, 100));
    ::DeleteObject(rgn);

    EXPECT_EQ(disc.LabelText(30, 115), kWelcome);
    EXPECT_EQ(disc.LabelText(30, 155), kChinese);
    ExpectLabelShows(disc, kInfoRect, {"DejaVu Sans"}, kWelcome);
    // scripts/deps.sh installs the font for Wine 8; a Wine 10 chroot made before it was
    // added to scripts/wine10.sh lacks it, and would show boxes.
    if (HasFont("WenQuanYi Zen Hei"))
        ExpectLabelShows(disc, kChineseRect, {"WenQuanYi Zen Hei"}, kChinese);
    else
        std::cout << "no WenQuanYi Zen Hei in this Wine: the Chinese glyphs are not compared\n";

    POINT p{40, 35};
    ::ClientToScreen(disc.Window(), &p);
    MoveMouse(p.x, p.y);
    MoveMouse(p.x + 1, p.y);
    EXPECT_EQ(WaitForToolTip(disc.Pid(), 3000, kTip), kTip);

    disc.Click(40, 35);
    EXPECT_TRUE(disc.ToolRan(10000, kTool)) << "the program named in AUTORUN.INF";
    EXPECT_FALSE(WaitForMessageBox(disc.Pid(), 300).wnd);
    EXPECT_EQ(disc.LabelText(30, 115), kInfo);
    ExpectLabelShows(disc, kInfoRect, {"DejaVu Sans"}, kInfo);
}

INSTANTIATE_TEST_SUITE_P(Encodings, AutorunUnicode,
                         ::testing::Values(platform::TextEncoding::Utf8, platform::TextEncoding::Utf8Bom,
                                           platform::TextEncoding::Utf16Le),
                         [](const auto& p) {
                             return std::string(p.param == platform::TextEncoding::Utf8      ? "Utf8"
                                                : p.param == platform::TextEncoding::Utf8Bom ? "Utf8Bom"
                                                                                             : "Utf16Le");
                         });

// An old disc in the ANSI code page reads as it always did.
TEST(AutorunUnicode, AnAnsiDiscStillShowsItsLetters)
{
    MenuDisc disc;
    disc.WriteInf("ID_BUTTON1=tool.exe\r\n", "ID_BUTTON1=Caf\xE9\r\n");
    ASSERT_TRUE(disc.Start());
    disc.Click(40, 35);
    EXPECT_TRUE(disc.ToolRan(10000));
    EXPECT_EQ(disc.LabelText(30, 115), "Caf\xC3\xA9");
}

// The Turkish demo disc as it ships, in a folder whose name the ANSI code page
// cannot hold: its title in Tahoma, and the auto-setup button starting, through
// verpick, the installer whose name holds a blank and an "\xC5\x9F".
TEST(AutorunUnicode, TheTurkishDemoDisc)
{
    const char title[] = "\xC4\xB0stedi\xC4\x9Finiz i\xC5\x9Flemi se\xC3\xA7in";
    const char info[] = "Windows s\xC3\xBCr\xC3\xBCm\xC3\xBCn\xC3\xBCze uygun kurulum ba\xC5\x9Flat\xC4\xB1l\xC4\xB1yor...";
    const char installer[] = "Kurulum\\Vista\\Kurulum \xC5\x9F.exe";
    MenuDisc disc("Halcyon \xC3\xA7", "disc-tr");
    disc.PutTool("verpick.exe", VerpickExePath());
    disc.PutTool(installer);
    ASSERT_TRUE(disc.Start());
    EXPECT_EQ(disc.LabelText(30, 90), title);
    ExpectLabelShows(disc, {24, 84, 384, 104}, {"Tahoma", -14, true, 16381425}, title);

    disc.Click(296, 304); // ID_BUTTON8
    EXPECT_TRUE(disc.ToolRan(15000, installer)) << "started by verpick from config.ini";
    EXPECT_EQ(disc.LabelText(60, 350), info);
    ExpectLabelShows(disc, {52, 346, 568, 364}, {"Tahoma", -13, false, 14271412}, info);
}

} // namespace

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

// Whether the window's region holds exactly the pixels of `mask` that are not magenta.
int RegionMismatches(HWND wnd, const TestPicture& mask)
{
    platform::UniqueRegion rgn(::CreateRectRgn(0, 0, 0, 0));
    if (::GetWindowRgn(wnd, rgn.Get()) == ERROR)
        return -1;
    int wrong = 0;
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x)
            if ((::PtInRegion(rgn.Get(), x, y) != FALSE) == IsMagenta(mask.At(x, y)))
                ++wrong;
    return wrong;
}

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
    const RECT r = WindowRect(wnd);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, 2 * w);
    EXPECT_EQ(r.bottom - r.top, 2 * h);
    EXPECT_EQ(RegionMismatches(wnd, mask2x), 0) << "pixels where the region and mask@2x disagree";
    const RECT label{20, 124, 220, 156};
    TestPicture outsideLabel = mask2x; // the label draws its text over the picture
    for (int y = label.top; y < label.bottom; ++y)
        for (int x = label.left; x < label.right; ++x)
            outsideLabel.pixels[static_cast<std::size_t>(y * outsideLabel.width + x)] = 0xFF00FF;
    EXPECT_EQ(DifferingPixels(wnd, main2x, outsideLabel, 3000), 0) << "screen pixels that are not main@2x's";

    const RECT button{42, 70, 120, 120}; // 21, 35, 39 × 25 at 2x
    POINT p{80, 95};
    ::ClientToScreen(wnd, &p);
    MoveMouse(p.x, p.y);
    MoveMouse(p.x + 1, p.y);
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
        POINT p = probe.at;
        ::ClientToScreen(wnd, &p);
        MoveMouse(p.x, p.y);
        for (int b = 0; b < 2; ++b)
            EXPECT_TRUE(ShowsPart(wnd, buttons[b], b == probe.hovered ? over15 : main15)) << "button " << b + 1;
    }
}

} // namespace
