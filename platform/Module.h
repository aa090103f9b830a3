#pragma once
// The program's own resources: strings of any length, icons; functions of
// other modules found by name.
#include <windows.h>

#include <string>

namespace platform {

// A string of the program's string table; empty when there is none.
std::string LoadResourceString(UINT id);

// An icon of the program's resources, shared: it is never destroyed. None when missing.
HICON LoadResourceIcon(UINT id);

// The function `name` of `module`, typed as the caller knows it to be; none
// without the module or the function.
template <typename Fn>
Fn FunctionFrom(HMODULE module, const char* name)
{
    if (!module)
        return nullptr;
    // GetProcAddress gives an untyped pointer; the name fixes the real type.
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

} // namespace platform
