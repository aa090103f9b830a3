#pragma once
// File services the programs and tools need. Paths are Windows paths in
// UTF-8 (wide calls on Windows); off Windows, backslashes are read as '/', so disc files written for
// Windows can be checked on Linux.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The whole file, or nothing when it cannot be opened or read, or is larger than maxBytes.
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes = std::size_t(1) << 30);

// True when a file or folder of that name exists (what _access(path, 0) answers).
bool PathExists(const std::string& path);

// True when a file (not a folder) of that name exists.
bool IsExistingFile(const std::string& path);

// The path made absolute (GetFullPathNameA), without any length limit.
std::string FullPathName(const std::string& path);

// Size and last write of a regular file: a changed stamp means a changed file.
struct FileStamp {
    unsigned long long size = 0;
    unsigned long long time = 0; // in the platform's own unit
    bool operator==(const FileStamp& o) const { return size == o.size && time == o.time; }
};
// None when there is no regular file of that name.
std::optional<FileStamp> RegularFileStamp(const std::string& path);

// Text in the machine's ANSI code page as UTF-8 (Windows-1252 off Windows).
std::string AnsiCodePageToUtf8(std::string_view ansi);

} // namespace platform
