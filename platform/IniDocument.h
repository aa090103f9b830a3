#pragma once
// A private-profile (INI) file parsed from memory, read the way the Windows
// profile functions read it: the one reader of the programs and the tools on
// every platform. Its texts are UTF-8, whatever the file's encoding; lengths
// (buffer sizes) count UTF-16 units, as the wide profile functions do.
#include "platform/TextCodec.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class IniDocument {
public:
    // `ansiToUtf8` reads a file that is in the ANSI code page (no mark, not UTF-8).
    static IniDocument Parse(std::string_view bytes, AnsiToUtf8 ansiToUtf8 = &Cp1252ToUtf8);
    // The file as Windows' own profile functions read it, and so the shell reading
    // AUTORUN.INF: UTF-16 LE by its mark, any other bytes in the ANSI code page, a
    // UTF-8 mark stuck to the first line (which loses a section header there).
    static IniDocument ParseAsWindows(std::string_view bytes, AnsiToUtf8 ansiToUtf8 = &Cp1252ToUtf8);

    // The encoding the file was read in.
    TextEncoding Encoding() const { return m_encoding; }

    // What GetPrivateProfileStringA(section, key, def, buf, bufferChars) leaves in
    // its buffer. bufferChars counts the terminating zero, as Windows does.
    std::string GetString(std::string_view section, std::string_view key, std::string_view def,
                          std::size_t bufferChars) const;

    // The key names of `section` in file order, as Windows lists them into a
    // buffer of bufferChars characters (the last name may be cut, later ones lost).
    std::vector<std::string> GetKeyNames(std::string_view section, std::size_t bufferChars) const;

    // Where things stand in the text, for tools that report on a file. Lines
    // count from 1; CR, LF and CR LF each end one line.
    struct Located {
        std::string name;
        std::size_t line;
    };
    // Every section header in file order, with its name as read.
    std::vector<Located> SectionHeaders() const;
    // The names of the sections in file order, as read (SectionHeaders without copies).
    std::size_t SectionCount() const { return m_sections.empty() ? 0 : m_sections.size() - 1; }
    const std::string& SectionName(std::size_t index) const { return m_sections[index + 1].name; }
    // Whether the file has a section of that name (blanks around it ignored).
    bool HasSection(std::string_view section) const;
    // Whether GetString(section, key) reads a value that is not empty from the file.
    bool GivesValue(std::string_view section, std::string_view key) const;
    // The line of the entry that GetString(section, key) reads; 0 when it reads the default.
    std::size_t KeyLine(std::string_view section, std::string_view key) const;
    // GetKeyNames, each name with the line it stands on.
    std::vector<Located> GetKeyNamesWithLines(std::string_view section, std::size_t bufferChars) const;

private:
    struct Key {
        std::string name;
        std::optional<std::string> value; // none for a line without '='
        std::size_t line = 0;
    };
    struct Section {
        std::string name;
        std::vector<Key> keys;
        std::size_t line = 0; // 0 for the keys before any header
    };

    static IniDocument ParseDecoded(std::string_view text, TextEncoding encoding);
    const Section* FindSection(std::string_view trimmedName) const;
    const Key* FindKey(std::string_view section, std::string_view key) const;

    std::vector<Section> m_sections; // the first one holds the keys before any section header
    TextEncoding m_encoding = TextEncoding::Ansi;
};

// The default as the profile functions hand it over: trailing spaces dropped, cut
// to the buffer, and one pair of quotes removed when the file could be read.
std::string ProfileDefault(std::string_view def, std::size_t bufferChars, bool stripQuote);

} // namespace platform
