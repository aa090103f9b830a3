#include "launcher/Wow64.h"

#include "platform/Module.h"
#include "platform/Process.h"

namespace launcher {

using platform::FunctionFrom;

bool IsWow64(IsWow64ProcessFn isWow64Process)
{
    BOOL wow64 = FALSE;
    if (isWow64Process && !isWow64Process(::GetCurrentProcess(), &wow64))
        return false;
    return wow64 != FALSE;
}

void DisableWow64Redirection(DisableRedirectionFn disable)
{
    PVOID oldValue = nullptr;
    if (disable)
        disable(&oldValue);
}

IsWow64ProcessFn FindIsWow64Process()
{
    // Kernel32 stays loaded for the life of the process, so the function stays
    // valid after this reference is given back.
    platform::Library kernel32 = platform::LoadDll("Kernel32.dll");
    return FunctionFrom<IsWow64ProcessFn>(kernel32.Get(), "IsWow64Process");
}

DisableRedirectionFn FindDisableWow64Redirection()
{
    return FunctionFrom<DisableRedirectionFn>(platform::LoadedDll("kernel32"),
                                             "Wow64DisableWow64FsRedirection");
}

} // namespace launcher
