#pragma once
// The private-profile service, read with the portable IniDocument on every
// platform. Buffer sizes count the terminating zero, as on Windows.
#include <cstddef>
#include <string>
#include <vector>

namespace platform {

std::string ReadProfileString(const std::string& path, const std::string& section, const std::string& key,
                             const std::string& def, std::size_t bufferChars);

// The same, read through the language sections of `languages` (LanguageSections.h).
std::string ReadProfileString(const std::string& path, const std::string& section, const std::string& key,
                             const std::string& def, std::size_t bufferChars,
                             const std::vector<std::string>& languages);

std::vector<std::string> ReadProfileKeyNames(const std::string& path, const std::string& section,
                                            std::size_t bufferChars);

// Splits a name list as Windows leaves it in a buffer: names each ended by
// a zero, the list ended by an empty name. Never reads past `size` bytes.
std::vector<std::string> SplitNameList(const char* buffer, std::size_t size);

} // namespace platform
