#include "launcher/Win32LaunchServices.h"

#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/Profile.h"


namespace launcher {

std::uint32_t Win32LaunchServices::GetVersionWord()
{
    return ::GetVersion();
}

std::optional<VersionRecord> Win32LaunchServices::QueryVersionRecord()
{
    const std::optional<platform::SystemVersion> version = platform::QuerySystemVersion();
    if (!version)
        return std::nullopt;
    return VersionRecord{version->major, version->minor};
}

bool Win32LaunchServices::IsWow64()
{
    return launcher::IsWow64(FindIsWow64Process());
}

void Win32LaunchServices::DisableWow64Redirection()
{
    launcher::DisableWow64Redirection(FindDisableWow64Redirection());
}

std::string Win32LaunchServices::ProgramFilePath()
{
    return platform::ModuleFileName();
}

bool Win32LaunchServices::IsLeadByte(unsigned char)
{
    // Paths are UTF-8 here: no byte of a longer character can be read as a backslash.
    return false;
}

std::string Win32LaunchServices::ReadProfileString(const std::string& path, const std::string& section,
                                                   const std::string& key, std::size_t bufferChars)
{
    return platform::ReadProfileString(path, section, key, "", bufferChars);
}

bool Win32LaunchServices::IsExistingFile(const std::string& path)
{
    return platform::IsExistingFile(path);
}

void Win32LaunchServices::StartProgram(const std::string& commandLine)
{
    platform::StartCommandLine(commandLine, SW_SHOW);
}

} // namespace launcher
