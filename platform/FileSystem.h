#pragma once
// File services the programs and tools need. Paths are Windows paths (ANSI
// bytes); off Windows, backslashes are read as '/', so disc files written for
// Windows can be checked on Linux.
#include <cstddef>
#include <optional>
#include <string>

namespace platform {

// The whole file, or nothing when it cannot be opened or read, or is larger than maxBytes.
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t maxBytes = std::size_t(1) << 30);

// True when a file or folder of that name exists (what _access(path, 0) answers).
bool PathExists(const std::string& path);

// True when a file (not a folder) of that name exists.
bool IsExistingFile(const std::string& path);

// The path made absolute (GetFullPathNameA), without any length limit.
std::string FullPathName(const std::string& path);

} // namespace platform
