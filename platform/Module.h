#pragma once
// The program's own resources: strings of any length, icons.
#include <windows.h>

#include <string>

namespace platform {

// A string of the program's string table; empty when there is none.
std::string LoadResourceString(UINT id);

// An icon of the program's resources, shared: it is never destroyed. None when missing.
HICON LoadResourceIcon(UINT id);

} // namespace platform
