// Prints how long RegionFromMask takes for full-HD masks of three shapes,
// beside the scan alone; run by hand (see README), never a pass/fail test.
#include "skin/MaskRuns.h"
#include "skin/Region.h"

#include "tests/win/support/GdiTestSupport.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

namespace {

double MedianMilliseconds(const std::function<void()>& work, int rounds = 15)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main()
{
    const int width = 1920, height = 1080;
    std::printf("%-16s %10s %16s %16s %12s\n", "mask", "runs", "region (DIB) ms", "region (DDB) ms", "scan ms");
    for (MaskShape shape : {MaskShape::RoundedWindow, MaskShape::Ellipse, MaskShape::Noise}) {
        const TestMask mask = MakeShapeMask(shape, width, height);
        platform::UniqueBitmap dib = MakeDibSection(mask);
        platform::WindowDc screen(nullptr);
        platform::UniqueBitmap ddb(::CreateCompatibleBitmap(screen.Dc(), width, height));
        const BITMAPINFO format = platform::Dib32Format(width, -height);
        ::SetDIBits(screen.Dc(), ddb.Get(), 0, height, mask.pixels.data(), &format, DIB_RGB_COLORS);

        std::size_t runs = 0;
        const double scan = MedianMilliseconds([&] {
            runs = 0;
            RunBuffer buffer([&](const RunBatch& batch) {
                runs += batch.count;
                return true;
            });
            CollectMaskRuns(MaskPixels{mask.pixels.data(), width * 4, width, height},
                            TransparentRange(kMagenta, kMaskTolerance), buffer);
        });
        const double fromDib = MedianMilliseconds([&] { RegionFromMask(dib.Get(), kMagenta, kMaskTolerance); });
        const double fromDdb = MedianMilliseconds([&] { RegionFromMask(ddb.Get(), kMagenta, kMaskTolerance); });
        std::printf("%-16s %10zu %16.2f %16.2f %12.2f\n", MaskShapeName(shape), runs, fromDib, fromDdb, scan);
    }
    return 0;
}
