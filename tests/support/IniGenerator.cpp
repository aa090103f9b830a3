#include "tests/support/IniGenerator.h"

#include <algorithm>
#include <random>

namespace {

class Gen {
public:
    explicit Gen(std::uint32_t seed) : m_rng(seed) {}

    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    bool Chance(int percent) { return Int(0, 99) < percent; }
    template <typename T>
    const T& Pick(const std::vector<T>& v) { return v[static_cast<std::size_t>(Int(0, static_cast<int>(v.size()) - 1))]; }

    std::string Blanks()
    {
        static const std::vector<std::string> kinds = {"", "", "", " ", "  ", "\t", " \t ", "\x1a"};
        return Pick(kinds);
    }

    std::string Name()
    {
        static const std::vector<std::string> names = {"Screen", "Main", "Mask", "BUTTONINFO", "1", "2", "3",
                                                       "10", "k", "Key", "a b", "x_y", "ID_BUTTON1", "VISTA"};
        return Pick(names);
    }

    // Names differ from what is asked for only in case or blanks, or not at all.
    std::string Vary(std::string s)
    {
        if (!Chance(30))
            return s;
        for (char& c : s) {
            if (Chance(50) && c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 32);
            else if (Chance(50) && c >= 'A' && c <= 'Z')
                c = static_cast<char>(c + 32);
        }
        return s;
    }

    std::string Value()
    {
        std::string v;
        int parts = Int(0, 4);
        static const std::vector<std::string> bits = {
            "back.bmp", "10", ",", " ", "\t", "=", ";", "\"", "'", "a b", "\xE9", "\xC0\xFF", "[x]", "ID_INFO", "  ",
            "\xC3\xA9", "\xE2\x82\xAC", "\xE2\x82", "\xF0\x9F\x98\x80", "\xC5\x92"};
        for (int i = 0; i < parts; ++i)
            v += Pick(bits);
        if (Chance(10))
            v = "\"" + v + "\"";
        if (Chance(5))
            v = "'" + v + "'";
        if (Chance(2))
            v += std::string(static_cast<std::size_t>(Int(2000, 2100)), 'L'); // near the 2048 buffer
        return v;
    }

    std::mt19937 m_rng;
};

} // namespace

GeneratedIni GenerateIni(std::uint32_t seed)
{
    Gen g(seed);
    GeneratedIni out;
    static const std::vector<std::string> ends = {"\r\n", "\n", "\r"};
    std::string end = g.Pick(ends);
    bool mixedEnds = g.Chance(20);
    if (g.Chance(10))
        out.text += "\xEF\xBB\xBF"; // then the high bytes below read as (often broken) UTF-8

    int lines = g.Int(0, 30);
    for (int i = 0; i < lines; ++i) {
        std::string line;
        int kind = g.Int(0, 99);
        if (kind < 18) {
            std::string name = g.Name();
            out.sections.push_back(name);
            const bool open = g.Chance(5);
            out.headerWithoutBracket |= open;
            line = g.Blanks() + "[" + (g.Chance(10) ? " " : "") + g.Vary(name) + (g.Chance(10) ? " " : "") +
                   (open ? "" : "]") + (g.Chance(10) ? " ;junk" : "");
        } else if (kind < 75) {
            std::string key = g.Name();
            out.keys.push_back(key);
            line = g.Blanks() + g.Vary(key) + g.Blanks() + "=" + g.Blanks() + g.Value() + g.Blanks();
        } else if (kind < 82) {
            line = g.Blanks() + ";" + g.Name() + "=" + g.Value();
        } else if (kind < 88) {
            std::string key = g.Name();
            out.keys.push_back(key);
            line = g.Blanks() + key; // no '='
        } else if (kind < 92) {
            line = "=" + g.Value();
        } else {
            line = g.Blanks();
        }
        out.text += line;
        out.text += mixedEnds ? g.Pick(ends) : end;
    }
    if (g.Chance(20) && !out.text.empty())
        out.text.pop_back(); // no final line end, or half of a CR LF

    out.sections.push_back("Missing");
    out.sections.push_back(" Screen ");
    out.sections.push_back("");
    out.keys.push_back("missing");
    out.keys.push_back(" 1 ");
    // Each name once, and a few of them: every question costs a file lookup
    // on the platform, and thousands of files are asked.
    for (auto* names : {&out.sections, &out.keys}) {
        std::vector<std::string> unique;
        for (auto& n : *names)
            if (std::find(unique.begin(), unique.end(), n) == unique.end())
                unique.push_back(n);
        std::shuffle(unique.begin(), unique.end(), g.m_rng);
        unique.resize(std::min<std::size_t>(unique.size(), names == &out.sections ? 4 : 6));
        *names = std::move(unique);
    }
    return out;
}
