#pragma once
// A test-case description turned into a GoogleTest parameter name (letters,
// digits and underscores only), so that ctest lists cases by what they test.
#include <string>

inline std::string CaseName(const std::string& text)
{
    std::string name;
    bool gap = false;
    for (unsigned char c : text) {
        const bool alnum = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (alnum) {
            if (gap && !name.empty())
                name += '_';
            name += static_cast<char>(c);
        }
        gap = !alnum;
    }
    return name.empty() ? "case" : name;
}
