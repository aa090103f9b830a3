// Random masks through the run scan: the runs must be those of a per-pixel
// reading, every batch within the limits, and no memory touched outside the
// mask's rows (which are stored bottom-up or top-down, as the input says).
#include "skin/MaskRuns.h"
#include "tests/support/MaskSupport.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    std::uint32_t Take(int bytes)
    {
        std::uint32_t v = 0;
        for (int i = 0; i < bytes; ++i)
            v = (v << 8) | (m_at < m_size ? m_data[m_at++] : 0);
        return v;
    }
    bool Empty() const { return m_at >= m_size; }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "mask_runs_fuzz: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in(data, size);
    const auto width = static_cast<std::int32_t>(in.Take(2) % 4200);
    const auto height = static_cast<std::int32_t>(in.Take(1) % 70);
    const std::uint32_t flags = in.Take(1);
    std::uint32_t colour = kMagenta, tolerance = kMaskTolerance;
    if (flags & 2) {
        colour = in.Take(4);
        tolerance = in.Take(4);
    }
    // Pixels: raw, or picked from colours at the edges of the magenta range
    // (so that random bytes meet transparent pixels), in stretches.
    static const std::uint32_t edges[] = {0xFF00FF, 0xFF10FF, 0xFF11FF, 0xFE00FF, 0xFF00FE, 0x7FFF08FF, 0, 0xFFFFFF};
    TestMask mask(width, height);
    std::uint32_t current = kMagenta;
    for (auto& p : mask.pixels) {
        if (!in.Empty()) {
            const std::uint32_t pick = in.Take(1);
            if (flags & 4)
                current = (pick & 0x80) ? in.Take(4) : edges[pick % std::size(edges)];
            else if (pick < 64)
                current = edges[pick % std::size(edges)];
        }
        p = current;
    }

    // Stored exactly as big as the mask, so that ASan sees any read past it.
    std::vector<std::uint32_t> stored(mask.pixels.size());
    MaskPixels view{stored.data(), std::ptrdiff_t(width) * 4, width, height};
    if ((flags & 1) && !stored.empty()) {
        for (std::int32_t y = 0; y < height; ++y)
            for (std::int32_t x = 0; x < width; ++x)
                stored[std::size_t(height - 1 - y) * width + x] = mask.At(x, y);
        view.top = stored.data() + std::size_t(height - 1) * width;
        view.stride = -view.stride;
    } else {
        stored = mask.pixels;
        view.top = stored.data();
    }

    std::vector<SkinRect> runs;
    std::size_t batches = 0;
    bool last = false;
    RunBuffer buffer([&](const RunBatch& batch) {
        Check(!last, "a batch after a partial one");
        Check(batch.count <= RunBuffer::kBatchLimit && batch.count <= batch.capacity, "batch too large");
        Check(batch.capacity % RunBuffer::kGrowth == 0 && batch.capacity <= RunBuffer::kBatchLimit, "capacity");
        SkinRect bounds = RunBuffer::EmptyBounds();
        for (std::size_t i = 0; i < batch.count; ++i) {
            const SkinRect& r = batch.rects[i];
            bounds = {std::min(bounds.left, r.left), std::min(bounds.top, r.top), std::max(bounds.right, r.right),
                      std::max(bounds.bottom, r.bottom)};
            runs.push_back(r);
        }
        Check(batch.bounds == bounds, "bounding rectangle");
        last = batch.count < RunBuffer::kBatchLimit;
        ++batches;
        return true;
    });
    Check(CollectMaskRuns(view, TransparentRange(colour, tolerance), buffer), "scan stopped");
    Check(last, "no final flush");
    Check(batches == runs.size() / RunBuffer::kBatchLimit + 1, "number of batches");
    Check(runs == ReferenceRuns(mask, colour, tolerance), "runs differ from the per-pixel reading");

    if (width > 0 && height > 0) {
        const TransparentRange range(colour, tolerance);
        const std::size_t words = (std::size_t(width) + 63) / 64;
        std::vector<std::uint64_t> fast(words), portable(words);
        mask_runs_detail::ClassifyRow(view.Row(0), width, range, fast.data());
        mask_runs_detail::ClassifyRowPortable(view.Row(0), width, range, portable.data());
        Check(fast == portable, "classifiers differ");
    }
    return 0;
}
