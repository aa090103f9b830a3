// The profile reader against Wine's GetPrivateProfileStringA on the same ANSI
// files: value by value and key list by key list. Wine's ANSI code page is
// 1252 here (LANG=C.UTF-8), so its answers are read back as 1252. Files in
// UTF-8 or UTF-16 are not compared: Windows and Wine read those differently
// (IniDocumentTest holds how they are read).
#include "platform/IniDocument.h"
#include "tests/support/IniGenerator.h"
#include "tests/support/IniLayouts.h"
#include "platform/Profile.h"
#include "tests/support/TempDir.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

std::string WineString(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& def, std::size_t bufferChars)
{
    if (bufferChars == 0)
        return {};
    std::vector<char> buf(bufferChars + 1, '\0');
    DWORD n = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buf.data(),
                                         static_cast<DWORD>(bufferChars), path.c_str());
    return platform::Cp1252ToUtf8(std::string(buf.data(), std::min<std::size_t>(n, bufferChars)));
}

std::vector<std::string> WineKeyNames(const std::string& path, const std::string& section, std::size_t bufferChars)
{
    // One spare zero: when the list does not fit, Windows may leave the last byte unwritten.
    std::vector<char> buf(bufferChars + 1, '\0');
    ::GetPrivateProfileStringA(section.c_str(), nullptr, "", buf.data(), static_cast<DWORD>(bufferChars),
                               path.c_str());
    std::vector<std::string> names = platform::SplitNameList(buf.data(), buf.size());
    for (auto& n : names)
        n = platform::Cp1252ToUtf8(n);
    return names;
}

std::string Escaped(const std::string& s, std::size_t limit = 400)
{
    std::string out;
    if (s.size() > limit)
        return Escaped(s.substr(0, limit)) + "...(" + std::to_string(s.size()) + " bytes)";
    for (unsigned char c : s) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        }
    }
    return out;
}

// Compares both readers on one file; returns the number of differences (each reported).
int CompareFile(const std::string& path, const std::string& text, const std::vector<std::string>& sections,
                const std::vector<std::string>& keys, const std::vector<std::size_t>& valueBuffers,
                const std::vector<std::size_t>& listBuffers)
{
    auto doc = platform::IniDocument::Parse(text);
    int differences = 0;
    for (const auto& s : sections) {
        for (const auto& k : keys) {
            for (std::size_t buf : valueBuffers) {
                std::string real = WineString(path, s, k, "<def>", buf);
                std::string mine = doc.GetString(s, k, "<def>", buf);
                if (real != mine) {
                    ADD_FAILURE() << "value [" << Escaped(s) << "] " << Escaped(k) << " buffer " << buf
                                  << "\n  platform: " << Escaped(real) << "\n  portable: " << Escaped(mine)
                                  << "\n  file: " << Escaped(text);
                    ++differences;
                }
            }
        }
        for (std::size_t buf : listBuffers) {
            auto real = WineKeyNames(path, s, buf);
            auto mine = doc.GetKeyNames(s, buf);
            if (real != mine) {
                std::string r, m;
                for (auto& n : real) r += "<" + Escaped(n) + ">";
                for (auto& n : mine) m += "<" + Escaped(n) + ">";
                ADD_FAILURE() << "key list [" << Escaped(s) << "] buffer " << buf << "\n  platform: " << r
                              << "\n  portable: " << m << "\n  file: " << Escaped(text);
                ++differences;
            }
        }
    }
    return differences;
}

TEST(IniDifferential, HandWrittenLayouts)
{
    TempDir dir;
    int n = 0;
    for (const auto& layout : IniLayouts()) {
        std::string path = dir.Write("layout" + std::to_string(n++) + ".ini", layout.text);
        EXPECT_EQ(platform::ReadProfileString(path, layout.section, layout.key, "<def>", 2048), layout.expected)
            << layout.what;
        // The known differences: Wine's header rules are not Windows'.
        EXPECT_EQ(WineString(path, layout.section, layout.key, "<def>", 2048),
                  layout.wine ? layout.wine : layout.expected)
            << layout.what;
        if (!layout.wine)
            CompareFile(path, layout.text, {layout.section, "s"}, {layout.key, "k"}, {2048, 1, 2, 3}, {16384, 3});
    }
}

TEST(IniDifferential, MissingFile)
{
    TempDir dir;
    CompareFile(dir.File("none.ini"), "", {"s"}, {"k"}, {2048}, {16384});
    EXPECT_EQ(WineString(dir.File("none.ini"), "s", "k", "d  ", 2048), "d");
    EXPECT_EQ(platform::ReadProfileString(dir.File("none.ini"), "s", "k", "d  ", 2048), "d");
}

TEST(IniDifferential, GeneratedFiles)
{
    // AK_INI_FILES raises the count for a longer run.
    int files = 3000;
    if (const char* env = std::getenv("AK_INI_FILES"))
        files = std::atoi(env);
    TempDir dir;
    int failingFiles = 0;
    for (int seed = 1; seed <= files && failingFiles < 5; ++seed) {
        GeneratedIni ini = GenerateIni(static_cast<std::uint32_t>(seed));
        if (ini.headerWithoutBracket || platform::DetectEncoding(ini.text) != platform::TextEncoding::Ansi)
            continue;
        // A new name for every file: the platform caches files by name and time.
        std::string path = dir.Write("gen" + std::to_string(seed) + ".ini", ini.text);
        std::size_t small = static_cast<std::size_t>(seed % 13 + 1);
        if (CompareFile(path, ini.text, ini.sections, ini.keys, {2048, small}, {16384, small + 2}) > 0) {
            ++failingFiles;
            ADD_FAILURE() << "seed " << seed;
        }
    }
}

} // namespace
