#include "platform/Dpi.h"

#include "platform/Module.h"
#include "platform/Process.h"
#include "platform/Win32Handles.h"

namespace platform {

int WindowDpi(HWND window)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    // Looked up rather than linked, so that the programs still start on Windows before 10.
    const auto getDpiForWindow = FunctionFrom<GetDpiForWindowFn>(LoadedDll("user32.dll"), "GetDpiForWindow");
    if (getDpiForWindow && window)
        if (const UINT dpi = getDpiForWindow(window))
            return static_cast<int>(dpi);
    const WindowDc dc(window);
    const int dpi = dc.Dc() ? ::GetDeviceCaps(dc.Dc(), LOGPIXELSX) : 0;
    return dpi > 0 ? dpi : 96;
}

} // namespace platform
