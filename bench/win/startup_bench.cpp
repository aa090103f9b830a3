// Start-up benchmark: the time from starting a program to its first complete
// paint: until the screen inside its window shows it complete.
//   startup_bench RUNS PROGRAM [ARGS]
// A first run, left to settle, gives the picture of the complete window; each
// timed run lasts until the screen shows exactly that. Prints the median and
// the runs in milliseconds.
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

// The window's pixels as the screen shows them, every fourth one in each
// direction (a partial paint still shows), outside its shape left out.
std::vector<COLORREF> Sample(HWND wnd)
{
    std::vector<COLORREF> pixels;
    RECT r;
    if (!::GetWindowRect(wnd, &r))
        return pixels;
    HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
    bool shaped = ::GetWindowRgn(wnd, rgn) != ERROR;
    HDC screen = ::GetDC(nullptr);
    pixels.push_back(static_cast<COLORREF>(r.right - r.left));
    pixels.push_back(static_cast<COLORREF>(r.bottom - r.top));
    for (int y = 0; y < r.bottom - r.top; y += 4)
        for (int x = 0; x < r.right - r.left; x += 4)
            pixels.push_back(!shaped || ::PtInRegion(rgn, x, y) ? ::GetPixel(screen, r.left + x, r.top + y) : 0);
    ::ReleaseDC(nullptr, screen);
    ::DeleteObject(rgn);
    return pixels;
}

} // namespace

namespace {

struct Started {
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER start{};
};

bool Start(const std::string& cmd, const std::string& dir, Started& out)
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string line = cmd;
    ::QueryPerformanceCounter(&out.start);
    return ::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &out.pi) !=
           FALSE;
}

void Stop(Started& s)
{
    ::TerminateProcess(s.pi.hProcess, 0);
    ::WaitForSingleObject(s.pi.hProcess, 5000);
    ::CloseHandle(s.pi.hThread);
    ::CloseHandle(s.pi.hProcess);
    ::Sleep(300);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench RUNS PROGRAM [ARGS]\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    std::string cmd;
    for (int i = 2; i < argc; ++i)
        cmd += std::string(i > 2 ? " " : "") + "\"" + argv[i] + "\"";
    std::string dir = argv[2];
    dir = dir.substr(0, dir.find_last_of("\\/") + 1);

    // The settled window.
    Started first;
    if (!Start(cmd, dir, first)) {
        std::fprintf(stderr, "cannot start %s\n", cmd.c_str());
        return 2;
    }
    ::Sleep(4000);
    HWND shown = FindWindowOf(first.pi.dwProcessId);
    const std::vector<COLORREF> complete = shown ? Sample(shown) : std::vector<COLORREF>{};
    Stop(first);
    if (complete.empty()) {
        std::fprintf(stderr, "%s shows no window\n", cmd.c_str());
        return 1;
    }

    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        Started s;
        if (!Start(cmd, dir, s))
            return 2;
        double ms = -1;
        LARGE_INTEGER freq, now;
        ::QueryPerformanceFrequency(&freq);
        for (int i = 0; i < 3000 && ms < 0; ++i) {
            HWND wnd = FindWindowOf(s.pi.dwProcessId);
            if (wnd && Sample(wnd) == complete) {
                ::QueryPerformanceCounter(&now);
                ms = 1000.0 * static_cast<double>(now.QuadPart - s.start.QuadPart) / static_cast<double>(freq.QuadPart);
            } else {
                ::Sleep(2);
            }
        }
        Stop(s);
        if (ms < 0) {
            std::fprintf(stderr, "run %d: no complete paint within the time limit\n", run);
            return 1;
        }
        times.push_back(ms);
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    std::printf("median %.1f ms over %d runs:", sorted[sorted.size() / 2], runs);
    for (double t : times)
        std::printf(" %.1f", t);
    std::printf("\n");
    return 0;
}
