#include "platform/IniDocument.h"

#include "platform/Text.h"
#include "platform/TextCodec.h"

#include <algorithm>

namespace platform {
namespace {

// Windows' profile reader treats Ctrl-Z (an old end-of-file mark) as blank too.
bool IsProfileBlank(char c)
{
    return IsBlank(c) || c == '\x1a';
}

std::string_view Trim(std::string_view s)
{
    return TrimBlanks(s, IsProfileBlank);
}

// Copies at most bufferChars - 1 characters, as a zero-terminated copy into a
// buffer of that size would. One pair of matching quotes around the whole text is
// dropped; when the cut has already taken the closing quote, Windows still
// drops the last character that is left, and so do we.
std::string CopyEntry(std::string_view value, std::size_t bufferChars, bool stripQuote)
{
    if (bufferChars == 0)
        return {};
    bool quoted = false;
    if (stripQuote && value.size() >= 2 && (value.front() == '\'' || value.front() == '"') &&
        value.back() == value.front()) {
        quoted = true;
        value.remove_prefix(1);
    }
    std::string out(value.substr(0, Utf16PrefixBytes(value, bufferChars - 1)));
    if (quoted && bufferChars >= Utf16Length(value) && !out.empty()) {
        // The closing quote, or the last whole character before it.
        std::size_t last = 0;
        for (std::size_t i = 0; i < out.size(); i += DecodeUtf8(out, i).length)
            last = i;
        out.erase(last);
    }
    return out;
}

// Editors number lines this way: CR LF is one line end, a lone CR or LF another.
std::size_t CountLineEnds(std::string_view ends)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < ends.size(); ++i, ++count)
        if (ends[i] == '\r' && i + 1 < ends.size() && ends[i + 1] == '\n')
            ++i;
    return count;
}

} // namespace

IniDocument IniDocument::Parse(std::string_view raw, AnsiToUtf8 ansiToUtf8)
{
    // Windows' own reader would keep a UTF-8 mark stuck to the first line and so
    // lose the first section ([Screen]); nobody wants that, so the mark is read.
    const TextEncoding encoding = DetectEncoding(raw);
    return ParseDecoded(DecodeText(raw, encoding, ansiToUtf8), encoding);
}

IniDocument IniDocument::ParseAsWindows(std::string_view raw, AnsiToUtf8 ansiToUtf8)
{
    const TextEncoding encoding = DetectEncoding(raw) == TextEncoding::Utf16Le ? TextEncoding::Utf16Le
                                                                                : TextEncoding::Ansi;
    return ParseDecoded(DecodeText(raw, encoding, ansiToUtf8), encoding);
}

IniDocument IniDocument::ParseDecoded(std::string_view bytes, TextEncoding encoding)
{
    IniDocument doc;
    doc.m_sections.push_back(Section{});
    doc.m_encoding = encoding;

    std::size_t pos = 0;
    std::size_t lineNumber = 1;
    while (pos < bytes.size()) {
        // A line ends at CR or LF; a run of them ends it only once.
        std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = bytes.size();
        std::string_view line = Trim(bytes.substr(pos, end - pos));
        const std::size_t thisLine = lineNumber;
        pos = bytes.find_first_not_of("\r\n", end);
        if (pos == std::string_view::npos)
            pos = bytes.size();
        lineNumber += CountLineEnds(bytes.substr(end, pos - end));
        if (line.empty())
            continue;

        if (line.front() == '[') {
            // Windows ends the name at the first ']', and a header without one
            // still opens the section named by the rest of the line.
            std::size_t close = line.find(']');
            if (close == std::string_view::npos)
                close = line.size();
            doc.m_sections.push_back(Section{std::string(Trim(line.substr(1, close - 1))), {}, thisLine});
            continue;
        }

        Key key;
        key.line = thisLine;
        std::size_t eq = line.find('=');
        if (eq != std::string_view::npos) {
            key.name = std::string(Trim(line.substr(0, eq)));
            key.value = std::string(Trim(line.substr(eq + 1)));
        } else {
            key.name = std::string(line);
        }
        auto& keys = doc.m_sections.back().keys;
        // Consecutive lines with an empty name are kept once.
        if (key.name.empty() && !keys.empty() && keys.back().name.empty())
            continue;
        keys.push_back(std::move(key));
    }
    return doc;
}

const IniDocument::Section* IniDocument::FindSection(std::string_view trimmedName) const
{
    for (const auto& s : m_sections)
        if (EqualNoCase(s.name, trimmedName))
            return &s; // only the first of sections with the same name is read
    return nullptr;
}

const IniDocument::Key* IniDocument::FindKey(std::string_view section, std::string_view key) const
{
    if (const Section* s = FindSection(Trim(section))) {
        std::string_view k = Trim(key);
        for (const auto& entry : s->keys)
            if (EqualNoCase(entry.name, k))
                return entry.value ? &entry : nullptr; // the first line of that name decides
    }
    return nullptr;
}

std::string IniDocument::GetString(std::string_view section, std::string_view key, std::string_view def,
                                   std::size_t bufferChars) const
{
    if (const Key* entry = FindKey(section, key))
        return CopyEntry(*entry->value, bufferChars, true);
    return ProfileDefault(def, bufferChars, true);
}

bool IniDocument::HasSection(std::string_view section) const { return FindSection(Trim(section)) != nullptr; }

bool IniDocument::GivesValue(std::string_view section, std::string_view key) const
{
    const Key* entry = FindKey(section, key);
    return entry && !CopyEntry(*entry->value, 3, true).empty(); // room for a character between quotes
}

std::size_t IniDocument::KeyLine(std::string_view section, std::string_view key) const
{
    const Key* entry = FindKey(section, key);
    return entry ? entry->line : 0;
}

std::vector<IniDocument::Located> IniDocument::SectionHeaders() const
{
    std::vector<Located> headers;
    for (std::size_t i = 1; i < m_sections.size(); ++i)
        headers.push_back({m_sections[i].name, m_sections[i].line});
    return headers;
}

std::vector<std::string> IniDocument::GetKeyNames(std::string_view section, std::size_t bufferChars) const
{
    std::vector<std::string> names;
    for (auto& located : GetKeyNamesWithLines(section, bufferChars))
        names.push_back(std::move(located.name));
    return names;
}

std::vector<IniDocument::Located> IniDocument::GetKeyNamesWithLines(std::string_view section,
                                                                    std::size_t bufferChars) const
{
    std::vector<Located> names;
    const Section* s = nullptr;
    for (const auto& candidate : m_sections)
        if (EqualNoCase(candidate.name, section)) { // listing does not trim the name asked for
            s = &candidate;
            break;
        }
    if (!s)
        return names;

    // Each name takes its length and a zero, and the list one zero more; a name
    // that does not fit is cut, and nothing after it is listed.
    std::size_t room = bufferChars;
    for (const auto& k : s->keys) {
        if (room <= 2)
            break;
        if (!k.value) // lines without '=' are not keys
            continue;
        if (!k.name.empty() && k.name.front() == ';') // nor are comments
            continue;
        if (k.name.empty()) // an empty name reads as the end of the list
            break;
        std::string name = k.name.substr(0, Utf16PrefixBytes(k.name, room - 2));
        if (name.empty()) // not even its first character fits (a pair of units)
            break;
        room -= Utf16Length(name) + 1;
        names.push_back({std::move(name), k.line});
        if (room < 2)
            break;
    }
    return names;
}

std::string ProfileDefault(std::string_view def, std::size_t bufferChars, bool stripQuote)
{
    // Windows drops trailing spaces (only spaces) of the default.
    while (!def.empty() && def.back() == ' ')
        def.remove_suffix(1);
    return CopyEntry(def, bufferChars, stripQuote);
}

} // namespace platform
