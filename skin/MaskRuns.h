#pragma once
// Mask pixels to window-region runs. Portable: the Win32 part converts a mask
// bitmap to 32-bit pixels, feeds them here and turns each batch of rectangles
// into a region.
#include "skin/SkinFile.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

// What skins cut away from windows and shaped buttons: red and blue 255,
// green from 0 to 16.
inline constexpr std::uint32_t kSkinCutColour = 0xFF00FF;
inline constexpr std::uint32_t kSkinCutTolerance = 0x101010;

// The transparent test: a 32-bit pixel (blue in bits 0-7, green 8-15, red
// 16-23, bits 24-31 ignored) is transparent when each of its three channels
// lies from the colour's byte up to that byte plus the tolerance's, at most
// 255. The tolerance reaches upward only.
class TransparentRange {
public:
    TransparentRange(std::uint32_t colour, std::uint32_t tolerance);

    bool Contains(std::uint32_t pixel) const
    {
        // Per channel, (byte - low) wraps below low, so one unsigned compare
        // tests both bounds.
        for (int shift = 0; shift < 24; shift += 8) {
            std::uint32_t low = (m_low >> shift) & 0xFF;
            std::uint32_t span = (m_span >> shift) & 0xFF;
            if (((((pixel >> shift) & 0xFF) - low) & 0xFF) > span)
                return false;
        }
        return true;
    }

    // The colour's bytes and hi - lo per channel, packed like a pixel; the
    // ignored byte has low 0 and span 255, so that it matches any value.
    std::uint32_t Low() const { return m_low; }
    std::uint32_t Span() const { return m_span; }

private:
    std::uint32_t m_low;
    std::uint32_t m_span;
};

// Rows of 32-bit pixels, top row first: row y starts `stride` × y bytes after
// `top`. A bottom-up bitmap gives its last row in memory and a negative stride.
struct MaskPixels {
    const void* top = nullptr;
    std::ptrdiff_t stride = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;

    const std::uint32_t* Row(std::int32_t y) const
    {
        return static_cast<const std::uint32_t*>(
            static_cast<const void*>(static_cast<const unsigned char*>(top) + stride * y));
    }
};

// One batch of runs for the region maker. `bounds` covers the runs; with no
// run it is the reset value (0x7FFFFFFF, 0x7FFFFFFF, 0, 0).
struct RunBatch {
    const SkinRect* rects;
    std::size_t count;
    std::size_t capacity; // rectangles the buffer has room for now
    SkinRect bounds;
};

// The rectangle buffer: it starts with room for 100 rectangles, grows by 100
// when full, and is handed to the sink whenever it holds 2000, so that no
// region is ever made from more than 2000 rectangles.
class RunBuffer {
public:
    static constexpr std::size_t kFirstCapacity = 100;
    static constexpr std::size_t kGrowth = 100;
    static constexpr std::size_t kBatchLimit = 2000;

    // Receives each batch; returns false to stop (e.g. the region could not
    // be made), after which nothing more is passed on.
    using Sink = std::function<bool(const RunBatch&)>;

    explicit RunBuffer(Sink sink);

    // Adds the run (left, y, right, y + 1); false once the sink has stopped.
    bool Add(std::int32_t left, std::int32_t y, std::int32_t right)
    {
        if (m_count == m_rects.size())
            Grow();
        m_rects[m_count++] = SkinRect{left, y, right, y + 1};
        if (left < m_bounds.left)
            m_bounds.left = left;
        if (y < m_bounds.top)
            m_bounds.top = y;
        if (right > m_bounds.right)
            m_bounds.right = right;
        if (y + 1 > m_bounds.bottom)
            m_bounds.bottom = y + 1;
        return m_count < kBatchLimit || Flush();
    }

    // Hands what is gathered to the sink, also when that is nothing, and
    // empties the buffer; its room stays. False once the sink has stopped.
    bool Flush();

    std::size_t Count() const { return m_count; }
    std::size_t Capacity() const { return m_rects.size(); }
    const SkinRect& Bounds() const { return m_bounds; }
    static SkinRect EmptyBounds() { return SkinRect{0x7FFFFFFF, 0x7FFFFFFF, 0, 0}; }

private:
    void Grow();

    std::vector<SkinRect> m_rects; // its size is the capacity
    std::size_t m_count = 0;
    SkinRect m_bounds = EmptyBounds();
    Sink m_sink;
    bool m_stopped = false;
};

// How many rectangles the window system's region of a mask has: it keeps one
// band of rectangles per run of rows, and a row whose runs are those of the
// row just above it adds none. Takes the runs as CollectMaskRuns gives them
// (rows from the top, each from the left).
class RegionRectCount {
public:
    void Add(const SkinRect& run);
    // Adds every run of `batch`; false once the region has passed kMaxRegionRects.
    bool AddWithinLimit(const RunBatch& batch);
    // The rectangles of every run added so far.
    std::size_t Total() const { return m_total + (SameAsAbove() ? 0 : m_row.size()); }

private:
    bool SameAsAbove() const { return m_rowY == m_aboveY + 1 && m_row == m_above; }

    std::vector<std::pair<std::int32_t, std::int32_t>> m_above, m_row; // left and right of each run
    std::int32_t m_aboveY = -2, m_rowY = -2;
    std::size_t m_total = 0;
};

// The most rectangles a window region may have. Windows takes far more, but
// Wine's X11 driver ends the process when its shape request grows too large
// (near 65,000), and a simpler outline would show pixels the author cut away:
// beyond this the window stays rectangular and says that it has no shape.
inline constexpr std::size_t kMaxRegionRects = 32000;

// Scans the mask from the top row down, each row from the left, adds every
// maximal run of non-transparent pixels to `runs`, then flushes what is left
// (also when that is nothing). False when the sink stopped the scan.
bool CollectMaskRuns(const MaskPixels& mask, const TransparentRange& transparent, RunBuffer& runs);

namespace mask_runs_detail {
// Sets bit x % 64 of word x / 64 for each opaque pixel of the row; bits past
// the width stay clear. `bits` has room for (width + 63) / 64 words.
void ClassifyRowPortable(const std::uint32_t* row, std::int32_t width, const TransparentRange& transparent,
                         std::uint64_t* bits);
void ClassifyRow(const std::uint32_t* row, std::int32_t width, const TransparentRange& transparent,
                 std::uint64_t* bits);
// Adds the runs of row `y` from its classified bits; false once the sink has stopped.
bool AddRowRuns(const std::uint64_t* bits, std::size_t words, std::int32_t width, std::int32_t y, RunBuffer& runs);
} // namespace mask_runs_detail
