#pragma once
// Windows path rules, kept portable so that they can be tested anywhere and so
// that the tools on Linux see disc paths as the programs on Windows do.
#include <string>
#include <string_view>

namespace platform {

// What GetFullPathNameA makes of `path` when the current directory is
// `currentDir` (itself a full path): '/' read as '\', drive letters, UNC roots,
// root-relative and drive-relative paths, "." and ".." resolved, repeated
// separators collapsed. No length limit.
std::string ResolveFullPath(std::string_view path, std::string_view currentDir);

// A Windows path as a POSIX system reads it: backslashes become slashes.
std::string HostPath(std::string path);

} // namespace platform
