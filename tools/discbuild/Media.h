#pragma once
// The media an image is burned to or written on, by name (cd74, cd80, dvd,
// dvd-dl, bd) or by a size such as 10M.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct MediumSize {
    std::string name;
    std::uint64_t bytes = 0;
};

// The named media, smallest first.
const std::vector<MediumSize>& NamedMedia();

// A name of NamedMedia() or a size: digits with an optional K, M, G or T (powers
// of 1,024). None when it is neither or the size is 0.
std::optional<MediumSize> ParseMedium(const std::string& text);

// "cd74, cd80, dvd, dvd-dl, bd": the named media that hold `bytes`; "none" when none does.
std::string MediaThatFit(std::uint64_t bytes);
