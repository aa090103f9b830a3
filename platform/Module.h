#pragma once
// Strings from the program's own module, of any length.
#include <windows.h>

#include <string>

namespace platform {

// The full path of the running program (no 260-character limit).
std::string ModuleFileName(HMODULE module = nullptr);

// A string of the program's string table; empty when there is none.
std::string LoadResourceString(UINT id);

} // namespace platform
