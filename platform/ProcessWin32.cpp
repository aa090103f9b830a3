#include "Process.h"

#include <vector>

namespace platform {

std::string ModuleFileName(HMODULE module, std::size_t initialChars)
{
    // A path that fills the buffer may have been cut (and left without its
    // zero on older systems), so grow until there is room to spare.
    std::vector<char> buf(initialChars > 0 ? initialChars : 1);
    for (;;) {
        const DWORD n = ::GetModuleFileNameA(module, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0)
            return {};
        if (n < buf.size())
            return std::string(buf.data(), n);
        if (buf.size() >= 0x10000) // longer than any path Windows can hold
            return {};
        buf.resize(buf.size() * 2);
    }
}

bool StartCommandLine(const std::string& commandLine, int show)
{
    return ::WinExec(commandLine.c_str(), static_cast<UINT>(show)) > 31;
}

} // namespace platform
