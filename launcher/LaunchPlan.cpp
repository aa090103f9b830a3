#include "launcher/LaunchPlan.h"

#include <optional>

namespace launcher {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The longest leading part of `value` that ends at a blank or at the end and
// names an existing file below `programDir`.
std::optional<std::size_t> ProgramPartLength(const std::string& programDir, std::string_view value,
                                             const std::function<bool(const std::string&)>& isExistingFile)
{
    for (std::size_t end = value.size(); end > 0; --end) {
        if (end != value.size() && !IsBlank(value[end]))
            continue;
        if (isExistingFile(programDir + std::string(value.substr(0, end))))
            return end;
    }
    return std::nullopt;
}

} // namespace

std::string GetProgramDir(std::string_view programPath, const LeadBytePredicate& isLeadByte)
{
    std::size_t dirStart = 0;
    if (programPath.size() >= 2 && programPath[1] == ':')
        dirStart = 2;
    // The directory runs to the last separator; a byte after a lead byte is
    // part of a character, never a separator.
    std::size_t dirEnd = dirStart;
    for (std::size_t i = dirStart; i < programPath.size(); ++i) {
        const char c = programPath[i];
        if (isLeadByte && isLeadByte(static_cast<unsigned char>(c))) {
            ++i;
            continue;
        }
        if (c == '\\' || c == '/')
            dirEnd = i + 1;
    }
    return std::string(programPath.substr(0, dirEnd));
}

const char* ChooseConfigKey(VersionClass versionClass)
{
    return versionClass == VersionClass::VistaOrLater ? "VISTA" : "XP";
}

std::string BuildCommandLine(const std::string& programDir, std::string_view value,
                             const std::function<bool(const std::string&)>& isExistingFile)
{
    value = value.substr(0, kConfigValueBufferChars - 1);
    if (std::optional<std::size_t> program = ProgramPartLength(programDir, value, isExistingFile)) {
        std::string line = "\"" + programDir;
        line.append(value.substr(0, *program));
        line += '"';
        line.append(value.substr(*program));
        return line;
    }
    return programDir + std::string(value);
}

std::string RunLauncher(LaunchServices& services)
{
    if (services.IsWow64())
        services.DisableWow64Redirection();

    const std::string programDir = GetProgramDir(
        services.ProgramFilePath(), [&services](unsigned char b) { return services.IsLeadByte(b); });
    const std::string configPath = programDir + kConfigFileName;
    const VersionClass versionClass = ClassifyWindowsVersion(services);
    const std::string value =
        services.ReadProfileString(configPath, kConfigSection, ChooseConfigKey(versionClass), kConfigValueBufferChars);

    // Without a value the command line would be the directory alone, which
    // names no program, but whose part before a blank might.
    if (value.empty())
        return programDir;
    services.StartProgram(BuildCommandLine(programDir, value,
                                           [&services](const std::string& p) { return services.IsExistingFile(p); }));
    return programDir;
}

} // namespace launcher
