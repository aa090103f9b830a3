// Stands in for a program on a disc: writes the command line it was started
// with (UTF-8), and how it was asked to show itself, into "<its own path>.log".
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    std::vector<wchar_t> path(32768);
    const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0 || n >= path.size())
        return 2;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    ::GetStartupInfoW(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;

    const std::wstring log = std::wstring(path.data(), n) + L".log";
    std::FILE* f = ::_wfopen(log.c_str(), L"wb");
    if (!f)
        return 3;
    const wchar_t* line = ::GetCommandLineW();
    std::string utf8(static_cast<std::size_t>(::WideCharToMultiByte(CP_UTF8, 0, line, -1, nullptr, 0, nullptr, nullptr)), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, line, -1, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
    std::fprintf(f, "%s\nshow=%d\n", utf8.c_str(), show);
    return std::fclose(f) == 0 ? 0 : 4;
}
