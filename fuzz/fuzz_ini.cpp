// Arbitrary bytes through the portable profile reader. The reader must never
// crash, and its answers must keep the promises its callers build on: a value
// fits the buffer it was asked with, a key list fits its buffer, a bigger
// buffer only ever shows more of the same answer, and neither line endings nor
// the case of the names asked for change what is read.
#include "fuzz/FuzzCheck.h"
#include "platform/IniDocument.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

using platform::IniDocument;

bool StartsWith(const std::string& s, const std::string& prefix)
{
    return s.compare(0, prefix.size(), prefix) == 0;
}

std::string Upper(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return s;
}

std::string WithCrLf(const std::string& text)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

// Names worth asking for: what the text itself holds between brackets and
// before an equals sign, and a few fixed ones.
void CollectNames(const std::string& text, std::vector<std::string>& sections, std::vector<std::string>& keys)
{
    sections = {"", "Screen", "s"};
    keys = {"", "Main", "1", "k"};
    std::size_t pos = 0;
    while (pos < text.size() && sections.size() + keys.size() < 24) {
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        std::size_t open = line.find('['), close = line.rfind(']');
        if (open != std::string::npos && close != std::string::npos && close > open)
            sections.push_back(line.substr(open + 1, close - open - 1));
        std::size_t eq = line.find('=');
        if (eq != std::string::npos)
            keys.push_back(line.substr(0, eq));
    }
}

void CheckValue(const IniDocument& doc, const IniDocument& crlf, const std::string& section,
                const std::string& key, const std::string& def, std::size_t small, std::size_t all)
{
    const std::string full = doc.GetString(section, key, def, all);
    Check(full == crlf.GetString(section, key, def, all), "line endings change a value");
    Check(full == doc.GetString(Upper(section), Upper(key), def, all), "name case changes a value");
    Check(full == doc.GetString(" " + section + "\t", key + " ", def, all),
          "blanks around asked names change a value");

    for (std::size_t chars : {small, small + 1, std::size_t(0), std::size_t(1), std::size_t(2), std::size_t(2048)}) {
        // Buffers count UTF-16 units, as the wide profile calls do.
        const std::string cut = doc.GetString(section, key, def, chars);
        const std::size_t units = platform::Utf16Length(cut), fullUnits = platform::Utf16Length(full);
        Check(chars == 0 ? cut.empty() : units < chars, "value does not fit its buffer");
        Check(StartsWith(full, cut), "a smaller buffer shows something else");
        // At most the one character of a cut-off closing quote, or a pair of
        // units that does not fit whole, is lost beyond the cut.
        const std::size_t room = chars == 0 ? 0 : chars - 1;
        const std::size_t expected = fullUnits < room ? fullUnits : room;
        Check(units + 3 >= expected, "value cut shorter than its buffer");
    }
}

void CheckKeyNames(const IniDocument& doc, const IniDocument& crlf, const std::string& section, std::size_t small,
                   std::size_t all)
{
    const auto full = doc.GetKeyNames(section, all);
    Check(full == crlf.GetKeyNames(section, all), "line endings change a key list");
    Check(full == doc.GetKeyNames(Upper(section), all), "name case changes a key list");

    for (std::size_t chars : {small, small + 1, std::size_t(0), std::size_t(1), std::size_t(2), std::size_t(3),
                              std::size_t(16384)}) {
        const auto names = doc.GetKeyNames(section, chars);
        // Each name and its zero, then the zero that ends the list.
        std::size_t used = 1;
        for (const auto& n : names) {
            Check(!n.empty(), "an empty key name is listed (it would end the list)");
            used += platform::Utf16Length(n) + 1;
        }
        Check(names.empty() || used <= chars, "key list does not fit its buffer");
        Check(names.size() <= full.size(), "a smaller buffer lists more names");
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (i + 1 < names.size())
                Check(names[i] == full[i], "a smaller buffer lists other names");
            else
                Check(StartsWith(full[i], names[i]), "the last name is not a cut of the full one");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const std::size_t small = in.ConsumeIntegralInRange<std::size_t>(0, 300);
    const std::string def = in.ConsumeRandomLengthString(16);
    const std::string text = in.ConsumeRemainingBytesAsString();

    const IniDocument doc = IniDocument::Parse(text);
    // CR bytes inserted into UTF-16 would make another text.
    const IniDocument crlf =
        doc.Encoding() == platform::TextEncoding::Utf16Le ? doc : IniDocument::Parse(WithCrLf(text));

    // Larger than any answer this input can give.
    const std::size_t all = 2 * text.size() + def.size() + 8;
    std::vector<std::string> sections, keys;
    CollectNames(platform::DecodeText(text, doc.Encoding(), &platform::Cp1252ToUtf8), sections, keys);
    for (const auto& s : sections) {
        CheckKeyNames(doc, crlf, s, small, all);
        for (const auto& k : keys)
            CheckValue(doc, crlf, s, k, def, small, all);
    }

    // The default of a section that cannot exist comes back as Windows hands it over.
    for (std::size_t chars : {small, std::size_t(2048)}) {
        const std::string got = doc.GetString("no\nsuch", "k", def, chars);
        Check(got == platform::ProfileDefault(def, chars, true), "missing section does not give the default");
        Check(def.find(got) != std::string::npos, "the default is not taken from the default");
    }
    return 0;
}
