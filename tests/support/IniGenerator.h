#pragma once
// A seeded generator of awkward INI files, with the questions worth asking of
// each: sections and keys as written, in other cases, padded, and missing.
#include <cstdint>
#include <string>
#include <vector>

struct GeneratedIni {
    std::string text;
    std::vector<std::string> sections; // names to ask for (present, varied, absent)
    std::vector<std::string> keys;
    bool headerWithoutBracket = false; // read differently by Wine (see IniLayouts.h)
};

GeneratedIni GenerateIni(std::uint32_t seed);
