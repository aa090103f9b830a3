#include "tests/win/support/Desktop.h"

#include "tests/support/Bmp.h"
#include "platform/WideText.h"
#include "platform/Win32Handles.h"

#include <fstream>
#include <stdexcept>

ChildProcess::~ChildProcess()
{
    if (m_info.hProcess) {
        if (Running()) {
            ::TerminateProcess(m_info.hProcess, 99);
            ::WaitForSingleObject(m_info.hProcess, 5000);
        }
        ::CloseHandle(m_info.hThread);
        ::CloseHandle(m_info.hProcess);
    }
}

UserRegistryValue::UserRegistryValue(std::string key, std::string name, DWORD type, const std::string& bytes)
    : m_key(std::move(key)), m_name(std::move(name))
{
    DWORD size = 0;
    if (::RegGetValueA(HKEY_CURRENT_USER, m_key.c_str(), m_name.c_str(), RRF_RT_ANY, &m_oldType, nullptr, &size) ==
        ERROR_SUCCESS) {
        m_old.resize(size);
        m_had = ::RegGetValueA(HKEY_CURRENT_USER, m_key.c_str(), m_name.c_str(), RRF_RT_ANY, &m_oldType,
                               m_old.data(), &size) == ERROR_SUCCESS;
        m_old.resize(size);
    }
    if (!Set(type, &bytes))
        throw std::runtime_error("cannot write HKCU\\" + m_key + ", " + m_name);
}

UserRegistryValue::~UserRegistryValue()
{
    Set(m_oldType, m_had ? &m_old : nullptr);
}

bool UserRegistryValue::Set(DWORD type, const std::string* bytes) const
{
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, m_key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    platform::RegistryKey owner(key);
    return (bytes ? ::RegSetValueExA(key, m_name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes->data()),
                                     static_cast<DWORD>(bytes->size()))
                  : ::RegDeleteValueA(key, m_name.c_str())) == ERROR_SUCCESS;
}

bool ChildProcess::Start(const std::string& exe, const std::string& workDir)
{
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring cmd = platform::Wide("\"" + exe + "\"");
    const std::wstring dir = platform::Wide(workDir);
    return ::CreateProcessW(platform::Wide(exe).c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            workDir.empty() ? nullptr : dir.c_str(), &si, &m_info) != FALSE;
}

bool ChildProcess::Running() const
{
    return m_info.hProcess && ::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

bool ChildProcess::WaitExit(int ms, DWORD* code) const
{
    if (!m_info.hProcess || ::WaitForSingleObject(m_info.hProcess, static_cast<DWORD>(ms)) != WAIT_OBJECT_0)
        return false;
    DWORD c = 0;
    ::GetExitCodeProcess(m_info.hProcess, &c);
    if (code)
        *code = c;
    return true;
}

namespace {

std::string TextOf(HWND wnd)
{
    wchar_t buf[1024] = {};
    const int n = ::GetWindowTextW(wnd, buf, 1024);
    return platform::Narrow(buf, static_cast<std::size_t>(n > 0 ? n : 0));
}

std::string ClassOf(HWND wnd)
{
    char buf[256] = {};
    ::GetClassNameA(wnd, buf, sizeof buf);
    return buf;
}

struct Search {
    DWORD pid;
    std::vector<HWND> found;
};

std::vector<HWND> TopWindowsOf(DWORD pid)
{
    Search s{pid, {}};
    ::EnumWindows(
        [](HWND wnd, LPARAM lp) -> BOOL {
            auto* search = reinterpret_cast<Search*>(lp);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(wnd, &owner);
            if (owner == search->pid && ::IsWindowVisible(wnd))
                search->found.push_back(wnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.found;
}

} // namespace

HWND WaitForWindow(DWORD pid, const std::string& title, const char* className, int ms)
{
    for (int waited = 0; waited <= ms; waited += 50) {
        for (HWND wnd : TopWindowsOf(pid))
            if (TextOf(wnd) == title && (!className || ClassOf(wnd) == className))
                return wnd;
        Pump(50);
    }
    return nullptr;
}

MessageBoxInfo WaitForMessageBox(DWORD pid, int ms)
{
    for (int waited = 0; waited <= ms; waited += 50) {
        for (HWND wnd : TopWindowsOf(pid)) {
            if (ClassOf(wnd) != "#32770")
                continue;
            // The message text is the box's static control (id 0xFFFF).
            HWND text = ::GetDlgItem(wnd, 0xFFFF);
            if (!text)
                continue;
            return MessageBoxInfo{wnd, ::GetWindow(wnd, GW_OWNER), TextOf(wnd), TextOf(text)};
        }
        Pump(50);
    }
    return {};
}

void CloseMessageBox(HWND box)
{
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
}

std::vector<std::uint32_t> CaptureScreen(const RECT& rect)
{
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(w > 0 && h > 0 ? w * h : 0));
    if (pixels.empty())
        return pixels;
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h; // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(mem, dib);
    ::BitBlt(mem, 0, 0, w, h, screen, rect.left, rect.top, SRCCOPY);
    ::GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = p[i] & 0x00FFFFFF;
    ::SelectObject(mem, old);
    ::DeleteObject(dib);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

void SaveScreen(const RECT& rect, const std::string& path)
{
    TestPicture pic{rect.right - rect.left, rect.bottom - rect.top, CaptureScreen(rect)};
    std::ofstream(path, std::ios::binary) << EncodeBmp24(pic);
}

int WaitForScreen(const RECT& rect, const std::vector<std::uint32_t>& expected, int ms)
{
    int differing = -1;
    for (int waited = 0; differing != 0 && waited <= ms; waited += 50) {
        if (waited)
            Pump(50);
        std::vector<std::uint32_t> screen = CaptureScreen(rect);
        if (screen.size() != expected.size())
            return static_cast<int>(expected.size());
        differing = 0;
        for (std::size_t i = 0; i < screen.size(); ++i)
            differing += screen[i] != expected[i];
    }
    return differing;
}

std::string WaitForToolTip(DWORD pid, int ms, const std::string& expected)
{
    // Another process's window text is asked of the window, not read from its record.
    auto ask = [](HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
        DWORD_PTR result = 0;
        return ::SendMessageTimeoutW(wnd, msg, wp, lp, SMTO_ABORTIFHUNG, 1000, &result) ? result : 0;
    };
    std::string seen;
    for (int waited = 0; waited <= ms; waited += 50) {
        for (HWND wnd : TopWindowsOf(pid)) {
            if (ClassOf(wnd) != "tooltips_class32")
                continue;
            std::wstring wide(ask(wnd, WM_GETTEXTLENGTH, 0, 0) + 1, L'\0');
            wide.resize(ask(wnd, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data())));
            const std::string text = platform::Narrow(wide);
            if (!text.empty())
                seen = text;
            if (!text.empty() && (expected.empty() || text == expected))
                return text;
        }
        Pump(50);
    }
    return seen;
}

void MoveMouse(int x, int y)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = (x * 65536 + 32768) / ::GetSystemMetrics(SM_CXSCREEN);
    in.mi.dy = (y * 65536 + 32768) / ::GetSystemMetrics(SM_CYSCREEN);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof in);
    Pump(30);
}

void MouseButton(bool down)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    ::SendInput(1, &in, sizeof in);
    Pump(50);
}

void DragTo(int fromX, int fromY, int toX, int toY, int steps)
{
    for (int i = 1; i <= steps; ++i)
        MoveMouse(fromX + (toX - fromX) * i / steps, fromY + (toY - fromY) * i / steps);
}

void Key(WORD vk, bool down)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    ::SendInput(1, &in, sizeof in);
}

void PressKey(WORD vk)
{
    Key(vk, true);
    Key(vk, false);
    Pump(50);
}

void Pump(int ms)
{
    DWORD end = ::GetTickCount() + static_cast<DWORD>(ms);
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        DWORD now = ::GetTickCount();
        if (static_cast<int>(end - now) <= 0)
            break;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
    }
}
