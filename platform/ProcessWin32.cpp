#include "platform/Process.h"

#include "platform/WideText.h"

#include <memory>
#include <new>
#include <vector>

namespace platform {

std::string ModuleFileName(HMODULE module, std::size_t initialChars)
{
    // A path that fills the buffer may have been cut (and left without its
    // zero on older systems), so grow until there is room to spare.
    std::vector<wchar_t> buf(initialChars > 0 ? initialChars : 1);
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(module, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0)
            return {};
        if (n < buf.size())
            return Narrow(buf.data(), n);
        if (buf.size() >= 0x10000) // longer than any path Windows can hold
            return {};
        buf.resize(buf.size() * 2);
    }
}

bool StartCommandLine(const std::string& commandLine, int show)
{
    // What WinExec does, in Unicode: the program is the command line's first
    // word (or its quoted part), found as CreateProcess finds it; nothing waits.
    std::wstring line = Wide(commandLine); // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return false;
    KernelHandle process(started.hProcess);
    KernelHandle thread(started.hThread);
    return true;
}

Library LoadDll(const std::string& name)
{
    return Library(::LoadLibraryW(Wide(name).c_str()));
}

HMODULE LoadedDll(const std::string& name)
{
    return ::GetModuleHandleW(Wide(name).c_str());
}

static_assert(sizeof(OSVERSIONINFOA) == 148, "the version record GetVersionExA expects");

std::optional<SystemVersion> QuerySystemVersion()
{
    std::unique_ptr<OSVERSIONINFOA> record(new (std::nothrow) OSVERSIONINFOA{});
    if (!record)
        return std::nullopt;
    record->dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    // A failed query leaves the record zeroed, which reads as "nothing known".
    ::GetVersionExA(record.get());
    return SystemVersion{record->dwMajorVersion, record->dwMinorVersion};
}

} // namespace platform
