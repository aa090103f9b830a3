#pragma once
// The [autorun] section of AUTORUN.INF, as Windows' shell reads it when the disc
// is inserted: checked, and written into the image's copy when the author's
// file lacks it. Every other byte of the file stays as the author wrote it, in
// its encoding; the disc folder itself is never changed.
#include "tools/skincheck/DiscCheck.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// True when `path` (below the disc's root, backslashes, as the shell resolves
// it) is a file on the disc.
using DiscFileExists = std::function<bool(const std::string& path)>;

struct AutorunPlan {
    std::vector<Finding> findings;     // Finding::file is empty: the caller names the file
    std::optional<std::string> image;  // the image's AUTORUN.INF when it differs from the folder's
    std::string open;                  // the program open= starts, and the file icon= names, as read
    std::string icon;
    std::string label;                 // label= as the shell reads it
    std::size_t openLine = 0;          // where they stand in the image's copy (0: not there)
    std::size_t iconLine = 0;
};

// `bytes`: the folder's AUTORUN.INF, none when it has none. `label`: what
// label= says when the section is written.
AutorunPlan PlanAutorun(const std::optional<std::string>& bytes, const std::string& label,
                        const DiscFileExists& exists);

// The section as written: open=autorun.exe, icon=autorun.exe,0, label=.
std::string AutorunSectionText(const std::string& label);
