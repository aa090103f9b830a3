// The baseline of the start-up benchmark: a plain Win32 program that shows one
// picture in a borderless window at the top-left corner of the screen.
#include "skin/PictureLoader.h"

#include <windows.h>

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
    ::CreateWindowExA(WS_EX_APPWINDOW, "MinimalBitmap", "Minimal", WS_POPUP | WS_VISIBLE, 0, 0, size.cx, size.cy,
                      nullptr, nullptr, instance, nullptr);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return 0;
}
