#include "tools/discbuild/NameRules.h"

#include "platform/TextCodec.h"

#include <map>

namespace {

// The limits: Joliet keeps 64 UTF-16 units of a name and drops files whose path
// passes 240; a FAT long name holds 255, and a path on a stick, after "E:\",
// must leave room for the end of a MAX_PATH buffer.
constexpr std::size_t kJolietName = 64, kJolietPath = 240, kFatName = 255, kFatPath = 256;

std::string LastName(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Shown(char32_t c)
{
    std::string s;
    if (c < 0x20) {
        const char hex[] = "0123456789ABCDEF";
        return std::string("U+00") + hex[c >> 4] + hex[c & 15];
    }
    platform::AppendUtf8(s, c);
    return "'" + s + "'";
}

// Each rule: empty when the name passes, else what happens to it.
using NameRule = std::string (*)(const std::string& name, const std::string& path);

std::string DeviceName(const std::string& name, const std::string&)
{
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    base = FoldName(base);
    static const char* const kDevices[] = {"CON", "PRN", "AUX", "NUL"};
    bool device = false;
    for (const char* d : kDevices)
        device = device || base == d;
    if (base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0))
        device = base[3] >= '1' && base[3] <= '9';
    return device ? "'" + base + "' is a device name on Windows: the file cannot be opened" : "";
}

std::string ForbiddenCharacter(const std::string& name, const std::string&)
{
    std::string found;
    platform::ForEachCodePoint(name, [&](char32_t c) {
        if (found.empty() && (c < 0x20 || (c < 0x80 && std::string("<>:\"\\|?*").find(static_cast<char>(c)) !=
                                                             std::string::npos)))
            found = Shown(c);
    });
    return found.empty() ? "" : "the name holds " + found + ", which Windows does not allow in a name";
}

std::string TrailingDotOrBlank(const std::string& name, const std::string&)
{
    if (name.empty() || (name.back() != '.' && name.back() != ' '))
        return "";
    return std::string("the name ends in a ") + (name.back() == '.' ? "dot" : "blank") +
           ", which Windows drops: it opens another name";
}

std::string NameLength(const std::string& name, std::size_t limit, const char* what)
{
    const std::size_t units = platform::Utf16Length(name);
    if (units <= limit)
        return "";
    return "the name has " + std::to_string(units) + " UTF-16 units: " + what;
}

std::string PathLength(const std::string& path, std::size_t limit, const char* what)
{
    const std::size_t units = platform::Utf16Length(path);
    if (units <= limit)
        return "";
    return "the path has " + std::to_string(units) + " characters: " + what;
}

std::string JolietName(const std::string& name, const std::string&)
{
    return NameLength(name, kJolietName, "Joliet keeps 64 and cuts the rest");
}

std::string JolietPath(const std::string&, const std::string& path)
{
    return PathLength(path, kJolietPath, "Joliet drops files whose path passes 240");
}

std::string JolietCharacter(const std::string& name, const std::string&)
{
    std::string found;
    platform::ForEachCodePoint(name, [&](char32_t c) {
        if (found.empty() && (c == ';' || (c > 0xFFFF && c != platform::kBrokenUtf8)))
            found = c == ';' ? "';'" : Shown(c) + " (beyond the Basic Multilingual Plane)";
    });
    return found.empty() ? "" : "the name holds " + found + ", which Joliet turns into '_'";
}

std::string FatName(const std::string& name, const std::string&)
{
    return NameLength(name, kFatName, "a FAT long name holds 255");
}

std::string FatPath(const std::string&, const std::string& path)
{
    return PathLength(path, kFatPath, "with the drive (E:\\) it passes what Windows programs can open (259)");
}

struct RuleRow {
    bool joliet;
    bool fat;
    bool once; // a path rule: not again below a folder that already broke it
    NameRule rule;
};

const RuleRow kRules[] = {
    {true, true, false, DeviceName},   {true, true, false, ForbiddenCharacter}, {true, true, false, TrailingDotOrBlank},
    {true, false, false, JolietName},  {true, false, false, JolietCharacter},   {true, false, true, JolietPath},
    {false, true, false, FatName},     {false, true, true, FatPath},
};

bool Below(const std::string& path, const std::string& folder)
{
    return path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 && path[folder.size()] == '/';
}

} // namespace

const char* MediumName(Medium medium) { return medium == Medium::Joliet ? "Joliet" : "FAT"; }

char32_t FoldCase(char32_t c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) ||
        (c >= 0x430 && c <= 0x44F))
        return c - 0x20;
    if (c >= 0x450 && c <= 0x45F)
        return c - 0x50;
    if (c == 0xFF)
        return 0x178;
    // Latin Extended-A pairs its letters upper then lower, with two runs offset by one;
    // dotless i (U+0131) has no pair of its own.
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
        const bool oddRun = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if ((c % 2 == 1) != oddRun)
            return c - 1;
    }
    return c;
}

std::string FoldName(const std::string& utf8)
{
    std::string out;
    platform::ForEachCodePoint(utf8, [&](char32_t c) { platform::AppendUtf8(out, c == platform::kBrokenUtf8 ? 0xFFFD : FoldCase(c)); });
    return out;
}

std::vector<Finding> CheckMediumNames(const std::vector<TreeName>& names, Medium medium)
{
    std::vector<Finding> findings;
    const auto add = [&](const std::string& path, const std::string& message) {
        findings.push_back({path, 0, Severity::Error, std::string(MediumName(medium)) + ": " + message});
    };
    std::map<std::string, std::string> seen; // folded path -> the first name with it
    std::vector<std::string> brokenFolders[sizeof kRules / sizeof kRules[0]];
    for (const TreeName& entry : names) {
        const std::string name = LastName(entry.path);
        if (!platform::IsValidUtf8(entry.path)) {
            add(entry.path, "the name is not UTF-8, so no medium can carry it as it was written");
            continue;
        }
        for (std::size_t r = 0; r < sizeof kRules / sizeof kRules[0]; ++r) {
            const RuleRow& row = kRules[r];
            if (!(medium == Medium::Joliet ? row.joliet : row.fat))
                continue;
            bool covered = false;
            for (const auto& folder : brokenFolders[r])
                covered = covered || Below(entry.path, folder);
            if (covered)
                continue;
            const std::string message = row.rule(name, entry.path);
            if (message.empty())
                continue;
            add(entry.path, message);
            if (row.once && entry.folder)
                brokenFolders[r].push_back(entry.path);
        }
        const auto [it, fresh] = seen.emplace(FoldName(entry.path), entry.path);
        if (!fresh)
            add(entry.path, "differs from '" + it->second + "' only in case: Windows opens one of them for both");
    }
    return findings;
}
