#pragma once
// Message boxes: the few the programs show (a missing file, a window outline
// that could not be made), with texts of any script.
#include <windows.h>

#include <string>

namespace platform {

// A modal message box owned by `owner` (none: no owner); what the user chose.
int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type);

} // namespace platform
