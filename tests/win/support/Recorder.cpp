// Stands in for a program on a disc: writes the command line it was started
// with, and how it was asked to show itself, into "<its own path>.log".
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    std::vector<char> path(32768);
    const DWORD n = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0 || n >= path.size())
        return 2;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    ::GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;

    const std::string log = std::string(path.data(), n) + ".log";
    std::FILE* f = std::fopen(log.c_str(), "wb");
    if (!f)
        return 3;
    std::fprintf(f, "%s\nshow=%d\n", ::GetCommandLineA(), show);
    return std::fclose(f) == 0 ? 0 : 4;
}
