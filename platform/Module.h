#pragma once
// Strings of the program's own resources, of any length.
#include <windows.h>

#include <string>

namespace platform {

// A string of the program's string table; empty when there is none.
std::string LoadResourceString(UINT id);

} // namespace platform
