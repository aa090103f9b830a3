#pragma once
// Reading the skin description: values, key lists, control-line fields,
// rectangles and picture paths. Portable: no window system needed.
#include "platform/Text.h"

#include <cstdint>
#include <string>
#include <vector>

// A rectangle in skin pixels: right and bottom are exclusive.
struct SkinRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    std::int32_t Width() const { return right - left; }
    std::int32_t Height() const { return bottom - top; }
    bool operator==(const SkinRect& o) const
    {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// The reader of one INI file, through the language sections of `languages`
// (most specific first; none reads the base sections only). Reads at every
// call and keeps nothing but the path and the languages.
class IniFile {
public:
    static constexpr std::size_t kValueBufferChars = 2048;    // values up to 2047 characters
    static constexpr std::size_t kKeyListBufferChars = 16384; // names beyond this are not seen

    explicit IniFile(std::string path, std::vector<std::string> languages = {})
        : m_path(std::move(path)), m_languages(std::move(languages))
    {
    }

    const std::string& Path() const { return m_path; }
    const std::vector<std::string>& Languages() const { return m_languages; }

    // The value, or `def` when the file, section or key is missing.
    std::string GetString(const std::string& section, const std::string& key, const std::string& def) const;

    // Replaces `names` with the key names of the base `section` in file order; true when there is one.
    bool GetKeyNames(const std::string& section, std::vector<std::string>& names) const;

private:
    std::string m_path;
    std::vector<std::string> m_languages;
};

// NextToken trims blanks (Text.h) from the line after each field.
using platform::TrimBlanks;

// Takes the next comma-separated field off the front of `line`. The field keeps
// blanks before its comma; blanks after a comma are trimmed from what is left.
// When no comma is left, every call returns the whole (last) field again.
std::string NextToken(std::string& line);

// The C library's atoi, but saturating instead of overflowing.
std::int32_t ParseInt(const std::string& field);

// Four fields x, y, width, height into left, top, right, bottom.
SkinRect ParseRect(std::string& line);

// The absolute directory that holds `path`, with exactly one trailing backslash.
std::string GetFileDir(const std::string& path);

// The directory part of a full path, with exactly one trailing backslash.
std::string DirOfFullPath(const std::string& fullPath);

// Where a picture named in the skin file is found: beside the skin file.
std::string PicturePath(const std::string& skinPath, const std::string& name);

// The lines of a numbered control section: keys "1" to N, where N is the number
// of keys the base section lists; empty values are skipped. A key's line is
// the one of its most specific language section, but only where the base
// section gives the key a line: languages neither add nor remove controls.
struct NumberedLine {
    int key;
    std::string value;
};
std::vector<NumberedLine> ReadNumberedLines(const IniFile& ini, const std::string& section);
