#pragma once
#include <windows.h>

#include <string>

namespace platform {

// Asks the shell to open `path` with `verb` ("" for the file type's default
// action), shown normally. Returns at once; the outcome is not reported.
void ShellOpen(HWND owner, const std::string& verb, const std::string& path);

} // namespace platform
