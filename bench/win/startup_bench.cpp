// Start-up benchmark: the time from starting a program to its first complete
// paint: until the screen inside its window shows it complete.
//   startup_bench RUNS PROGRAM [ARGS]
// A first run, left to settle, gives the picture of the complete window; each
// timed run lasts until the screen shows exactly that. A poll costs one BitBlt
// of the window and a comparison in memory, so the measuring stays small
// beside what it measures. Prints the median and the runs in milliseconds.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
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

// What the screen shows of a window: its size, its shape and its pixels.
struct Frame {
    LONG width = 0;
    LONG height = 0;
    std::vector<char> shape; // the region's data; empty for an unshaped window
    std::vector<std::uint32_t> pixels;
};

// Grabs with one BitBlt from the screen into a DIB section kept between polls.
class Grabber {
public:
    Grabber() : m_screen(::GetDC(nullptr)), m_memory(::CreateCompatibleDC(m_screen)) {}
    ~Grabber()
    {
        if (m_dib) {
            ::SelectObject(m_memory, m_old);
            ::DeleteObject(m_dib);
        }
        ::DeleteDC(m_memory);
        ::ReleaseDC(nullptr, m_screen);
    }
    Grabber(const Grabber&) = delete;
    Grabber& operator=(const Grabber&) = delete;

    bool Grab(HWND wnd, Frame& out)
    {
        RECT r;
        if (!::GetWindowRect(wnd, &r))
            return false;
        out.width = r.right - r.left;
        out.height = r.bottom - r.top;
        if (out.width <= 0 || out.height <= 0 || !Fit(out.width, out.height))
            return false;
        out.shape.clear();
        HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
        if (::GetWindowRgn(wnd, rgn) != ERROR) {
            DWORD bytes = ::GetRegionData(rgn, 0, nullptr);
            out.shape.resize(bytes);
            ::GetRegionData(rgn, bytes, reinterpret_cast<RGNDATA*>(out.shape.data()));
        }
        ::DeleteObject(rgn);
        ::BitBlt(m_memory, 0, 0, out.width, out.height, m_screen, r.left, r.top, SRCCOPY);
        ::GdiFlush();
        out.pixels.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
        for (LONG y = 0; y < out.height; ++y)
            std::memcpy(&out.pixels[static_cast<std::size_t>(y * out.width)],
                        m_bits + static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width),
                        static_cast<std::size_t>(out.width) * sizeof(std::uint32_t));
        return true;
    }

private:
    bool Fit(LONG width, LONG height)
    {
        if (m_dib && width <= m_width && height <= m_height)
            return true;
        if (m_dib) {
            ::SelectObject(m_memory, m_old);
            ::DeleteObject(m_dib);
        }
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        m_dib = ::CreateDIBSection(m_screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!m_dib)
            return false;
        m_old = ::SelectObject(m_memory, m_dib);
        m_bits = static_cast<std::uint32_t*>(bits);
        m_width = width;
        m_height = height;
        return true;
    }

    HDC m_screen;
    HDC m_memory;
    HBITMAP m_dib = nullptr;
    HGDIOBJ m_old = nullptr;
    std::uint32_t* m_bits = nullptr;
    LONG m_width = 0;
    LONG m_height = 0;
};

// The settled frame, with which of its pixels lie inside the window's shape
// (outside it the screen shows whatever is beneath).
class Complete {
public:
    explicit Complete(Frame frame) : m_frame(std::move(frame)), m_inside(m_frame.pixels.size(), 1)
    {
        if (m_frame.shape.empty())
            return;
        HRGN rgn = ::ExtCreateRegion(nullptr, static_cast<DWORD>(m_frame.shape.size()),
                                     reinterpret_cast<const RGNDATA*>(m_frame.shape.data()));
        for (LONG y = 0; y < m_frame.height; ++y)
            for (LONG x = 0; x < m_frame.width; ++x)
                m_inside[static_cast<std::size_t>(y * m_frame.width + x)] = ::PtInRegion(rgn, x, y) ? 1 : 0;
        ::DeleteObject(rgn);
    }

    bool Matches(const Frame& f) const
    {
        if (f.width != m_frame.width || f.height != m_frame.height || f.shape != m_frame.shape)
            return false;
        for (std::size_t i = 0; i < f.pixels.size(); ++i)
            if (m_inside[i] && ((f.pixels[i] ^ m_frame.pixels[i]) & 0xFFFFFF) != 0)
                return false;
        return true;
    }

private:
    Frame m_frame;
    std::vector<char> m_inside;
};

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

double MillisecondsSince(const LARGE_INTEGER& start)
{
    LARGE_INTEGER freq, now;
    ::QueryPerformanceFrequency(&freq);
    ::QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(freq.QuadPart);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: startup_bench RUNS PROGRAM [ARGS]\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[1]));
    std::string cmd;
    for (int i = 2; i < argc; ++i)
        cmd += std::string(i > 2 ? " " : "") + "\"" + argv[i] + "\"";
    std::string dir = argv[2];
    dir = dir.substr(0, dir.find_last_of("\\/") + 1);

    Grabber grabber;
    // The settled window.
    Started first;
    if (!Start(cmd, dir, first)) {
        std::fprintf(stderr, "cannot start %s\n", cmd.c_str());
        return 2;
    }
    ::Sleep(5000);
    HWND shown = FindWindowOf(first.pi.dwProcessId);
    Frame settled;
    bool grabbed = shown && grabber.Grab(shown, settled);
    Stop(first);
    if (!grabbed) {
        std::fprintf(stderr, "%s shows no window\n", cmd.c_str());
        return 1;
    }
    const Complete complete(std::move(settled));

    std::vector<double> times;
    double pollMs = 0;
    int polls = 0;
    Frame frame;
    for (int run = 0; run < runs; ++run) {
        Started s;
        if (!Start(cmd, dir, s))
            return 2;
        double ms = -1;
        for (int i = 0; i < 20000 && ms < 0; ++i) {
            LARGE_INTEGER pollStart;
            ::QueryPerformanceCounter(&pollStart);
            HWND wnd = FindWindowOf(s.pi.dwProcessId);
            bool done = wnd && grabber.Grab(wnd, frame) && complete.Matches(frame);
            pollMs += MillisecondsSince(pollStart);
            ++polls;
            if (done)
                ms = MillisecondsSince(s.start);
            else
                ::Sleep(1);
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
    std::printf("median %.1f ms over %d runs (a poll costs %.2f ms):", sorted[sorted.size() / 2], runs,
                pollMs / polls);
    for (double t : times)
        std::printf(" %.1f", t);
    std::printf("\n");
    return 0;
}
