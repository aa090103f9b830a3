#pragma once
// What the end-to-end tests of autorun.exe share: disc folders written for the
// menu, the menu started on them, and the screen compared with their pictures.
#include "tests/support/Bmp.h"
#include "tests/support/TempDir.h"
#include "tests/win/support/Desktop.h"
#include "tests/win/support/GdiTestSupport.h"
#include "tests/win/support/ProgramPaths.h"
#include "tests/support/TestSteps.h"
#include "skin/PictureLoader.h"
#include "platform/FileSystem.h"
#include "platform/WideText.h"
#include "platform/Win32Handles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <tuple>

inline constexpr const char* kTitle = "Setup Wizard...";

inline bool IsMagenta(std::uint32_t c) { return c == 0xFF00FF; }

// A window shape with rounded corners and a hole.
inline TestPicture MaskPicture(int w, int h)
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

inline const char kSkin[] = "[Screen]\r\nMain=main.bmp\r\nMask=mask.bmp\r\n";
inline const TestPicture kNoPicture{0, 0, {}};

inline RECT WindowRect(HWND wnd)
{
    RECT r{};
    ::GetWindowRect(wnd, &r);
    return r;
}

// The pointer moved to (x, y) of the window's client area; `nudged`: one pixel on after (a tooltip's cue).
inline void PointAt(HWND wnd, int x, int y, bool nudged = false)
{
    POINT p{x, y};
    ::ClientToScreen(wnd, &p);
    MoveMouse(p.x, p.y);
    if (nudged)
        MoveMouse(p.x + 1, p.y);
}

// The window's place and size on the screen.
inline std::tuple<LONG, LONG, LONG, LONG> PlaceAndSize(HWND wnd)
{
    const RECT r = WindowRect(wnd);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// Waits until the window's screen pixels inside its shape show `main`; returns
// how many differ at the end.
inline int DifferingPixels(HWND wnd, const TestPicture& main, const TestPicture& mask, int ms)
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

// Whether the screen at `rect` of the window shows that part of `picture`.
inline bool ShowsPart(HWND wnd, const RECT& rect, const TestPicture& picture)
{
    RECT screen = rect;
    ::MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&screen), 2);
    const TestPicture part =
        CropPicture(picture, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return WaitForScreen(screen, part.pixels, 2000) == 0;
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
        PointAt(m_wnd, x, y, true);
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

// The menu disc with a control of each kind that takes the focus, in the
// order they are made: image buttons, a ButtonEx, a label (which takes none),
// a trackbar at 50 and a progress bar; Over and Down pictures of their own.
struct KeyboardSkin {
    static constexpr RECT kButtons[] = {{20, 20, 60, 50}, {70, 20, 110, 50}, {120, 20, 160, 50}, {170, 20, 210, 50}};
    static constexpr RECT kLabel{20, 110, 280, 134}, kTrackbar{20, 150, 140, 180}, kBar{170, 150, 270, 170};
    TestPicture over = PatternPicture(MenuDisc::kW, MenuDisc::kH, 70);
    TestPicture down = PatternPicture(MenuDisc::kW, MenuDisc::kH, 140);

    explicit KeyboardSkin(MenuDisc& disc)
    {
        disc.Write("Data/main.ini", "[Screen]\r\nMain=main.bmp\r\nOver=over.bmp\r\nDown=down.bmp\r\nMask=mask.bmp\r\n"
                                    "[BUTTONINFO]\r\n1=ID_BUTTON1,20,20,40,30,,\r\n2=ID_BUTTON2,70,20,40,30,Second,\r\n"
                                    "3=ID_EXIT,120,20,40,30,,\r\n"
                                    "[BUTTONEXINFO]\r\n1=ID_SHAPE,170,20,40,30,,F,shape.bmp\r\n"
                                    "[TEXTINFO]\r\n1=ID_INFO,Arial,T,F,14,255,20,110,260,24,Welcome,\r\n"
                                    "[TRACKBARINFO]\r\n1=ID_TB,thumb.bmp,thumb.bmp,20,150,120,30,H,50,0\r\n"
                                    "[PROGRESSINFO]\r\n1=ID_BAR,Bar,170,150,100,20,F\r\n");
        disc.Write("Data/over.bmp", EncodeBmp24(over));
        disc.Write("Data/down.bmp", EncodeBmp24(down));
        disc.Write("Data/shape.bmp", EncodeBmp24({40, 30, std::vector<std::uint32_t>(40 * 30, 0)}));
        disc.Write("Data/thumb.bmp", EncodeBmp24({10, 30, std::vector<std::uint32_t>(10 * 30, 0x0000FE)}));
        disc.WriteInf("ID_BUTTON1=tool.exe\r\nID_BUTTON2=missing.exe\r\n",
                      "ID_BUTTON1=Runs the tool\r\nID_BUTTON2=Not there\r\n");
    }
};

// The control of the menu's window at the middle of `rect`.
inline HWND ControlAt(HWND wnd, const RECT& rect)
{
    return ::ChildWindowFromPoint(wnd, POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
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
inline std::vector<std::uint32_t> DrawnLabel(const TestPicture& back, const LabelLook& look, const std::string& text)
{
    TestMask pixels(back.width, back.height);
    pixels.pixels = back.pixels;
    const platform::UniqueBitmap dib = MakeDibSection(pixels);
    LOGFONTW lf{};
    lf.lfHeight = look.height;
    lf.lfWeight = look.bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    platform::Wide(look.face).copy(lf.lfFaceName, LF_FACESIZE - 1);
    const platform::UniqueFont font(::CreateFontIndirectW(&lf));
    {
        const platform::MemoryDc dc(::CreateCompatibleDC(nullptr));
        const platform::Selection bitmap(dc.Get(), dib.Get()), selected(dc.Get(), font.Get());
        ::SetBkMode(dc.Get(), TRANSPARENT);
        ::SetTextColor(dc.Get(), look.colour);
        RECT r{0, 0, back.width, back.height};
        const std::wstring wide = platform::Wide(text);
        ::DrawTextW(dc.Get(), wide.c_str(), static_cast<int>(wide.size()), &r, DT_VCENTER);
    }
    return ReadPixels(dib.Get()).pixels;
}

// Whether the window's region holds exactly the pixels of `mask` that are not magenta.
inline int RegionMismatches(HWND wnd, const TestPicture& mask)
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
