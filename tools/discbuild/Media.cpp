#include "tools/discbuild/Media.h"

namespace {

constexpr std::uint64_t kSector = 2048;

} // namespace

const std::vector<MediumSize>& NamedMedia()
{
    // Data capacities in 2,048-byte sectors: 74 and 80 minute CD-Rs, single and
    // double layer DVD±R (the smaller of + and -), a 25 GB BD-R.
    static const std::vector<MediumSize> media = {
        {"cd74", 333000 * kSector},  {"cd80", 360000 * kSector},     {"dvd", 2295104 * kSector},
        {"dvd-dl", 4171712 * kSector}, {"bd", 12219392 * kSector},
    };
    return media;
}

std::optional<MediumSize> ParseMedium(const std::string& text)
{
    for (const auto& m : NamedMedia())
        if (m.name == text)
            return m;
    std::uint64_t value = 0;
    std::size_t i = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        if (value > (UINT64_MAX - 9) / 10)
            return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(text[i] - '0');
    }
    if (i == 0 || i + 1 < text.size())
        return std::nullopt;
    if (i < text.size()) {
        const std::string units = "KMGT";
        const std::size_t power = units.find(static_cast<char>(text[i] & ~0x20));
        if (power == std::string::npos)
            return std::nullopt;
        for (std::size_t p = 0; p <= power; ++p) {
            if (value > UINT64_MAX / 1024)
                return std::nullopt;
            value *= 1024;
        }
    }
    if (value == 0)
        return std::nullopt;
    return MediumSize{text, value};
}

std::string MediaThatFit(std::uint64_t bytes)
{
    std::string fits;
    for (const auto& m : NamedMedia())
        if (bytes <= m.bytes)
            fits += (fits.empty() ? "" : ", ") + m.name;
    return fits.empty() ? "none" : fits;
}
