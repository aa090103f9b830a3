#pragma once
// The names of a disc folder as Windows will read them from the medium: the
// Joliet tree of an ISO (what Windows reads on a CD or DVD) and a FAT file
// system (a USB stick). Each rule is one row of a table; a name that breaks one
// would break the menu on the customer's PC while the folder tested fine.
#include "tools/skincheck/DiscCheck.h"

#include <string>
#include <vector>

enum class Medium { Joliet, Fat };

const char* MediumName(Medium medium);

struct TreeName {
    std::string path; // below the disc folder, '/'-separated, UTF-8 as on the author's file system
    bool folder = false;
};

// One finding per name and broken rule, in the order of `names`; Finding::file is the path.
std::vector<Finding> CheckMediumNames(const std::vector<TreeName>& names, Medium medium);

// Upper case as Windows compares names on these file systems (simple one-to-one
// mappings of the Latin, Greek and Cyrillic letters).
char32_t FoldCase(char32_t c);
std::string FoldName(const std::string& utf8);
