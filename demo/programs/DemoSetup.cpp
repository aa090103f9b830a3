// A stand-in for a product's installer on the demo disc. Built twice: once as
// the installer for Windows Vista and later, once for Windows XP and older.
// It only says which one it is, so that verpick's choice can be seen.
#include "platform/Process.h"
#include "platform/MessageBox.h"

#include <windows.h>

#include <string>

#ifndef DEMO_FOR_VISTA
#error "build with DEMO_FOR_VISTA=1 or DEMO_FOR_VISTA=0"
#endif

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    const platform::SystemVersion version = platform::QuerySystemVersion().value_or(platform::SystemVersion{});

    const char* edition = DEMO_FOR_VISTA ? "Windows Vista and later" : "Windows XP and earlier";
    const std::string text = std::string("This is the demo product's setup for ") + edition +
                             ".\r\n\r\nverpick chose it because this system reports Windows " +
                             std::to_string(version.major) + "." + std::to_string(version.minor) +
                             ".\r\nArguments from config.ini: " + (*commandLine ? commandLine : "(none)");
    platform::ShowMessageBox(nullptr, text, "Demo Product Setup", MB_OK | MB_ICONINFORMATION);
    return 0;
}
