#include "platform/Shell.h"

#include "platform/WideText.h"

#include <shellapi.h>

namespace platform {

void ShellOpen(HWND owner, const std::string& verb, const std::string& path)
{
    const std::wstring wideVerb = Wide(verb);
    ::ShellExecuteW(owner, verb.empty() ? nullptr : wideVerb.c_str(), Wide(path).c_str(), nullptr, nullptr,
                    SW_SHOWNORMAL);
}

} // namespace platform
