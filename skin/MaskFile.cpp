#include "skin/MaskFile.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

std::uint32_t U32(std::string_view b, std::size_t pos)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(b[pos + static_cast<std::size_t>(i)]);
    return v;
}

unsigned U16(std::string_view b, std::size_t pos)
{
    return static_cast<unsigned char>(b[pos]) | static_cast<unsigned>(static_cast<unsigned char>(b[pos + 1])) << 8;
}

// The documented header kinds whose colour table follows them directly:
// info, V4 and V5 (the loaders differ on others).
bool PlainInfoHeader(std::uint32_t size)
{
    return size == 40 || size == 108 || size == 124;
}

// Sets bit x % 64 of word x / 64 for each opaque pixel of a palette row.
void ClassifyIndexRow(const unsigned char* row, unsigned bits, std::int32_t width,
                      const std::array<bool, 256>& opaque, std::uint64_t* words)
{
    const unsigned perByte = 8 / bits, mask = (1u << bits) - 1;
    for (std::int32_t x = 0; x < width; x += 64) {
        std::uint64_t word = 0;
        const std::int32_t end = width - x < 64 ? width - x : 64;
        for (std::int32_t i = 0; i < end; ++i) {
            const auto p = static_cast<unsigned>(x + i);
            const unsigned shift = 8 - bits * (p % perByte + 1);
            if (opaque[(row[p / perByte] >> shift) & mask])
                word |= std::uint64_t(1) << i;
        }
        *words++ = word;
    }
}

} // namespace

MaskFileRuns CollectBmpMaskRuns(std::string_view bytes, const TransparentRange& transparent, RunBuffer& runs)
{
    MaskFileRuns result;
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M')
        return result;
    const std::uint32_t offset = U32(bytes, 10), headerSize = U32(bytes, 14);
    if (!PlainInfoHeader(headerSize) || bytes.size() < 14 + std::size_t(headerSize))
        return result;
    const auto width = static_cast<std::int32_t>(U32(bytes, 18));
    const auto rawHeight = static_cast<std::int32_t>(U32(bytes, 22));
    const unsigned planes = U16(bytes, 26), bits = U16(bytes, 28);
    const std::uint32_t compression = U32(bytes, 30), colours = U32(bytes, 46);
    // One-bit files are left to the loader, which may make a monochrome
    // bitmap of them: copied, its colours are the device context's, not the
    // file's table.
    const bool palette = bits == 4 || bits == 8;
    // Only files whose every pixel the loader reads from the file itself; the
    // rest (and a colour table shorter than the pixel depth) go through it.
    if (planes != 1 || compression != 0 || (!palette && bits != 24 && bits != 32) || width <= 0 ||
        rawHeight == 0 || rawHeight == INT32_MIN || (palette && colours != 0 && colours != (1u << bits)))
        return result;
    const std::int32_t height = rawHeight < 0 ? -rawHeight : rawHeight;
    const std::uint64_t stride = (std::uint64_t(width) * bits + 31) / 32 * 4;
    const std::uint64_t table = 14 + std::uint64_t(headerSize);
    const std::uint64_t tableEnd = table + (palette ? 4u << bits : 0);
    if (offset < tableEnd || offset > bytes.size() || stride * std::uint64_t(height) > bytes.size() - offset)
        return result;

    std::array<bool, 256> opaque{};
    if (palette)
        for (std::uint32_t i = 0; i < (1u << bits); ++i)
            opaque[i] = !transparent.Contains(U32(bytes, table + 4 * i) & 0xFFFFFF);
    result.handled = true;
    result.width = width;
    result.height = height;

    const std::size_t words = (static_cast<std::size_t>(width) + 63) / 64;
    std::vector<std::uint64_t> classified(words);
    std::vector<std::uint32_t> pixels(palette ? 0 : static_cast<std::size_t>(width));
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.data()) + offset;
    for (std::int32_t y = 0; y < height; ++y) {
        // Rows are stored from the bottom up unless the height is negative.
        const unsigned char* row = data + stride * std::uint64_t(rawHeight < 0 ? y : height - 1 - y);
        if (palette) {
            ClassifyIndexRow(row, bits, width, opaque, classified.data());
        } else {
            if (bits == 24)
                for (std::size_t x = 0; x < pixels.size(); ++x)
                    pixels[x] = row[3 * x] | std::uint32_t(row[3 * x + 1]) << 8 | std::uint32_t(row[3 * x + 2]) << 16;
            else
                std::memcpy(pixels.data(), row, pixels.size() * sizeof(std::uint32_t));
            mask_runs_detail::ClassifyRow(pixels.data(), width, transparent, classified.data());
        }
        if (!mask_runs_detail::AddRowRuns(classified.data(), words, width, y, runs))
            return result;
    }
    result.complete = runs.Flush();
    return result;
}
