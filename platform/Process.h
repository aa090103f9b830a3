#pragma once
// Process services over Win32: the program's own file, start requests, system
// DLLs and the version the system reports.
#include "platform/Win32Handles.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// The full path of a module's file (the program's own for null), however long:
// the buffer, first `initialChars` long, grows until the path fits. Empty when
// Windows cannot tell.
std::string ModuleFileName(HMODULE module = nullptr, std::size_t initialChars = MAX_PATH);

// Asks Windows to start a command line, as WinExec does but in Unicode; true when it did.
bool StartCommandLine(const std::string& commandLine, int show);

// A DLL loaded by name, with a reference of this program's own; none when it cannot be loaded.
Library LoadDll(const std::string& name);
// A DLL already loaded into the process, without a reference; none when it is not loaded.
HMODULE LoadedDll(const std::string& name);

struct SystemVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
};
// The major and minor version of GetVersionEx's record: zeros when the query
// fails, nothing when there is no memory for the record.
std::optional<SystemVersion> QuerySystemVersion();

} // namespace platform
