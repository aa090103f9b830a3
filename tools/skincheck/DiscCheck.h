#pragma once
// Checks a disc folder the way the start menu and the launcher will read it:
// Data\main.ini with its pictures, AUTORUN.INF and config.ini. Reports what
// the programs would silently skip, cut, misread or fail to find. The one
// entry point of the checks: the command and the fuzz target go through it.
#include "tools/skincheck/DiscModel.h"
#include "tools/skincheck/Findings.h"
#include "tools/skincheck/Options.h"

#include <cstddef>
#include <vector>

struct DiscReport {
    DiscModel model;               // the window laid out at the options' scale; with --lang, in that language
    std::vector<Finding> findings; // by file (main.ini, AUTORUN.INF, config.ini), then by line
    std::vector<std::string> languages; // the languages the disc has (DiscModel::LanguagesFound)
    // Without --lang: the disc as a user of each of those languages sees it, in their order.
    std::vector<DiscModel> views;

    std::size_t Count(Severity severity) const;
};

// The findings are always those of 100 %. Without --lang, those of the base
// sections and then those that only a language's users meet, named by it.
DiscReport CheckDisc(const DiscFolder& disc, const SkincheckOptions& options);
