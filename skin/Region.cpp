#include "skin/Region.h"

#include "skin/MaskFile.h"
#include "skin/MaskRuns.h"
#include "platform/FileSystem.h"
#include "skin/MessageTexts.h"
#include "platform/Win32Handles.h"
#include "platform/MessageBox.h"

#include <cstring>
#include <vector>

namespace {

static_assert(sizeof(SkinRect) == sizeof(RECT), "runs are handed to GDI as RECTs");

// Unites the batches of runs into one region. A batch that cannot be made
// into a region fails the whole: a region missing some runs would be wrong.
// Batches are united pairwise, like a binary counter, rather than each into
// one growing result: every union costs the sizes of both regions, so a mask
// of many runs would otherwise take time quadratic in its batches.
class RegionBuilder {
public:
    bool Add(const RunBatch& batch)
    {
        // The block has the buffer's whole room, as the batch says.
        m_block.resize(sizeof(RGNDATAHEADER) + sizeof(RECT) * batch.capacity);
        RGNDATAHEADER header{};
        header.dwSize = sizeof header;
        header.iType = RDH_RECTANGLES;
        header.nCount = static_cast<DWORD>(batch.count);
        header.rcBound = RECT{batch.bounds.left, batch.bounds.top, batch.bounds.right, batch.bounds.bottom};
        std::memcpy(m_block.data(), &header, sizeof header);
        if (batch.count)
            std::memcpy(m_block.data() + sizeof header, batch.rects, sizeof(RECT) * batch.count);
        platform::UniqueRegion part(::ExtCreateRegion(nullptr, static_cast<DWORD>(m_block.size()),
                                                reinterpret_cast<const RGNDATA*>(m_block.data())));
        if (!part)
            return false;
        m_pending.push_back(Pending{std::move(part), 0});
        while (m_pending.size() >= 2 && m_pending.back().level == m_pending[m_pending.size() - 2].level) {
            if (!UniteLastTwo())
                return false;
        }
        return true;
    }

    // The union of all batches; none when there was none or a union failed.
    platform::UniqueRegion Take()
    {
        while (m_pending.size() >= 2) {
            if (!UniteLastTwo())
                return {};
        }
        return m_pending.empty() ? platform::UniqueRegion() : std::move(m_pending.front().region);
    }

private:
    struct Pending {
        platform::UniqueRegion region;
        unsigned level; // it unites 2^level batches (until the final unions)
    };

    bool UniteLastTwo()
    {
        Pending last = std::move(m_pending.back());
        m_pending.pop_back();
        Pending& into = m_pending.back();
        ++into.level;
        return ::CombineRgn(into.region.Get(), into.region.Get(), last.region.Get(), RGN_OR) != ERROR;
    }

    std::vector<unsigned char> m_block;
    std::vector<Pending> m_pending;
};

// The region of the runs that `collect` adds; none when it fails or the
// region would pass kMaxRegionRects.
template <typename Collect>
platform::UniqueRegion RegionOfRuns(Collect collect)
{
    RegionBuilder builder;
    RegionRectCount rects;
    RunBuffer runs([&](const RunBatch& batch) { return rects.AddWithinLimit(batch) && builder.Add(batch); });
    if (!collect(runs))
        return {};
    return builder.Take();
}

// A mask file is a window-sized picture: larger ones are the loader's to refuse.
constexpr std::size_t kMaxMaskFileBytes = std::size_t(256) << 20;

} // namespace

platform::UniqueRegion RegionFromMask(HBITMAP mask, std::uint32_t colour, std::uint32_t tolerance)
{
    BITMAP info{};
    if (!mask || ::GetObjectType(mask) != OBJ_BITMAP || !platform::DescribeBitmap(mask, info) ||
        info.bmWidth <= 0 || info.bmHeight <= 0)
        return {};
    const LONG width = info.bmWidth, height = info.bmHeight;

    // A 32-bit copy, stored bottom-up, whatever the mask's own format.
    platform::MemoryDc pixelsDc(::CreateCompatibleDC(nullptr));
    if (!pixelsDc)
        return {};
    const BITMAPINFO format = platform::Dib32Format(width, height);
    void* bits = nullptr;
    platform::UniqueBitmap pixels(::CreateDIBSection(pixelsDc.Get(), &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!pixels || !bits)
        return {};
    platform::Selection pixelsSelected(pixelsDc.Get(), pixels.Get());
    {
        platform::MemoryDc maskDc(::CreateCompatibleDC(pixelsDc.Get()));
        if (!maskDc)
            return {};
        // Fails when the mask is selected into another device context.
        platform::Selection maskSelected(maskDc.Get(), mask);
        if (!pixelsSelected || !maskSelected ||
            !::BitBlt(pixelsDc.Get(), 0, 0, width, height, maskDc.Get(), 0, 0, SRCCOPY))
            return {};
    }
    ::GdiFlush(); // the copy is in the bits before they are read

    const std::ptrdiff_t stride = std::ptrdiff_t(width) * 4;
    const MaskPixels view{static_cast<const unsigned char*>(bits) + stride * (height - 1), -stride, width, height};
    return RegionOfRuns(
        [&](RunBuffer& runs) { return CollectMaskRuns(view, TransparentRange(colour, tolerance), runs); });
}

bool RegionFromMaskFile(const std::string& path, std::uint32_t colour, std::uint32_t tolerance,
                        platform::UniqueRegion& region, SIZE& size)
{
    const std::optional<std::string> bytes = platform::ReadWholeFile(path, kMaxMaskFileBytes);
    if (!bytes)
        return false;
    MaskFileRuns read;
    platform::UniqueRegion made = RegionOfRuns([&](RunBuffer& runs) {
        read = CollectBmpMaskRuns(*bytes, TransparentRange(colour, tolerance), runs);
        return read.complete;
    });
    if (!read.handled)
        return false;
    region = std::move(made);
    size = SIZE{read.width, read.height};
    return true;
}

void ApplyMaskRegion(HWND window, const CBitmap* mask, const char* caption, SetWindowRegionFn setRegion)
{
    if (!window || !::IsWindow(window))
        return;
    ApplyMaskRegion(window, RegionFromMask(mask ? mask->GetSafeHandle() : nullptr, kSkinCutColour, kSkinCutTolerance),
                    caption, setRegion);
}

void ApplyMaskRegion(HWND window, platform::UniqueRegion region, const char* caption, SetWindowRegionFn setRegion)
{
    if (!window || !::IsWindow(window))
        return;
    if (!region) {
        platform::ShowMessageBox(window, kMaskRegionFailedText, caption, MB_OK);
    } else if (setRegion(window, region.Get(), TRUE)) {
        region.Detach(); // the window owns it now
    } else {
        platform::ShowMessageBox(window, kRegionRefusedText, caption, MB_OK);
    }
    ::InvalidateRect(window, nullptr, TRUE);
}
