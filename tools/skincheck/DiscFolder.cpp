#include "tools/skincheck/DiscFolder.h"

#include "platform/FileSystem.h"
#include "platform/WinPath.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerCase(std::string s)
{
    for (char& c : s)
        c = Lower(c);
    return s;
}

bool StartsWithNoCase(const std::string& s, const std::string& prefix)
{
    return s.size() >= prefix.size() && LowerCase(s.substr(0, prefix.size())) == LowerCase(prefix);
}

std::vector<std::string> Components(const std::string& relative)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t end = relative.find('\\', start);
        if (end == std::string::npos)
            end = relative.size();
        if (end > start)
            parts.push_back(relative.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

bool IsThere(const std::string& path, bool folders)
{
    return folders ? platform::PathExists(path) : platform::IsExistingFile(path);
}

#ifndef _WIN32
// Windows and the disc's file system match names without regard to case; a
// folder prepared on Linux may differ in case from what the skin writes. An
// exact match comes first.
bool FindComponent(const std::string& dir, const std::string& name, std::string& found)
{
    if (platform::PathExists(dir + "/" + name)) {
        found = name;
        return true;
    }
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (LowerCase(entry) == LowerCase(name)) {
            found = entry;
            return true;
        }
    }
    return false;
}
#endif

} // namespace

DiscFolder::DiscFolder(const std::string& root) : m_given(root)
{
    while (m_given.size() > 1 && (m_given.back() == '/' || m_given.back() == '\\'))
        m_given.pop_back();
    m_programDir = platform::FullPathName(m_given);
    if (m_programDir.empty() || m_programDir.back() != '\\')
        m_programDir += '\\';
}

bool DiscFolder::Exists() const
{
    return platform::PathExists(m_programDir) && !platform::IsExistingFile(m_given);
}

void DiscFolder::AssumePresent(const std::string& relative)
{
    std::string full = platform::ResolveFullPath(relative, m_programDir);
    if (StartsWithNoCase(full, m_programDir))
        m_assumed.insert(LowerCase(full.substr(m_programDir.size())));
}

DiscFile DiscFolder::Find(const std::string& fullPath, bool folders) const
{
    DiscFile file;
    std::string full = platform::ResolveFullPath(fullPath, m_programDir);
    if (full.size() + 1 == m_programDir.size() && StartsWithNoCase(m_programDir, full))
        full += '\\'; // the disc folder itself
    if (!StartsWithNoCase(full, m_programDir)) {
        file.state = DiscFile::Outside;
        file.relative = fullPath;
        return file;
    }
    std::string relative = full.substr(m_programDir.size());
    while (!relative.empty() && relative.back() == '\\')
        relative.pop_back();
    const std::vector<std::string> parts = Components(relative);

#ifdef _WIN32
    std::string host = full;
    bool found = IsThere(host, folders || parts.empty());
    std::string shown;
    for (const auto& part : parts)
        shown += (shown.empty() ? "" : "/") + part;
#else
    std::string host = m_programDir.substr(0, m_programDir.size() - 1);
    for (char& c : host)
        if (c == '\\')
            c = '/';
    if (host.empty())
        host = "/";
    std::string shown;
    bool found = true;
    for (const auto& part : parts) {
        std::string actual;
        if (!FindComponent(host, part, actual)) {
            found = false;
            break;
        }
        host += "/" + actual;
        shown += (shown.empty() ? "" : "/") + actual;
    }
    found = found && IsThere(host, folders || parts.empty());
#endif
    if (found) {
        file.state = DiscFile::Present;
        file.hostPath = host;
        file.relative = shown;
        return file;
    }
    file.relative.clear();
    for (const auto& part : parts)
        file.relative += (file.relative.empty() ? "" : "/") + part;
    file.state = m_assumed.count(LowerCase(relative)) ? DiscFile::Assumed : DiscFile::Missing;
    return file;
}

std::string DiscFolder::Display(const std::string& relative) const
{
#ifdef _WIN32
    const char sep = '\\';
#else
    const char sep = '/';
#endif
    std::string shown = m_given;
    if (!shown.empty() && shown.back() != '/' && shown.back() != '\\')
        shown += sep;
    shown += relative;
#ifdef _WIN32
    std::replace(shown.begin(), shown.end(), '/', sep);
#endif
    return shown;
}
