#include "Shell.h"

#include <shellapi.h>

namespace platform {

void ShellOpen(HWND owner, const std::string& verb, const std::string& path)
{
    ::ShellExecuteA(owner, verb.empty() ? nullptr : verb.c_str(), path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

} // namespace platform
