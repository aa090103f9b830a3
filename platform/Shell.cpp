#include "platform/Shell.h"

#include "platform/Module.h"
#include "platform/Process.h"
#include "platform/WideText.h"
#include "platform/Win32Handles.h"

#include <shellapi.h>

namespace platform {

void ShellOpen(HWND owner, const std::string& verb, const std::string& path)
{
    // The shell's library is loaded at the first open rather than with the
    // program: it and the libraries it brings cost a start a good share of its
    // time under Wine. It stays loaded, as what it starts may still use it.
    static const Library shell = LoadDll("shell32.dll");
    static const auto shellExecute = FunctionFrom<decltype(&::ShellExecuteW)>(shell.Get(), "ShellExecuteW");
    if (!shellExecute)
        return;
    const std::wstring wideVerb = Wide(verb);
    shellExecute(owner, verb.empty() ? nullptr : wideVerb.c_str(), Wide(path).c_str(), nullptr, nullptr,
                 SW_SHOWNORMAL);
}

} // namespace platform
