#include "skin/MaskRuns.h"

#include <algorithm>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

TransparentRange::TransparentRange(std::uint32_t colour, std::uint32_t tolerance)
    : m_low(colour & 0x00FFFFFF), m_span(0xFF000000)
{
    for (int shift = 0; shift < 24; shift += 8) {
        std::uint32_t low = (colour >> shift) & 0xFF;
        std::uint32_t high = std::min<std::uint32_t>(low + ((tolerance >> shift) & 0xFF), 255);
        m_span |= (high - low) << shift;
    }
}

RunBuffer::RunBuffer(Sink sink) : m_rects(kFirstCapacity), m_sink(std::move(sink)) {}

void RunBuffer::Grow()
{
    m_rects.resize(m_rects.size() + kGrowth);
}

bool RunBuffer::Flush()
{
    if (!m_stopped && !m_sink(RunBatch{m_rects.data(), m_count, m_rects.size(), m_bounds}))
        m_stopped = true;
    m_count = 0;
    m_bounds = EmptyBounds();
    return !m_stopped;
}

namespace mask_runs_detail {

namespace {
// One word of bits for up to 64 pixels.
std::uint64_t ClassifyWord(const std::uint32_t* pixels, std::int32_t count, const TransparentRange& transparent)
{
    std::uint64_t word = 0;
    for (std::int32_t i = 0; i < count; ++i) {
        if (!transparent.Contains(pixels[i]))
            word |= std::uint64_t(1) << i;
    }
    return word;
}
} // namespace

void ClassifyRowPortable(const std::uint32_t* row, std::int32_t width, const TransparentRange& transparent,
                         std::uint64_t* bits)
{
    for (std::int32_t x = 0; x < width; x += 64)
        *bits++ = ClassifyWord(row + x, std::min<std::int32_t>(64, width - x), transparent);
}

#if defined(__SSE2__)
void ClassifyRow(const std::uint32_t* row, std::int32_t width, const TransparentRange& transparent,
                 std::uint64_t* bits)
{
    // Per byte: (pixel - low) wraps below low, and saturating away the span
    // leaves zero exactly when the byte is in range; a pixel is transparent
    // when its whole 32-bit lane is zero.
    const __m128i low = _mm_set1_epi32(static_cast<int>(transparent.Low()));
    const __m128i span = _mm_set1_epi32(static_cast<int>(transparent.Span()));
    const __m128i zero = _mm_setzero_si128();
    std::int32_t x = 0;
    for (; width - x >= 64; x += 64) {
        std::uint64_t transparentBits = 0;
        for (int i = 0; i < 16; ++i) {
            __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x + 4 * i));
            __m128i outside = _mm_subs_epu8(_mm_sub_epi8(pixels, low), span);
            __m128i inside = _mm_cmpeq_epi32(outside, zero);
            transparentBits |= std::uint64_t(_mm_movemask_ps(_mm_castsi128_ps(inside))) << (4 * i);
        }
        *bits++ = ~transparentBits;
    }
    if (x < width)
        *bits = ClassifyWord(row + x, width - x, transparent);
}
#else
void ClassifyRow(const std::uint32_t* row, std::int32_t width, const TransparentRange& transparent,
                 std::uint64_t* bits)
{
    ClassifyRowPortable(row, width, transparent, bits);
}
#endif

// Adds the runs of one classified row. A set bit in `edges` marks where the
// row changes between transparent and opaque; bits past the width are clear,
// so a run that reaches the width ends there too.
bool AddRowRuns(const std::uint64_t* bits, std::size_t words, std::int32_t width, std::int32_t y, RunBuffer& runs)
{
    std::uint64_t carry = 0; // the previous pixel's bit
    std::int32_t start = 0;
    for (std::size_t w = 0; w < words; ++w) {
        const std::uint64_t word = bits[w];
        std::uint64_t edges = word ^ ((word << 1) | carry);
        carry = word >> 63;
        while (edges) {
            const int bit = __builtin_ctzll(edges);
            const std::int32_t x = static_cast<std::int32_t>(w * 64) + bit;
            if ((word >> bit) & 1)
                start = x;
            else if (!runs.Add(start, y, x))
                return false;
            edges &= edges - 1;
        }
    }
    return !carry || runs.Add(start, y, width);
}

} // namespace mask_runs_detail

void RegionRectCount::Add(const SkinRect& run)
{
    if (run.top != m_rowY) {
        m_total = Total();
        m_above.swap(m_row);
        m_aboveY = m_rowY;
        m_row.clear();
        m_rowY = run.top;
    }
    m_row.emplace_back(run.left, run.right);
}

bool RegionRectCount::AddWithinLimit(const RunBatch& batch)
{
    for (std::size_t i = 0; i < batch.count; ++i)
        Add(batch.rects[i]);
    return Total() <= kMaxRegionRects;
}

bool CollectMaskRuns(const MaskPixels& mask, const TransparentRange& transparent, RunBuffer& runs)
{
    if (mask.width > 0 && mask.height > 0) {
        const std::size_t words = (static_cast<std::size_t>(mask.width) + 63) / 64;
        std::vector<std::uint64_t> bits(words);
        for (std::int32_t y = 0; y < mask.height; ++y) {
            mask_runs_detail::ClassifyRow(mask.Row(y), mask.width, transparent, bits.data());
            if (!mask_runs_detail::AddRowRuns(bits.data(), words, mask.width, y, runs))
                return false;
        }
    }
    return runs.Flush();
}
