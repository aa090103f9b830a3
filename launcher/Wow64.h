#pragma once
// The WOW64 services of 64-bit Windows for a 32-bit process. Both functions
// are looked up at run time because older systems lack them; the lookups are
// separate from the calls so that tests can hand in stand-ins.
#include <windows.h>

namespace launcher {

using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE process, PBOOL wow64);
using DisableRedirectionFn = BOOL(WINAPI*)(PVOID* oldValue);

// Whether this process runs under WOW64; false when `isWow64Process` is null.
bool IsWow64(IsWow64ProcessFn isWow64Process);
// Switches redirection off for this thread; does nothing when `disable` is null.
// The old state is not kept: redirection stays off until the process ends.
void DisableWow64Redirection(DisableRedirectionFn disable);

// IsWow64Process from "Kernel32.dll" loaded by name, and
// Wow64DisableWow64FsRedirection from the loaded "kernel32"; null when missing.
IsWow64ProcessFn FindIsWow64Process();
DisableRedirectionFn FindDisableWow64Redirection();

} // namespace launcher
