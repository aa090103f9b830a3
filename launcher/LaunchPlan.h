#pragma once
// What the launcher does, free of Windows: where it lives, which entry of
// config.ini applies, and the command line that starts the configured program.
// The platform operations it needs are behind LaunchServices.
#include "launcher/WindowsVersion.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace launcher {

inline constexpr const char* kConfigFileName = "config.ini";
inline constexpr const char* kConfigSection = "FILES_NAME";
// Values are read through a buffer of this many characters, the zero included.
inline constexpr std::size_t kConfigValueBufferChars = 256;

// True for the first byte of a two-byte character of the ANSI code page.
using LeadBytePredicate = std::function<bool(unsigned char)>;

// Drive and directory of the program file, as _splitpath parts them: the
// directory keeps its trailing backslash ("D:\" for the root of D, the share
// and folders for a network path). No length limit. With `isLeadByte`, a
// second byte that happens to be '\' does not end a directory name.
std::string GetProgramDir(std::string_view programPath, const LeadBytePredicate& isLeadByte = {});

// "VISTA" for NT 5.2 and later, "XP" for everything older.
const char* ChooseConfigKey(VersionClass versionClass);

// The program directory followed by the value (at most 255 characters of it).
// Where the directory or the file name holds a blank, Windows would first try
// to start whatever the part before the blank names; so when a leading part of
// the value, ending at a blank or at its end, names an existing file below the
// directory, the longest such part is quoted together with the directory and
// the rest follows unchanged as arguments. Otherwise the two are joined as they are.
std::string BuildCommandLine(const std::string& programDir, std::string_view value,
                             const std::function<bool(const std::string&)>& isExistingFile);

// The platform operations of one launcher run.
class LaunchServices : public VersionQueries {
public:
    virtual bool IsWow64() = 0;
    // Switches WOW64 file-system redirection off for this thread; it stays off.
    virtual void DisableWow64Redirection() = 0;
    virtual std::string ProgramFilePath() = 0;
    virtual bool IsLeadByte(unsigned char byte) = 0;
    // The value, or "" when the file, section or key is missing; read through
    // a buffer of `bufferChars` characters.
    virtual std::string ReadProfileString(const std::string& path, const std::string& section,
                                          const std::string& key, std::size_t bufferChars) = 0;
    virtual bool IsExistingFile(const std::string& path) = 0;
    // WinExec with SW_SHOW; whether it worked is of no interest.
    virtual void StartProgram(const std::string& commandLine) = 0;
};

// One run, in this order: WOW64 redirection off where it applies, program
// directory, config.ini beside the program, version class, the value of its
// key, the start request (none for an empty value). Returns the program
// directory. Reports nothing.
std::string RunLauncher(LaunchServices& services);

} // namespace launcher
