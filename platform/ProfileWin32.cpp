#include "Profile.h"

#include <windows.h>

#include <vector>

namespace platform {

std::string ReadProfileString(const std::string& path, const std::string& section, const std::string& key,
                             const std::string& def, std::size_t bufferChars)
{
    if (bufferChars == 0)
        return {};
    std::vector<char> buf(bufferChars + 1, '\0');
    DWORD n = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buf.data(),
                                         static_cast<DWORD>(bufferChars), path.c_str());
    return std::string(buf.data(), std::min<std::size_t>(n, bufferChars));
}

std::vector<std::string> ReadProfileKeyNames(const std::string& path, const std::string& section,
                                            std::size_t bufferChars)
{
    // One spare zero: when the list does not fit, Windows may leave the
    // last byte unwritten.
    std::vector<char> buf(bufferChars + 1, '\0');
    ::GetPrivateProfileStringA(section.c_str(), nullptr, "", buf.data(), static_cast<DWORD>(bufferChars),
                               path.c_str());
    return SplitNameList(buf.data(), buf.size());
}

} // namespace platform
