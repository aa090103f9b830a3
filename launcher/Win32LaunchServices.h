#pragma once
// The launcher's platform operations on Win32.
#include "launcher/LaunchPlan.h"
#include "launcher/Wow64.h"

namespace launcher {

class Win32LaunchServices : public LaunchServices {
public:
    std::uint32_t GetVersionWord() override;
    std::optional<VersionRecord> QueryVersionRecord() override;
    bool IsWow64() override;
    void DisableWow64Redirection() override;
    std::string ProgramFilePath() override;
    bool IsLeadByte(unsigned char byte) override;
    std::string ReadProfileString(const std::string& path, const std::string& section, const std::string& key,
                                  std::size_t bufferChars) override;
    bool IsExistingFile(const std::string& path) override;
    void StartProgram(const std::string& commandLine) override;
};

} // namespace launcher
