// Start-up benchmark: the time from starting a program to its first complete
// paint: until the screen inside its window shows it complete.
//   startup_bench RUNS PROGRAM [ARGS]
// A first run, left to settle, gives the picture of the complete window; each
// timed run lasts until the screen shows exactly that. A poll costs one BitBlt
// of the window and a comparison in memory, so the measuring stays small
// beside what it measures. The pointer rests in the screen's far corner, so no
// hover or tooltip changes what is compared; child windows whose pixels still
// change in the settled window (scrolling labels) are left out whole; of a
// window larger than the screen, the part on the screen counts. Each timed run
// then closes the window (WM_CLOSE) and measures until it is gone. Prints the
// medians and the runs in milliseconds, and the peak working set of the
// settled run.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* kToolTipClass = "tooltips_class32";

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
            char cls[64] = "";
            ::GetClassNameA(w, cls, sizeof cls);
            // A tooltip may show before or over the window: it is not the window.
            if (owner == st->pid && ::IsWindowVisible(w) && lstrcmpiA(cls, kToolTipClass) != 0) {
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
    LONG left = 0; // the window's top-left corner on the screen
    LONG top = 0;
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
        out.left = r.left;
        out.top = r.top;
        // Only what the screen can show of the window.
        out.width = std::min<LONG>(r.right, ::GetSystemMetrics(SM_CXSCREEN)) - r.left;
        out.height = std::min<LONG>(r.bottom, ::GetSystemMetrics(SM_CYSCREEN)) - r.top;
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

// The settled frame, with which of its pixels count: those inside the
// window's shape (outside it the screen shows whatever is beneath) and outside
// every child window whose pixels changed between `frame` and `later`.
class Complete {
public:
    Complete(Frame frame, const Frame& later, HWND wnd) : m_frame(std::move(frame)), m_inside(m_frame.pixels.size(), 1)
    {
        if (!m_frame.shape.empty()) {
            HRGN rgn = ::ExtCreateRegion(nullptr, static_cast<DWORD>(m_frame.shape.size()),
                                         reinterpret_cast<const RGNDATA*>(m_frame.shape.data()));
            for (LONG y = 0; y < m_frame.height; ++y)
                for (LONG x = 0; x < m_frame.width; ++x)
                    m_inside[static_cast<std::size_t>(y * m_frame.width + x)] = ::PtInRegion(rgn, x, y) ? 1 : 0;
            ::DeleteObject(rgn);
        }
        if (later.pixels.size() != m_frame.pixels.size())
            return;
        struct Children {
            const Frame* frame;
            const Frame* later;
            std::vector<char>* inside;
            int left_out;
        } c{&m_frame, &later, &m_inside, 0};
        ::EnumChildWindows(
            wnd,
            [](HWND child, LPARAM lp) -> BOOL {
                auto& s = *reinterpret_cast<Children*>(lp);
                const Frame& f = *s.frame;
                RECT r;
                ::GetWindowRect(child, &r);
                r = RECT{std::max(r.left - f.left, 0L), std::max(r.top - f.top, 0L),
                         std::min(r.right - f.left, f.width), std::min(r.bottom - f.top, f.height)};
                bool moved = false;
                for (LONG y = r.top; y < r.bottom && !moved; ++y)
                    for (LONG x = r.left; x < r.right && !moved; ++x) {
                        const auto i = static_cast<std::size_t>(y * f.width + x);
                        moved = ((f.pixels[i] ^ s.later->pixels[i]) & 0xFFFFFF) != 0;
                    }
                if (moved) {
                    ++s.left_out;
                    for (LONG y = r.top; y < r.bottom; ++y)
                        for (LONG x = r.left; x < r.right; ++x)
                            (*s.inside)[static_cast<std::size_t>(y * f.width + x)] = 0;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&c));
        m_leftOut = c.left_out;
    }

    int LeftOut() const { return m_leftOut; }

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
    int m_leftOut = 0;
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

// Ends the program if it has not ended by itself within `ms`.
void Stop(Started& s, DWORD ms = 0)
{
    if (::WaitForSingleObject(s.pi.hProcess, ms) != WAIT_OBJECT_0)
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

    // The pointer where no window of the program is.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    Grabber grabber;
    // The settled window.
    Started first;
    if (!Start(cmd, dir, first)) {
        std::fprintf(stderr, "cannot start %s\n", cmd.c_str());
        return 2;
    }
    // Long enough for the window to settle; AK_BENCH_SETTLE_MS for slower skins.
    const char* settle = std::getenv("AK_BENCH_SETTLE_MS");
    ::Sleep(settle ? static_cast<DWORD>(std::atoi(settle)) : 5000);
    HWND shown = FindWindowOf(first.pi.dwProcessId);
    Frame settled, later;
    bool grabbed = shown && grabber.Grab(shown, settled);
    // Longer than a ticker's step, so that every scrolling label has moved.
    ::Sleep(1000);
    if (grabbed)
        grabber.Grab(shown, later);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    const bool measured = ::GetProcessMemoryInfo(first.pi.hProcess, &memory, sizeof memory) != FALSE;
    const Complete complete(std::move(settled), later, shown);
    Stop(first);
    if (!grabbed) {
        std::fprintf(stderr, "%s shows no window\n", cmd.c_str());
        return 1;
    }

    std::vector<double> times, closeTimes;
    double pollMs = 0;
    int polls = 0;
    Frame frame;
    for (int run = 0; run < runs; ++run) {
        Started s;
        if (!Start(cmd, dir, s))
            return 2;
        HWND wnd = nullptr;
        double ms = -1;
        for (int i = 0; i < 20000 && ms < 0; ++i) {
            LARGE_INTEGER pollStart;
            ::QueryPerformanceCounter(&pollStart);
            wnd = FindWindowOf(s.pi.dwProcessId);
            bool done = wnd && grabber.Grab(wnd, frame) && complete.Matches(frame);
            pollMs += MillisecondsSince(pollStart);
            ++polls;
            if (done)
                ms = MillisecondsSince(s.start);
            else
                ::Sleep(1);
        }
        if (ms >= 0) {
            LARGE_INTEGER closing;
            ::QueryPerformanceCounter(&closing);
            ::PostMessageA(wnd, WM_CLOSE, 0, 0);
            while (::IsWindow(wnd) && MillisecondsSince(closing) < 60000)
                ::Sleep(1);
            closeTimes.push_back(MillisecondsSince(closing));
        }
        Stop(s, 5000);
        if (ms < 0) {
            std::fprintf(stderr, "run %d: no complete paint within the time limit\n", run);
            return 1;
        }
        times.push_back(ms);
    }
    auto median = [](std::vector<double> v) {
        std::sort(v.begin(), v.end());
        return v[v.size() / 2];
    };
    std::printf("median %.1f ms over %d runs (a poll costs %.2f ms):", median(times), runs, pollMs / polls);
    for (double t : times)
        std::printf(" %.1f", t);
    std::printf("; closes in median %.1f ms; peak working set %.1f MB; %d moving child windows left out\n",
                median(closeTimes), measured ? static_cast<double>(memory.PeakWorkingSetSize) / 1048576.0 : -1.0,
                complete.LeftOut());
    return 0;
}
