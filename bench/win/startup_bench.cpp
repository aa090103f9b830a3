// Start-up benchmark: the time from starting a program to its first complete
// paint, i.e. until the screen inside its window shows the expected picture.
//   startup_bench RUNS PICTURE TITLE_OR_- PROGRAM [ARGS]
// Prints the median and the runs in milliseconds.
#include "Picture.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

HWND FindWindowOf(DWORD pid)
{
    struct S {
        DWORD pid;
        HWND wnd;
    } s{pid, nullptr};
    ::EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
            auto* st = reinterpret_cast<S*>(lp);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(w, &owner);
            if (owner == st->pid && ::IsWindowVisible(w)) {
                st->wnd = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.wnd;
}

// True when every screen pixel inside the window's shape is the picture's.
bool Painted(HWND wnd, HDC pictureDc, int width, int height)
{
    RECT r;
    if (!::GetWindowRect(wnd, &r) || r.right - r.left != width || r.bottom - r.top != height)
        return false;
    HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
    bool shaped = ::GetWindowRgn(wnd, rgn) != ERROR;
    HDC screen = ::GetDC(nullptr);
    bool same = true;
    // Sampling every fourth pixel keeps a poll cheap; a partial paint still shows.
    for (int y = 0; y < height && same; y += 4)
        for (int x = 0; x < width && same; x += 4)
            if ((!shaped || ::PtInRegion(rgn, x, y)) &&
                ::GetPixel(screen, r.left + x, r.top + y) != ::GetPixel(pictureDc, x, y))
                same = false;
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(rgn);
    return same;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: startup_bench RUNS PICTURE PROGRAM [ARGS]\n");
        return 2;
    }
    int runs = std::atoi(argv[1]);
    CBitmap picture;
    SIZE size{};
    LoadPicture(argv[2], picture, size);
    if (!picture) {
        std::fprintf(stderr, "cannot load %s\n", argv[2]);
        return 2;
    }
    HDC pictureDc = ::CreateCompatibleDC(nullptr);
    ::SelectObject(pictureDc, picture.GetSafeHandle());

    std::string cmd;
    for (int i = 3; i < argc; ++i)
        cmd += std::string(i > 3 ? " " : "") + "\"" + argv[i] + "\"";
    std::string dir = argv[3];
    dir = dir.substr(0, dir.find_last_of("\\/") + 1);

    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        LARGE_INTEGER freq, start, now;
        ::QueryPerformanceFrequency(&freq);
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        std::string line = cmd;
        ::QueryPerformanceCounter(&start);
        if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi)) {
            std::fprintf(stderr, "cannot start %s\n", cmd.c_str());
            return 2;
        }
        double ms = -1;
        for (int i = 0; i < 3000; ++i) {
            HWND wnd = FindWindowOf(pi.dwProcessId);
            if (wnd && Painted(wnd, pictureDc, size.cx, size.cy)) {
                ::QueryPerformanceCounter(&now);
                ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart);
                break;
            }
            ::Sleep(2);
        }
        ::TerminateProcess(pi.hProcess, 0);
        ::WaitForSingleObject(pi.hProcess, 5000);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
        if (ms < 0) {
            std::fprintf(stderr, "run %d: no complete paint within the time limit\n", run);
            return 1;
        }
        times.push_back(ms);
        ::Sleep(300);
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    std::printf("median %.1f ms over %d runs:", sorted[sorted.size() / 2], runs);
    for (double t : times)
        std::printf(" %.1f", t);
    std::printf("\n");
    return 0;
}
