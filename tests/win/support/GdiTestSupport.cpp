#include "tests/win/support/GdiTestSupport.h"

#include "platform/Bitmap.h"

#include <algorithm>
#include <cstdlib>

std::string FixturePath(const std::string& relative)
{
    std::string module(MAX_PATH, '\0');
    for (;;) {
        DWORD n = ::GetModuleFileNameA(nullptr, module.data(), static_cast<DWORD>(module.size()));
        if (n < module.size()) {
            module.resize(n);
            break;
        }
        module.resize(module.size() * 2);
    }
    std::string path = module.substr(0, module.find_last_of("\\/") + 1) + "fixtures\\" + relative;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

TestMask ReadPixels(HBITMAP bitmap)
{
    BITMAP info{};
    if (!bitmap || !::GetObjectA(bitmap, sizeof info, &info))
        return {};
    TestMask out(info.bmWidth, info.bmHeight);
    BITMAPINFO format = platform::Dib32Format(info.bmWidth, -info.bmHeight);
    platform::WindowDc screen(nullptr);
    if (::GetDIBits(screen.Dc(), bitmap, 0, static_cast<UINT>(info.bmHeight), out.pixels.data(), &format,
                    DIB_RGB_COLORS) != info.bmHeight)
        return {};
    for (auto& p : out.pixels)
        p &= 0xFFFFFF;
    return out;
}

platform::UniqueBitmap MakeDibSection(const TestMask& mask)
{
    const BITMAPINFO format = platform::Dib32Format(mask.width, -mask.height);
    void* bits = nullptr;
    platform::UniqueBitmap bitmap(::CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap)
        std::copy(mask.pixels.begin(), mask.pixels.end(), static_cast<std::uint32_t*>(bits));
    return bitmap;
}

int LiveGdiObjects()
{
    if (DWORD count = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS))
        return static_cast<int>(count);
    // A handle whose upper word is 0 names its table slot whatever the slot's
    // generation, so every live object answers once.
    int live = 0;
    for (ULONG_PTR slot = 1; slot < 0x10000; ++slot)
        live += ::GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0;
    return live;
}

std::vector<SkinRect> RegionRects(HRGN region)
{
    DWORD size = ::GetRegionData(region, 0, nullptr);
    if (!size)
        return {};
    std::vector<unsigned char> block(size);
    auto* data = reinterpret_cast<RGNDATA*>(block.data());
    if (!::GetRegionData(region, size, data))
        return {};
    std::vector<SkinRect> rects(data->rdh.nCount);
    std::copy_n(reinterpret_cast<const RECT*>(data->Buffer), rects.size(), reinterpret_cast<RECT*>(rects.data()));
    return rects;
}

TestWindow::TestWindow(int x, int y, int width, int height, COLORREF colour)
{
    static const char* kClass = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(nullptr);
        wc.lpszClassName = "AkTestWindow";
        ::RegisterClassA(&wc);
        return "AkTestWindow";
    }();
    m_brush = ::CreateSolidBrush(colour);
    m_window = ::CreateWindowExA(WS_EX_TOPMOST, kClass, "test", WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr,
                                 nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::SetClassLongPtrA(m_window, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(m_brush));
    ::InvalidateRect(m_window, nullptr, TRUE);
    ::UpdateWindow(m_window);
}

TestWindow::~TestWindow()
{
    if (::IsWindow(m_window))
        ::DestroyWindow(m_window);
    ::DeleteObject(m_brush);
}

void PumpMessages(DWORD milliseconds)
{
    const DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        ::Sleep(10);
    } while (::GetTickCount() - start < milliseconds);
}

MessageBoxWatcher::MessageBoxWatcher() : m_thread([this] { Watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher()
{
    m_stop = true;
    m_thread.join();
}

std::vector<MessageBoxWatcher::Box> MessageBoxWatcher::Boxes() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_boxes;
}

namespace {

// The windows of one enumeration, taken whole before any is looked at: a
// FindWindowEx walk that goes on from a box being destroyed sends Wine 10's
// server into an endless loop (the box is already unlinked from the desktop).
std::vector<HWND> WindowsOf(HWND parent)
{
    std::vector<HWND> windows;
    auto add = [](HWND wnd, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(wnd);
        return TRUE;
    };
    if (parent)
        ::EnumChildWindows(parent, add, reinterpret_cast<LPARAM>(&windows));
    else
        ::EnumWindows(add, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::string ClassName(HWND wnd)
{
    char name[64] = {};
    ::GetClassNameA(wnd, name, sizeof name);
    return name;
}

} // namespace

void MessageBoxWatcher::Watch()
{
    while (!m_stop) {
        for (HWND box : WindowsOf(nullptr)) {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(box, &pid);
            if (pid != ::GetCurrentProcessId() || ClassName(box) != "#32770" || !::IsWindowVisible(box))
                continue;
            std::lock_guard<std::mutex> lock(m_mutex);
            if (std::find(m_seen.begin(), m_seen.end(), box) != m_seen.end())
                continue;
            m_seen.push_back(box);
            char caption[256] = {}, text[256] = {};
            ::GetWindowTextA(box, caption, sizeof caption);
            // The text is the box's one static control with text (the icon has none).
            for (HWND child : WindowsOf(box))
                if (ClassName(child) == "Static" && ::GetWindowTextA(child, text, sizeof text) > 0)
                    break;
            m_boxes.push_back(Box{caption, text, ::GetWindow(box, GW_OWNER)});
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        ::Sleep(20);
    }
}

int WineMajorVersion()
{
    using GetVersionFn = const char*(__cdecl*)();
    HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    auto get = ntdll ? reinterpret_cast<GetVersionFn>(
                           reinterpret_cast<void (*)()>(::GetProcAddress(ntdll, "wine_get_version")))
                     : nullptr;
    return get ? std::atoi(get()) : 0;
}
