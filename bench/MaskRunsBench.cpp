// The mask scan beside a loop that only reads every pixel of the same mask
// once, for masks of a full-HD and a 4096 × 4096 window in three shapes.
#include "skin/MaskRuns.h"
#include "tests/support/MaskSupport.h"

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <tuple>

namespace {

// Stored bottom-up as a 32-bit DIB section stores it.
struct StoredMask {
    std::vector<std::uint32_t> pixels;
    MaskPixels view;
    std::size_t runs = 0;
};

const StoredMask& Mask(MaskShape shape, std::int32_t width, std::int32_t height)
{
    static std::map<std::tuple<MaskShape, std::int32_t, std::int32_t>, std::unique_ptr<StoredMask>> cache;
    auto& slot = cache[{shape, width, height}];
    if (!slot) {
        TestMask mask = MakeShapeMask(shape, width, height);
        slot = std::make_unique<StoredMask>();
        slot->pixels.resize(mask.pixels.size());
        for (std::int32_t y = 0; y < height; ++y)
            std::copy_n(&mask.At(0, y), width, &slot->pixels[static_cast<std::size_t>(height - 1 - y) * width]);
        slot->view = MaskPixels{&slot->pixels[static_cast<std::size_t>(height - 1) * width],
                                -static_cast<std::ptrdiff_t>(width) * 4, width, height};
        slot->runs = ReferenceRuns(mask, kMagenta, kMaskTolerance).size();
    }
    return *slot;
}

void SetUp(benchmark::State& state, const StoredMask& mask)
{
    const auto pixels = static_cast<std::int64_t>(mask.view.width) * mask.view.height;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * pixels * 4);
    state.counters["runs"] = static_cast<double>(mask.runs);
}

void BM_ReadEveryPixel(benchmark::State& state, MaskShape shape)
{
    const auto& mask = Mask(shape, static_cast<std::int32_t>(state.range(0)), static_cast<std::int32_t>(state.range(1)));
    for (auto _ : state) {
        std::uint32_t fold = 0;
        for (std::int32_t y = 0; y < mask.view.height; ++y) {
            const std::uint32_t* row = mask.view.Row(y);
            for (std::int32_t x = 0; x < mask.view.width; ++x)
                fold ^= row[x];
        }
        benchmark::DoNotOptimize(fold);
    }
    SetUp(state, mask);
}

void BM_CollectMaskRuns(benchmark::State& state, MaskShape shape)
{
    const auto& mask = Mask(shape, static_cast<std::int32_t>(state.range(0)), static_cast<std::int32_t>(state.range(1)));
    const TransparentRange transparent(kMagenta, kMaskTolerance);
    for (auto _ : state) {
        std::size_t runs = 0;
        RunBuffer buffer([&](const RunBatch& batch) {
            runs += batch.count;
            benchmark::DoNotOptimize(batch.rects);
            return true;
        });
        CollectMaskRuns(mask.view, transparent, buffer);
        if (runs != mask.runs)
            state.SkipWithError("wrong number of runs");
    }
    SetUp(state, mask);
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Args({1920, 1080})->Args({4096, 4096})->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK_CAPTURE(BM_ReadEveryPixel, rounded_window, MaskShape::RoundedWindow)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_CollectMaskRuns, rounded_window, MaskShape::RoundedWindow)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_ReadEveryPixel, ellipse, MaskShape::Ellipse)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_CollectMaskRuns, ellipse, MaskShape::Ellipse)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_ReadEveryPixel, noise, MaskShape::Noise)->Apply(Sizes);
BENCHMARK_CAPTURE(BM_CollectMaskRuns, noise, MaskShape::Noise)->Apply(Sizes);

BENCHMARK_MAIN();
