#include "skin/MaskRuns.h"

#include "skin/MaskFile.h"

#include "tests/support/MaskSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <random>
#include <string>
#include <vector>

void PrintTo(const SkinRect& r, std::ostream* os)
{
    *os << '(' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ')';
}

namespace {

struct Collected {
    std::vector<SkinRect> runs;
    std::vector<std::size_t> batchSizes;
    std::vector<std::size_t> capacities;
    bool completed = false;
};

// Runs the scan over `mask`, stored bottom-up as a DIB section stores it when
// `bottomUp`, and checks every batch on the way.
Collected Collect(const TestMask& mask, std::uint32_t colour = kMagenta, std::uint32_t tolerance = kMaskTolerance,
                  bool bottomUp = true)
{
    std::vector<std::uint32_t> stored = mask.pixels;
    MaskPixels view{stored.data(), mask.width * 4, mask.width, mask.height};
    if (bottomUp && mask.height > 0) {
        for (std::int32_t y = 0; y < mask.height; ++y)
            std::copy_n(&mask.pixels[static_cast<std::size_t>(y) * mask.width], mask.width,
                        &stored[static_cast<std::size_t>(mask.height - 1 - y) * mask.width]);
        view.top = &stored[static_cast<std::size_t>(mask.height - 1) * mask.width];
        view.stride = -view.stride;
    }
    Collected out;
    RunBuffer buffer([&](const RunBatch& batch) {
        EXPECT_LE(batch.count, RunBuffer::kBatchLimit);
        EXPECT_LE(batch.count, batch.capacity);
        SkinRect bounds = RunBuffer::EmptyBounds();
        for (std::size_t i = 0; i < batch.count; ++i) {
            const SkinRect& r = batch.rects[i];
            bounds = {std::min(bounds.left, r.left), std::min(bounds.top, r.top), std::max(bounds.right, r.right),
                      std::max(bounds.bottom, r.bottom)};
            out.runs.push_back(r);
        }
        EXPECT_EQ(batch.bounds, bounds);
        out.batchSizes.push_back(batch.count);
        out.capacities.push_back(batch.capacity);
        return true;
    });
    out.completed = CollectMaskRuns(view, TransparentRange(colour, tolerance), buffer);
    EXPECT_EQ(buffer.Count(), 0u);
    EXPECT_EQ(buffer.Bounds(), RunBuffer::EmptyBounds());
    return out;
}

TEST(MaskRuns, NoTransparentPixelGivesOneFullRowPerRow)
{
    for (std::int32_t width : {1, 63, 64, 65, 200}) {
        TestMask mask(width, 3, 0x000000);
        auto got = Collect(mask);
        std::vector<SkinRect> expected;
        for (std::int32_t y = 0; y < 3; ++y)
            expected.push_back({0, y, width, y + 1});
        EXPECT_EQ(got.runs, expected) << "width " << width;
        EXPECT_EQ(got.batchSizes, std::vector<std::size_t>{3});
    }
}

TEST(MaskRuns, AllTransparentStillFlushesOnceWithNothing)
{
    auto got = Collect(TestMask(70, 5, kMagenta));
    EXPECT_TRUE(got.runs.empty());
    EXPECT_EQ(got.batchSizes, std::vector<std::size_t>{0});
    EXPECT_TRUE(got.completed);
}

TEST(MaskRuns, EmptyMaskFlushesOnceWithNothing)
{
    for (auto size : {std::pair{0, 5}, std::pair{5, 0}, std::pair{0, 0}}) {
        TestMask mask(size.first, size.second);
        EXPECT_EQ(Collect(mask).batchSizes, std::vector<std::size_t>{0});
    }
}

TEST(MaskRuns, RowsAreSplitAtTransparentPixelsTopRowFirst)
{
    TestMask mask(4, 2, 0x123456);
    mask.At(2, 1) = kMagenta; // opaque, opaque, magenta, opaque in the second row
    mask.At(0, 0) = kMagenta;
    auto got = Collect(mask);
    EXPECT_EQ(got.runs, (std::vector<SkinRect>{{1, 0, 4, 1}, {0, 1, 2, 2}, {3, 1, 4, 2}}));
}

TEST(MaskRuns, OneOpaquePixel)
{
    EXPECT_EQ(Collect(TestMask(1, 1, 0)).runs, (std::vector<SkinRect>{{0, 0, 1, 1}}));
}

struct PixelCase {
    std::uint32_t colour;
    std::uint32_t tolerance;
    std::uint32_t pixel;
    bool transparent;
};

void PrintTo(const PixelCase& c, std::ostream* os)
{
    *os << std::hex << "colour " << c.colour << " tolerance " << c.tolerance << " pixel " << c.pixel;
}

class TransparentPixelTest : public ::testing::TestWithParam<PixelCase> {};

TEST_P(TransparentPixelTest, MatchesTheColourRange)
{
    const auto& c = GetParam();
    EXPECT_EQ(TransparentRange(c.colour, c.tolerance).Contains(c.pixel), c.transparent) << std::hex << c.pixel;
    // The scan agrees on each side of a 64-pixel word boundary and at a row's end.
    TestMask mask(67, 1, 0);
    for (std::int32_t x : {0, 63, 64, 66})
        mask.At(x, 0) = c.pixel;
    const auto expected = c.transparent ? std::vector<SkinRect>{{1, 0, 63, 1}, {65, 0, 66, 1}}
                                        : std::vector<SkinRect>{{0, 0, 67, 1}};
    EXPECT_EQ(Collect(mask, c.colour, c.tolerance).runs, expected) << std::hex << c.pixel;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TransparentPixelTest,
    ::testing::Values(
        // The skin's magenta with tolerance 0x101010: red and blue 255, green 0 to 16.
        PixelCase{kMagenta, kMaskTolerance, 0xFF00FF, true},
        PixelCase{kMagenta, kMaskTolerance, 0xFF10FF, true},
        PixelCase{kMagenta, kMaskTolerance, 0xFF11FF, false},
        PixelCase{kMagenta, kMaskTolerance, 0xFE00FF, false},
        PixelCase{kMagenta, kMaskTolerance, 0xFF00FE, false},
        PixelCase{kMagenta, kMaskTolerance, 0x7FFF08FF, true}, // the fourth byte is ignored
        PixelCase{kMagenta, kMaskTolerance, 0x000000, false},
        // The tolerance reaches upward only, and stops at 255.
        PixelCase{0x101010, 0x101010, 0x0F1010, false},
        PixelCase{0x101010, 0x101010, 0x201010, true},
        PixelCase{0x101010, 0x101010, 0x211010, false},
        PixelCase{0xF0F0F0, 0x202020, 0xFFFFFF, true},
        PixelCase{0xF0F0F0, 0x202020, 0x00F0F0, false}, // no wrap past 255
        PixelCase{0xF0F0F0, 0x202020, 0x0FF0F0, false},
        // The colour's fourth byte is ignored too.
        PixelCase{0xAA123456, 0, 0x00123456, true}));

TEST(RunBuffer, GrowsByHundredUpToTheBatchLimit)
{
    std::vector<std::size_t> capacities;
    RunBuffer buffer([&](const RunBatch& b) {
        capacities.push_back(b.capacity);
        return true;
    });
    struct Step {
        std::size_t adds;
        std::size_t capacity;
    };
    std::size_t added = 0;
    for (Step step : {Step{0, 100}, {100, 100}, {101, 200}, {1999, 2000}, {2000, 2000}, {2600, 2000}}) {
        for (; added < step.adds; ++added)
            buffer.Add(0, static_cast<std::int32_t>(added), 1);
        EXPECT_EQ(buffer.Capacity(), step.capacity) << step.adds << " runs";
    }
    EXPECT_EQ(capacities, std::vector<std::size_t>{2000});
}

TEST(RunBuffer, BatchesHoldAtMostTheLimit)
{
    struct Case {
        std::int32_t runs;
        std::vector<std::size_t> batches;
    };
    for (const Case& c : {Case{1, {1}}, Case{2000, {2000, 0}}, Case{2001, {2000, 1}}, Case{2500, {2000, 500}},
                          Case{4000, {2000, 2000, 0}}}) {
        // A row of single opaque pixels between magenta ones: one run each.
        TestMask mask(c.runs * 2, 1, kMagenta);
        for (std::int32_t i = 0; i < c.runs; ++i)
            mask.At(2 * i + 1, 0) = 0;
        auto got = Collect(mask);
        EXPECT_EQ(got.batchSizes, c.batches) << c.runs << " runs";
        EXPECT_EQ(got.runs, ReferenceRuns(mask, kMagenta, kMaskTolerance));
        for (std::size_t capacity : got.capacities)
            EXPECT_LE(capacity, RunBuffer::kBatchLimit);
    }
}

TEST(RunBuffer, StopsWhenTheSinkRefuses)
{
    int batches = 0;
    RunBuffer buffer([&](const RunBatch&) {
        ++batches;
        return false;
    });
    TestMask mask(6000, 1, kMagenta);
    for (std::int32_t x = 0; x < 6000; x += 2)
        mask.At(x, 0) = 0;
    MaskPixels view{mask.pixels.data(), 6000 * 4, 6000, 1};
    EXPECT_FALSE(CollectMaskRuns(view, TransparentRange(kMagenta, kMaskTolerance), buffer));
    EXPECT_EQ(batches, 1);
}

void Put(std::string& s, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        s += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// `mask` as an uncompressed BMP of `bits` a pixel; a palette file takes its
// colour table from the mask's colours, in order of appearance (at most
// 2^bits of them).
std::string EncodeMaskBmp(const TestMask& mask, unsigned bits, bool topDown)
{
    std::vector<std::uint32_t> palette;
    if (bits <= 8)
        for (std::uint32_t p : mask.pixels)
            if (std::find(palette.begin(), palette.end(), p) == palette.end())
                palette.push_back(p);
    palette.resize(bits <= 8 ? 1u << bits : 0, 0);
    const std::uint32_t stride = (static_cast<std::uint32_t>(mask.width) * bits + 31) / 32 * 4;
    const std::uint32_t offset = 54 + 4 * static_cast<std::uint32_t>(palette.size());
    std::string s = "BM";
    Put(s, offset + stride * static_cast<std::uint32_t>(mask.height), 4);
    Put(s, 0, 4);
    Put(s, offset, 4);
    Put(s, 40, 4);
    Put(s, static_cast<std::uint32_t>(mask.width), 4);
    Put(s, static_cast<std::uint32_t>(topDown ? -mask.height : mask.height), 4);
    Put(s, 1, 2);
    Put(s, bits, 2);
    Put(s, 0, 4);
    Put(s, stride * static_cast<std::uint32_t>(mask.height), 4);
    Put(s, 2835, 4);
    Put(s, 2835, 4);
    Put(s, static_cast<std::uint32_t>(palette.size()), 4);
    Put(s, 0, 4);
    for (std::uint32_t c : palette)
        Put(s, c, 4);
    for (std::int32_t row = 0; row < mask.height; ++row) {
        const std::int32_t y = topDown ? row : mask.height - 1 - row;
        std::string line(stride, '\0');
        for (std::int32_t x = 0; x < mask.width; ++x) {
            const std::uint32_t p = mask.At(x, y);
            const auto at = static_cast<std::size_t>(x) * bits / 8;
            if (bits > 8) {
                for (unsigned b = 0; b < bits / 8; ++b)
                    line[at + b] = static_cast<char>(p >> (8 * b));
            } else {
                const auto index = static_cast<unsigned>(std::find(palette.begin(), palette.end(), p) - palette.begin());
                const unsigned shift = 8 - bits - (static_cast<unsigned>(x) * bits) % 8;
                line[at] = static_cast<char>(static_cast<unsigned char>(line[at]) | index << shift);
            }
        }
        s += line;
    }
    return s;
}

// The runs of a mask file read straight from its bytes; handled false
// leaves `runs` without a run.
MaskFileRuns CollectFile(const std::string& bytes, std::vector<SkinRect>& runs)
{
    RunBuffer buffer([&](const RunBatch& batch) {
        runs.insert(runs.end(), batch.rects, batch.rects + batch.count);
        return true;
    });
    return CollectBmpMaskRuns(bytes, TransparentRange(kMagenta, kMaskTolerance), buffer);
}

// Files that are not read straight, left whole to the system's loader.
TEST(MaskFile, LeavesEveryOtherKindOfFileToTheLoader)
{
    const TestMask mask = MakeShapeMask(MaskShape::RoundedWindow, 40, 30);
    const std::string good = EncodeMaskBmp(mask, 24, false);
    const auto with = [&](std::size_t at, std::uint32_t value, int bytes) {
        std::string s = good;
        for (int i = 0; i < bytes; ++i)
            s[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
        return s;
    };
    TestMask fourColours(8, 2, 0);
    for (std::int32_t x = 0; x < 4; ++x)
        fourColours.At(x, 0) = static_cast<std::uint32_t>(x);
    std::string shortTable = EncodeMaskBmp(fourColours, 4, false);
    shortTable[46] = 4; // a colour table of 4 for 16 indexes
    const struct {
        const char* what;
        std::string bytes;
    } rows[] = {
        {"not a BMP", "\xFF\xD8\xFF\xE0" + good.substr(4)},
        {"too short for a header", good.substr(0, 40)},
        {"a core header", with(14, 12, 4)},
        {"a header of 52 bytes", with(14, 52, 4)},
        {"an OS/2 header of 64 bytes", with(14, 64, 4)},
        {"two planes", with(26, 2, 2)},
        {"1 bit a pixel", with(28, 1, 2)},
        {"16 bits a pixel", with(28, 16, 2)},
        {"RLE8", with(30, 1, 4)},
        {"bit fields", with(30, 3, 4)},
        {"no width", with(18, 0, 4)},
        {"a negative width", with(18, 0xFFFFFFF0u, 4)},
        {"no height", with(22, 0, 4)},
        {"rows cut short", good.substr(0, good.size() - 1)},
        {"pixels beyond the end", with(10, static_cast<std::uint32_t>(good.size()), 4)},
        {"pixels over the header", with(10, 20, 4)},
        {"a short colour table", shortTable},
    };
    for (const auto& row : rows) {
        std::vector<SkinRect> runs;
        const MaskFileRuns read = CollectFile(row.bytes, runs);
        EXPECT_FALSE(read.handled) << row.what;
        EXPECT_TRUE(runs.empty()) << row.what;
    }
    std::vector<SkinRect> runs;
    EXPECT_TRUE(CollectFile(good, runs).complete);
}

// The scan against the plain per-pixel reading on many random masks, stored
// top-down and bottom-up, with the skin's colour and with random ones.
TEST(MaskRuns, MatchesPerPixelReadingOnRandomMasks)
{
    std::mt19937 random(20240601);
    for (int i = 0; i < 400; ++i) {
        const std::int32_t width = 1 + static_cast<std::int32_t>(random() % 300);
        const std::int32_t height = 1 + static_cast<std::int32_t>(random() % 30);
        const TestMask mask = MakeRandomMask(width, height, random());
        std::uint32_t colour = kMagenta, tolerance = kMaskTolerance;
        if (i % 3 == 0) {
            colour = random();
            tolerance = random() & 0x3F3F3F3F;
        }
        const bool bottomUp = i % 2 == 0;
        auto got = Collect(mask, colour, tolerance, bottomUp);
        ASSERT_EQ(got.runs, ReferenceRuns(mask, colour, tolerance))
            << "mask " << i << ": " << width << " x " << height << " colour " << std::hex << colour << " tolerance "
            << tolerance;

        // The wide classifier and the portable one agree word for word.
        const TransparentRange range(colour, tolerance);
        const std::size_t words = (static_cast<std::size_t>(width) + 63) / 64;
        std::vector<std::uint64_t> fast(words, 0xDEAD), portable(words, 0xBEEF);
        mask_runs_detail::ClassifyRow(mask.pixels.data(), width, range, fast.data());
        mask_runs_detail::ClassifyRowPortable(mask.pixels.data(), width, range, portable.data());
        ASSERT_EQ(fast, portable) << "mask " << i;

        // Read straight from a BMP file of each kind: the same runs. Palette
        // files take a mask of as many colours as their table holds.
        static constexpr unsigned kBits[] = {4, 8, 24, 32};
        const unsigned bits = kBits[i % 4];
        TestMask stored = mask;
        if (bits <= 8)
            for (std::uint32_t& p : stored.pixels)
                p = mask.pixels[(p * 2654435761u >> 8) % (1u << bits) % mask.pixels.size()];
        std::vector<SkinRect> fromFile;
        const MaskFileRuns read = CollectFile(EncodeMaskBmp(stored, bits, i % 7 == 0), fromFile);
        ASSERT_TRUE(read.handled && read.complete) << "mask " << i << ", " << bits << " bits";
        EXPECT_EQ(read.width, width);
        EXPECT_EQ(read.height, height);
        ASSERT_EQ(fromFile, ReferenceRuns(stored, kMagenta, kMaskTolerance)) << "mask " << i << ", " << bits << " bits";
    }
}

} // namespace
