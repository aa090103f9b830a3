#include "skin/SkinFile.h"

#include "platform/FileSystem.h"
#include "platform/Profile.h"

#include <limits>

std::string IniFile::GetString(const std::string& section, const std::string& key, const std::string& def) const
{
    return platform::ReadProfileString(m_path, section, key, def, kValueBufferChars, m_languages);
}

bool IniFile::GetKeyNames(const std::string& section, std::vector<std::string>& names) const
{
    names = platform::ReadProfileKeyNames(m_path, section, kKeyListBufferChars);
    return !names.empty();
}

std::string NextToken(std::string& line)
{
    // Any length: a line is split in full, never cut at a fixed buffer. With
    // no comma the whole line is the field, as it stands.
    const std::size_t comma = line.find(',');
    std::string token = comma == std::string::npos ? line : line.substr(0, comma);
    const std::string rest = comma == std::string::npos ? line : line.substr(comma + 1);
    line = std::string(TrimBlanks(rest));
    return token;
}

std::int32_t ParseInt(const std::string& field)
{
    std::size_t i = 0;
    while (i < field.size() && platform::IsBlank(field[i]))
        ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
        negative = field[i] == '-';
        ++i;
    }
    constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
    constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
    std::int64_t value = 0;
    for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i) {
        value = value * 10 + (field[i] - '0');
        if (value > kMax + 1)
            value = kMax + 1; // saturate, keep reading digits
    }
    if (negative)
        value = -value;
    if (value > kMax)
        return static_cast<std::int32_t>(kMax);
    if (value < kMin)
        return static_cast<std::int32_t>(kMin);
    return static_cast<std::int32_t>(value);
}

namespace {

std::int32_t SaturatedSum(std::int32_t a, std::int32_t b)
{
    std::int64_t s = static_cast<std::int64_t>(a) + b;
    if (s > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (s < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(s);
}

} // namespace

SkinRect ParseRect(std::string& line)
{
    std::int32_t x = ParseInt(NextToken(line));
    std::int32_t y = ParseInt(NextToken(line));
    std::int32_t w = ParseInt(NextToken(line));
    std::int32_t h = ParseInt(NextToken(line));
    return SkinRect{x, y, SaturatedSum(x, w), SaturatedSum(y, h)};
}

std::string DirOfFullPath(const std::string& fullPath)
{
    std::size_t slash = fullPath.rfind('\\');
    std::string dir = slash == std::string::npos ? std::string() : fullPath.substr(0, slash + 1);
    if (!dir.empty() && dir.back() == '\\')
        dir.pop_back();
    return dir + '\\';
}

std::string GetFileDir(const std::string& path)
{
    return DirOfFullPath(platform::FullPathName(path));
}

std::string PicturePath(const std::string& skinPath, const std::string& name)
{
    return GetFileDir(skinPath) + name;
}

std::vector<NumberedLine> ReadNumberedLines(const IniFile& ini, const std::string& section)
{
    std::vector<NumberedLine> lines;
    std::vector<std::string> names;
    ini.GetKeyNames(section, names);
    const IniFile base(ini.Path());
    const int count = static_cast<int>(names.size());
    for (int i = 1; i <= count; ++i) {
        const std::string key = std::to_string(i);
        std::string value = base.GetString(section, key, "");
        if (!value.empty() && !ini.Languages().empty())
            value = ini.GetString(section, key, "");
        if (!value.empty())
            lines.push_back({i, std::move(value)});
    }
    return lines;
}
