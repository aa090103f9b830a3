#pragma once
// The DPI a window is drawn at. The programs declare per-monitor awareness in
// their manifests and make no awareness call of their own: under Wine every
// process starts per-monitor aware and the calls fail as already made, and on
// Windows the manifest is the documented way.
#include <windows.h>

namespace platform {

// GetDpiForWindow where the system has it (Windows 10 1607 and later), else
// the logical DPI of the window's device context; 96 when neither answers.
int WindowDpi(HWND window);

} // namespace platform
