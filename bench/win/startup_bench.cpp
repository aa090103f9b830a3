// Start-up benchmark: the time from starting a program to its first complete
// paint: until the screen inside its window shows it complete.
//   startup_bench [--pointer X,Y] RUNS PROGRAM [ARGS] [-- PROGRAM [ARGS]]...
// Each program is first run once and left to settle, which gives the picture
// of its complete window; then the programs are timed taking turns, RUNS
// rounds, so that what the machine does meanwhile falls on all of them alike.
// A timed run lasts until the screen shows exactly that picture. A poll costs
// one BitBlt of the window and a comparison in memory, and the next waits
// three times as long, so that polling takes at most a quarter of the time;
// its share of the time measured is printed. The pointer
// rests in the screen's far corner, so no hover or tooltip changes what is
// compared; child windows whose pixels still change in the settled window
// (scrolling labels) are left out whole; of a window larger than the screen,
// the part on the screen counts. Each timed run then closes the window
// (WM_CLOSE) and measures until it is gone. Prints per program the medians
// and the runs in milliseconds, and the peak working set of the settled run.
// With --pointer the pointer rests at X,Y (screen) from the start instead, as
// after a click on the disc's icon, and each run is watched for a few seconds:
// when the window first shows, when it is complete but for the control under
// the pointer and the tooltip, when that control last changed, when a tooltip
// first shows and when the screen last changed.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char* kToolTipClass = "tooltips_class32";

// The first visible top-level window of the process that is (or is not) a
// tooltip; none when there is none.
HWND VisibleWindowOf(DWORD pid, bool toolTip)
{
    struct S {
        DWORD pid;
        bool toolTip;
        HWND wnd;
    } s{pid, toolTip, nullptr};
    ::EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
            auto* st = reinterpret_cast<S*>(lp);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(w, &owner);
            char cls[64] = "";
            ::GetClassNameA(w, cls, sizeof cls);
            if (owner == st->pid && ::IsWindowVisible(w) && (lstrcmpiA(cls, kToolTipClass) == 0) == st->toolTip) {
                st->wnd = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&s));
    return s.wnd;
}

// A tooltip may show before or over the window: it is not the window.
HWND FindWindowOf(DWORD pid)
{
    return VisibleWindowOf(pid, false);
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
    // Whether pixel `i` of a frame of the settled size is compared.
    bool Counts(std::size_t i) const { return i < m_inside.size() && m_inside[i]; }

    // Whether `f` shows the settled window, but for the pixels in `skip`
    // (window coordinates), which are not compared.
    bool Matches(const Frame& f, const std::vector<RECT>& skip = {}) const
    {
        if (f.width != m_frame.width || f.height != m_frame.height || f.shape != m_frame.shape)
            return false;
        for (LONG y = 0; y < f.height; ++y)
            for (LONG x = 0; x < f.width; ++x) {
                const auto i = static_cast<std::size_t>(y * f.width + x);
                if (m_inside[i] && ((f.pixels[i] ^ m_frame.pixels[i]) & 0xFFFFFF) != 0 &&
                    std::none_of(skip.begin(), skip.end(), [&](const RECT& r) {
                        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                    }))
                    return false;
            }
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

double Median(std::vector<double> v)
{
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A visible tooltip of the process, in screen coordinates.
bool ToolTipOf(DWORD pid, RECT& rect)
{
    const HWND tip = VisibleWindowOf(pid, true);
    return tip && ::GetWindowRect(tip, &rect);
}

RECT InFrame(RECT r, const Frame& f)
{
    return RECT{r.left - f.left, r.top - f.top, r.right - f.left, r.bottom - f.top};
}

// The steps that a benchmark build of a program stamped (AK_STARTUP_TIMES_FILE),
// each with the first and the last time of each run, in ms after the start.
struct Step {
    std::string name;
    std::vector<double> first, last;
    std::vector<int> count;
};

// One run's steps in order, each repeat of a step folded into its first
// (name, first ms, last ms, times).
struct RunStep {
    std::string name;
    double first, last;
    int count;
};

void ReadStamps(const char* path, const LARGE_INTEGER& start, std::vector<Step>& steps, std::vector<RunStep>& run)
{
    FILE* file = std::fopen(path, "r");
    if (!file)
        return;
    long long frequency = 0, counter = 0;
    char name[128];
    std::vector<std::size_t> seen;
    if (std::fscanf(file, "frequency %lld\n", &frequency) == 1 && frequency > 0)
        while (std::fscanf(file, "%lld %127[^\n]\n", &counter, name) == 2) {
            const double ms = 1000.0 * static_cast<double>(counter - start.QuadPart) / static_cast<double>(frequency);
            auto it = std::find_if(steps.begin(), steps.end(), [&](const Step& s) { return s.name == name; });
            if (it == steps.end())
                it = steps.insert(steps.end(), Step{name, {}, {}, {}});
            const auto index = static_cast<std::size_t>(it - steps.begin());
            if (std::find(seen.begin(), seen.end(), index) == seen.end()) {
                seen.push_back(index);
                it->first.push_back(ms);
                it->last.push_back(ms);
                it->count.push_back(0);
            }
            it->last.back() = ms;
            ++it->count.back();
            if (!run.empty() && run.back().name == name) {
                run.back().last = ms;
                ++run.back().count;
            } else {
                run.push_back(RunStep{name, ms, ms, 1});
            }
        }
    std::fclose(file);
    std::remove(path);
}

// One program of the benchmark, with what its runs gave.
struct Program {
    std::string cmd, dir;
    std::unique_ptr<Complete> complete;
    double peakMb = -1;
    std::vector<double> times, closeTimes;
    std::vector<Step> steps;
    std::vector<std::vector<RunStep>> runSteps; // of each timed run
    // With the pointer resting on the window: the moments of each run.
    std::vector<double> shown, completeButHover, hoverFirst, hoverChanged, toolTip, lastChange;
};

// Starts the program, lets it settle and keeps its complete picture.
bool Settle(Program& p, Grabber& grabber)
{
    Started first;
    if (!Start(p.cmd, p.dir, first)) {
        std::fprintf(stderr, "cannot start %s\n", p.cmd.c_str());
        return false;
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
    if (::GetProcessMemoryInfo(first.pi.hProcess, &memory, sizeof memory))
        p.peakMb = static_cast<double>(memory.PeakWorkingSetSize) / 1048576.0;
    if (grabbed)
        p.complete = std::make_unique<Complete>(std::move(settled), later, shown);
    Stop(first);
    if (!grabbed)
        std::fprintf(stderr, "%s shows no window\n", p.cmd.c_str());
    return grabbed;
}

// Polling costs: the time spent in polls and the time measured.
struct Cost {
    double pollMs = 0, measuredMs = 0;
    int polls = 0;
};

// One timed run, until the complete picture shows; then the close.
bool TimeRun(Program& p, Grabber& grabber, Cost& cost)
{
    Started s;
    if (!Start(p.cmd, p.dir, s))
        return false;
    HWND wnd = nullptr;
    double ms = -1;
    Frame frame;
    while (ms < 0 && MillisecondsSince(s.start) < 60000) {
        LARGE_INTEGER pollStart;
        ::QueryPerformanceCounter(&pollStart);
        wnd = FindWindowOf(s.pi.dwProcessId);
        bool done = wnd && grabber.Grab(wnd, frame) && p.complete->Matches(frame);
        const double pollMs = MillisecondsSince(pollStart);
        cost.pollMs += pollMs;
        ++cost.polls;
        if (done)
            ms = MillisecondsSince(s.start);
        else // polls take at most a quarter of the time, so that the program keeps the machine
            ::Sleep(std::max<DWORD>(1, static_cast<DWORD>(3 * pollMs)));
    }
    if (ms >= 0) {
        cost.measuredMs += ms;
        LARGE_INTEGER closing;
        ::QueryPerformanceCounter(&closing);
        ::PostMessageA(wnd, WM_CLOSE, 0, 0);
        while (::IsWindow(wnd) && MillisecondsSince(closing) < 60000)
            ::Sleep(1);
        p.closeTimes.push_back(MillisecondsSince(closing));
    }
    Stop(s, 5000);
    if (const char* stamps = std::getenv("AK_STARTUP_TIMES_FILE"))
        ReadStamps(stamps, s.start, p.steps, p.runSteps.emplace_back());
    if (ms < 0) {
        std::fprintf(stderr, "%s: no complete paint within the time limit\n", p.cmd.c_str());
        return false;
    }
    p.times.push_back(ms);
    return true;
}

// One run with the pointer resting at `pointer`, watched for `watchMs`.
bool WatchRun(Program& p, Grabber& grabber, POINT pointer, double watchMs)
{
    ::SetCursorPos(pointer.x, pointer.y);
    Started s;
    if (!Start(p.cmd, p.dir, s))
        return false;
    double shown = -1, complete = -1, hoverFirst = -1, hover = -1, tip = -1, last = -1;
    Frame frame, previous;
    RECT hoverRect{};
    while (MillisecondsSince(s.start) < watchMs) {
        const HWND wnd = FindWindowOf(s.pi.dwProcessId);
        if (wnd && grabber.Grab(wnd, frame)) {
            const double now = MillisecondsSince(s.start);
            if (shown < 0)
                shown = now;
            std::vector<RECT> skip;
            HWND under = ::WindowFromPoint(pointer);
            if (under && under != wnd && ::GetAncestor(under, GA_ROOT) == wnd) {
                ::GetWindowRect(under, &hoverRect);
                skip.push_back(InFrame(hoverRect, frame));
            }
            RECT tipRect{};
            if (ToolTipOf(s.pi.dwProcessId, tipRect)) {
                if (tip < 0)
                    tip = now;
                skip.push_back(InFrame(tipRect, frame));
            }
            if (complete < 0 && p.complete->Matches(frame, skip))
                complete = now;
            if (previous.pixels.size() == frame.pixels.size()) {
                // Changes of compared pixels, the tooltip's apart; those of the
                // control under the pointer once the rest was complete.
                const RECT h = InFrame(hoverRect, frame), t = InFrame(tipRect, frame);
                for (LONG y = 0; y < frame.height; ++y)
                    for (LONG x = 0; x < frame.width; ++x) {
                        const auto i = static_cast<std::size_t>(y * frame.width + x);
                        if (((frame.pixels[i] ^ previous.pixels[i]) & 0xFFFFFF) == 0 || !p.complete->Counts(i) ||
                            (x >= t.left && x < t.right && y >= t.top && y < t.bottom))
                            continue;
                        last = now;
                        if (complete >= 0 && x >= h.left && x < h.right && y >= h.top && y < h.bottom) {
                            hover = now;
                            if (hoverFirst < 0)
                                hoverFirst = now;
                        }
                    }
            } else {
                last = now;
            }
            std::swap(previous, frame);
        }
        ::Sleep(5);
    }
    Stop(s);
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    p.shown.push_back(shown);
    p.completeButHover.push_back(complete);
    p.hoverFirst.push_back(hoverFirst);
    p.hoverChanged.push_back(hover);
    p.toolTip.push_back(tip);
    p.lastChange.push_back(last);
    return shown >= 0;
}

} // namespace

int main(int argc, char** argv)
{
    int arg = 1;
    bool watch = false;
    POINT pointer{};
    if (arg + 1 < argc && std::strcmp(argv[arg], "--pointer") == 0) {
        watch = std::sscanf(argv[arg + 1], "%ld,%ld", &pointer.x, &pointer.y) == 2;
        arg += 2;
    }
    if (argc - arg < 2 || (arg > 1 && !watch)) {
        std::fprintf(stderr, "usage: startup_bench [--pointer X,Y] RUNS PROGRAM [ARGS] [-- PROGRAM [ARGS]]...\n");
        return 2;
    }
    const int runs = std::max(1, std::atoi(argv[arg++]));
    std::vector<Program> programs(1);
    for (; arg < argc; ++arg) {
        if (std::strcmp(argv[arg], "--") == 0) {
            programs.emplace_back();
            continue;
        }
        Program& p = programs.back();
        if (p.cmd.empty()) {
            p.dir = argv[arg];
            p.dir = p.dir.substr(0, p.dir.find_last_of("\\/") + 1);
        }
        p.cmd += std::string(p.cmd.empty() ? "" : " ") + "\"" + argv[arg] + "\"";
    }

    // The pointer where no window of the program is.
    ::SetCursorPos(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    Grabber grabber;
    for (Program& p : programs)
        if (p.cmd.empty() || !Settle(p, grabber))
            return 1;

    Cost cost;
    for (int run = 0; run < runs; ++run)
        for (Program& p : programs)
            if (!(watch ? WatchRun(p, grabber, pointer, 4000) : TimeRun(p, grabber, cost)))
                return 1;

    for (const Program& p : programs) {
        std::printf("%s: ", p.cmd.c_str());
        if (watch) {
            std::printf("pointer at %ld,%ld, medians of %d runs (-1: never): window shown %.0f ms, complete but the "
                        "control under the pointer %.0f ms, that control changed from %.0f to %.0f ms, tooltip shown "
                        "%.0f ms, screen last changed %.0f ms (scrolling labels and the tooltip apart)\n",
                        pointer.x, pointer.y, runs, Median(p.shown), Median(p.completeButHover), Median(p.hoverFirst),
                        Median(p.hoverChanged), Median(p.toolTip), Median(p.lastChange));
            continue;
        }
        std::printf("median %.1f ms over %d runs:", Median(p.times), runs);
        for (double t : p.times)
            std::printf(" %.1f", t);
        std::printf("; closes in median %.1f ms; peak working set %.1f MB; %d moving child windows left out\n",
                    Median(p.closeTimes), p.peakMb, p.complete->LeftOut());
        if (p.steps.empty())
            continue;
        std::printf("  medians of each step:\n");
        for (const Step& step : p.steps) {
            std::vector<double> count(step.count.begin(), step.count.end());
            std::printf("    %-30s first %7.1f ms  last %7.1f ms  (%.0f times)\n", step.name.c_str(),
                        Median(step.first), Median(step.last), Median(count));
        }
        // The run of the median time, step by step, as it happened.
        std::vector<std::size_t> order(p.times.size());
        for (std::size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return p.times[a] < p.times[b]; });
        const std::size_t middle = order[order.size() / 2];
        std::printf("  the median run (%.1f ms), in order:\n", p.times[middle]);
        for (const RunStep& step : p.runSteps[middle])
            std::printf("    %-30s %7.1f ms to %7.1f ms  (%d times)\n", step.name.c_str(), step.first, step.last,
                        step.count);
    }
    if (!watch)
        std::printf("a poll costs %.2f ms, one every %.1f ms; polling took %.1f %% of the time measured\n",
                    cost.polls ? cost.pollMs / cost.polls : 0.0, cost.polls ? cost.measuredMs / cost.polls : 0.0,
                    cost.measuredMs > 0 ? 100.0 * cost.pollMs / cost.measuredMs : 0.0);
    return 0;
}
