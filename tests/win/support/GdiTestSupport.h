#pragma once
// Helpers for the GDI and window tests: pixels read back, bitmaps made from
// pixels, live GDI objects counted, test windows, and message boxes watched.
#include "tests/support/MaskSupport.h"
#include "platform/Win32Handles.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The path of a file below tests/fixtures, copied beside the test program.
std::string FixturePath(const std::string& relative);

// The bitmap's pixels as 0x00RRGGBB, top row first (GetDIBits, 32 bits).
TestMask ReadPixels(HBITMAP bitmap);

// A 32-bit DIB section holding `mask` (alpha byte kept).
platform::UniqueBitmap MakeDibSection(const TestMask& mask);

// GDI objects alive in this process. Wine has no per-process count
// (GetGuiResources answers 0), so its handle table is walked instead.
int LiveGdiObjects();

// The rectangles of a region (GetRegionData).
std::vector<SkinRect> RegionRects(HRGN region);

// A visible top-level pop-up of a solid colour, destroyed with the object.
class TestWindow {
public:
    TestWindow(int x, int y, int width, int height, COLORREF colour = RGB(0, 160, 0));
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND Get() const { return m_window; }

private:
    HWND m_window = nullptr;
    HBRUSH m_brush = nullptr;
};

// Handles waiting messages for a while, so that windows paint and X catches up.
void PumpMessages(DWORD milliseconds);

// Watches for message boxes of this process from a second thread, records
// each one and closes it with OK.
class MessageBoxWatcher {
public:
    struct Box {
        std::string caption;
        std::string text;
        HWND owner;
    };

    MessageBoxWatcher();
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    std::vector<Box> Boxes() const;

private:
    void Watch();

    mutable std::mutex m_mutex;
    std::vector<Box> m_boxes;
    std::vector<HWND> m_seen;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

// The major version of the Wine the tests run on; 0 on Windows itself.
int WineMajorVersion();
