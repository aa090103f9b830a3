// The baselines of the start-up benchmark: a plain Win32 program that shows
// one picture in a borderless window at the top-left corner of the screen.
// Built with AK_MINIMAL_CONTROLS (minimal_controls.exe) it also pays what
// every skinned menu pays before its first frame: common controls 6 through
// its manifest, InitCommonControlsEx, a tooltip, a trackbar and a font.
#include "skin/PictureLoader.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace {
CBitmap g_picture;

LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(wnd, &ps);
        RECT r;
        ::GetClientRect(wnd, &r);
        DrawBitmap(dc, g_picture.GetSafeHandle(), r);
        ::EndPaint(wnd, &ps);
        return 0;
    }
    case WM_KEYDOWN:
        if (wp == VK_ESCAPE)
            ::DestroyWindow(wnd);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(0);
        return 0;
    default:
        return ::DefWindowProcA(wnd, msg, wp, lp);
    }
}

#if defined(AK_MINIMAL_CONTROLS)
// A trackbar out of sight (it would change the picture otherwise), a tooltip
// with one tool, and a font selected once: the controls' own start-up cost.
void MakeControls(HWND wnd, HINSTANCE instance)
{
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    HWND tip = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, 0, 0, 0, 0, wnd, nullptr, instance, nullptr);
    TTTOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = wnd;
    tool.uId = 1;
    tool.lpszText = const_cast<char*>("Minimal");
    ::SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    ::CreateWindowExA(0, TRACKBAR_CLASSA, "", WS_CHILD, 0, 0, 100, 30, wnd, nullptr, instance, nullptr);
    LOGFONTA description{};
    description.lfHeight = -18;
    description.lfWeight = FW_BOLD;
    lstrcpyA(description.lfFaceName, "Tahoma");
    HFONT font = ::CreateFontIndirectA(&description);
    HDC dc = ::GetDC(wnd);
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE extent{};
    ::GetTextExtentPoint32A(dc, "W", 1, &extent);
    ::SelectObject(dc, old);
    ::ReleaseDC(wnd, dc);
    ::SetPropA(wnd, "font", font); // lives as long as the window
}
#endif
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR cmdLine, int)
{
    std::string path = cmdLine;
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"')
        path = path.substr(1, path.size() - 2);
    SIZE size{};
    LoadPicture(path, g_picture, size);
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = "MinimalBitmap";
    wc.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    ::RegisterClassA(&wc);
#if defined(AK_MINIMAL_CONTROLS)
    HWND wnd = ::CreateWindowExA(WS_EX_APPWINDOW, "MinimalBitmap", "Minimal", WS_POPUP, 0, 0, size.cx, size.cy,
                                 nullptr, nullptr, instance, nullptr);
    MakeControls(wnd, instance);
    ::ShowWindow(wnd, SW_SHOW);
#else
    ::CreateWindowExA(WS_EX_APPWINDOW, "MinimalBitmap", "Minimal", WS_POPUP | WS_VISIBLE, 0, 0, size.cx, size.cy,
                      nullptr, nullptr, instance, nullptr);
#endif
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
