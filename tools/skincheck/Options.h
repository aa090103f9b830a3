#pragma once
// skincheck's command line, parsed once into one struct.
#include "skin/DisplayScale.h"

#include <optional>
#include <string>
#include <vector>

struct SkincheckOptions {
    std::string folder; // the disc folder, as given
    std::optional<std::string> preview; // where to write the preview PNG
    std::optional<std::string> html;    // where to write the menu as a page
    int dpi = kBaseDpi;                 // the preview's and the page's: 96 × the display scale
    std::vector<std::string> present;   // files the build adds later, below the disc folder
    bool verbose = false;               // how each file was read, and each finding's rule
    std::optional<std::string> language; // check and draw the disc as a user of this language sees it
};

struct ParsedOptions {
    enum Outcome { Run, Help, Refused } outcome = Run;
    SkincheckOptions options;
    std::string error;  // Refused: what was wrong, or empty
    bool usage = false; // Refused: the usage text follows the error
};

ParsedOptions ParseOptions(const std::vector<std::string>& args);

const char* SkincheckUsage();
