#include "platform/CommonControls.h"

#include <windows.h>

#include <commctrl.h>

void platform::EnsureCommonControls()
{
    static const bool registered = [] {
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
        return ::InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)registered;
}
