// Arbitrary control lines through the field splitting. Splitting must end,
// never grow the line, hand back exactly the text before each comma, keep
// returning the last field once no comma is left, and read numbers as the C
// library's strtol would, saturated to 32 bits instead of overflowing.
#include "fuzz/FuzzCheck.h"
#include "skin/SkinFile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::int32_t ReferenceInt(const std::string& field)
{
    // strtoll stops at the first zero byte, as a C string would.
    long long v = std::strtoll(field.c_str(), nullptr, 10);
    if (v > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (v < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

std::int32_t Saturated(std::int64_t v)
{
    if (v > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (v < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

void CheckSplit(std::string line, int count)
{
    for (int i = 0; i < count; ++i) {
        const std::string before = line;
        const std::size_t comma = before.find(',');
        const std::string token = NextToken(line);

        Check(line.size() <= before.size(), "NextToken grew the line");
        Check(token.find(',') == std::string::npos, "a field holds a comma");
        Check(line.empty() || (!IsBlank(line.front()) && !IsBlank(line.back())), "the rest is not trimmed");
        if (comma != std::string::npos) {
            Check(token == before.substr(0, comma), "the field is not the text before the comma");
            Check(line.size() < before.size(), "a comma was taken without shortening the line");
            Check(before.find(line, comma + 1) != std::string::npos, "the rest is not from after the comma");
        } else {
            Check(before.find(token) != std::string::npos, "the last field is not from the line");
            // The line as the profile reader hands it over, its blanks trimmed:
            // then the last field repeats as it stands.
            std::string again = line;
            if (before.empty() || (!IsBlank(before.front()) && !IsBlank(before.back())))
                Check(NextToken(again) == token, "the last field does not repeat");
            else
                NextToken(again);
            Check(again == line, "the last field changed the line");
        }
        Check(ParseInt(token) == ReferenceInt(token), "a field does not read like strtol");
    }
}

void CheckRect(const std::string& original)
{
    std::string byRect = original, byTokens = original;
    const SkinRect r = ParseRect(byRect);
    const std::int32_t x = ParseInt(NextToken(byTokens));
    const std::int32_t y = ParseInt(NextToken(byTokens));
    const std::int32_t w = ParseInt(NextToken(byTokens));
    const std::int32_t h = ParseInt(NextToken(byTokens));
    Check(byRect == byTokens, "ParseRect takes other than four fields");
    Check(r.left == x && r.top == y, "the rectangle's corner is not fields one and two");
    Check(r.right == Saturated(std::int64_t(x) + w) && r.bottom == Saturated(std::int64_t(y) + h),
          "the far edges are not corner plus size");
    // Width and height must be computable without overflow whatever the fields held.
    Check(std::int64_t(r.Width()) == std::int64_t(r.right) - r.left, "Width overflows");
    Check(std::int64_t(r.Height()) == std::int64_t(r.bottom) - r.top, "Height overflows");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const int count = in.ConsumeIntegralInRange<int>(1, 16);
    const std::string line = in.ConsumeRemainingBytesAsString();

    CheckSplit(line, count);
    CheckRect(line);

    // A line has at most one field more than it has commas; after that the last one repeats.
    std::string rest = line;
    std::size_t commas = 0;
    for (char c : line)
        commas += c == ',';
    for (std::size_t i = 0; i < commas; ++i)
        NextToken(rest);
    Check(rest.find(',') == std::string::npos, "commas are left after as many fields as commas");
    return 0;
}
