#pragma once
// Files opened as Win32 handles, for readers that need the handle itself.
#include "platform/Win32Handles.h"

#include <string>

namespace platform {

// Opened for reading and shared with other readers; invalid when it cannot be opened.
KernelHandle OpenFileForReading(const std::string& path);

} // namespace platform
