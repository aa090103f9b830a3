#pragma once
// Process services over Win32: the program's own file and start requests.
#include <windows.h>

#include <cstddef>
#include <string>

namespace platform {

// The full path of a module's file (the program's own for null), however long:
// the buffer, first `initialChars` long, grows until the path fits. Empty when
// the platform cannot tell.
std::string ModuleFileName(HMODULE module = nullptr, std::size_t initialChars = MAX_PATH);

// WinExec: asks Windows to start a command line; true when it did.
bool StartCommandLine(const std::string& commandLine, int show);

} // namespace platform
