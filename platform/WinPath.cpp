#include "platform/WinPath.h"

#include <vector>

namespace platform {
namespace {

bool IsSep(char c) { return c == '\\' || c == '/'; }
bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool HasDrive(std::string_view p) { return p.size() >= 2 && IsDriveLetter(p[0]) && p[1] == ':'; }
bool IsUnc(std::string_view p) { return p.size() >= 2 && IsSep(p[0]) && IsSep(p[1]); }

// Length of the root of a full path: "C:" for drive paths, "\\server\share" for
// UNC paths, and nothing for a path that only starts with a separator.
std::size_t RootLength(std::string_view p)
{
    if (HasDrive(p))
        return 2;
    if (IsUnc(p)) {
        std::size_t i = 2;
        for (int part = 0; part < 2; ++part) {
            while (i < p.size() && IsSep(p[i]))
                ++i;
            while (i < p.size() && !IsSep(p[i]))
                ++i;
        }
        return i;
    }
    return 0;
}

std::string ToBackslashes(std::string_view p)
{
    std::string out(p);
    for (char& c : out)
        if (c == '/')
            c = '\\';
    return out;
}

// root + components, with "." dropped and ".." taking one back (never above the root).
std::string Normalise(const std::string& root, std::string_view rest)
{
    std::vector<std::string_view> parts;
    bool trailingSep = !rest.empty() && IsSep(rest.back());
    std::size_t i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && IsSep(rest[i]))
            ++i;
        std::size_t start = i;
        while (i < rest.size() && !IsSep(rest[i]))
            ++i;
        std::string_view part = rest.substr(start, i - start);
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    std::string out = ToBackslashes(root);
    out += '\\';
    for (std::size_t k = 0; k < parts.size(); ++k) {
        out += parts[k];
        if (k + 1 < parts.size() || trailingSep)
            out += '\\';
    }
    return out;
}

} // namespace

std::string ResolveFullPath(std::string_view path, std::string_view currentDir)
{
    std::string_view cwdRoot = currentDir.substr(0, RootLength(currentDir));
    std::string_view cwdRest = currentDir.substr(cwdRoot.size());

    if (IsUnc(path)) {
        std::size_t root = RootLength(path);
        return Normalise(std::string(path.substr(0, root)), path.substr(root));
    }
    if (HasDrive(path)) {
        std::string drive(path.substr(0, 2));
        std::string_view rest = path.substr(2);
        if (!rest.empty() && IsSep(rest.front()))
            return Normalise(drive, rest);
        // "D:name" is relative to the current directory of drive D; we only know
        // the current drive's, and any other drive starts at its root.
        bool sameDrive = HasDrive(cwdRoot) && (cwdRoot[0] | 0x20) == (drive[0] | 0x20);
        if (sameDrive)
            return Normalise(std::string(cwdRoot), std::string(cwdRest) + "\\" + std::string(rest));
        return Normalise(drive, rest);
    }
    if (!path.empty() && IsSep(path.front()))
        return Normalise(std::string(cwdRoot), path);
    return Normalise(std::string(cwdRoot), std::string(cwdRest) + "\\" + std::string(path));
}

std::string HostPath(std::string path)
{
    for (char& c : path)
        if (c == '\\')
            c = '/';
    return path;
}

} // namespace platform
