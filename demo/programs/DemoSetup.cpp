// A stand-in for a product's installer on the demo disc. Built twice: once as
// the installer for Windows Vista and later, once for Windows XP and older.
// It only says which one it is, so that verpick's choice can be seen.
#include <windows.h>

#include <cstdio>

#ifndef DEMO_FOR_VISTA
#error "build with DEMO_FOR_VISTA=1 or DEMO_FOR_VISTA=0"
#endif

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    ::GetVersionExA(&version);

    const char* edition = DEMO_FOR_VISTA ? "Windows Vista and later" : "Windows XP and earlier";
    char text[512];
    std::snprintf(text, sizeof text,
                  "This is the demo product's setup for %s.\r\n\r\n"
                  "verpick chose it because this system reports Windows %lu.%lu.\r\n"
                  "Arguments from config.ini: %s",
                  edition, version.dwMajorVersion, version.dwMinorVersion, *commandLine ? commandLine : "(none)");
    ::MessageBoxA(nullptr, text, "Demo Product Setup", MB_OK | MB_ICONINFORMATION);
    return 0;
}
