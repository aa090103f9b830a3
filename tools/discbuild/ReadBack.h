#pragma once
// What an image holds, compared with what it should: every file of the folder
// under its exact name with the same bytes, and every file the disc names found
// as Windows would find it (names compared without regard to case).
#include "tools/discbuild/DiscTree.h"

#include <string>
#include <vector>

// A file the disc names, as the model of the disc lists it.
struct NamedPath {
    std::string written;  // as the naming file writes it
    std::string resolved; // below the disc folder, '/'-separated
    std::string namedBy;  // "AUTORUN.INF:9", the file and line that name it
};

// `expected`: the folder's entries, with staged hosts where the image's copy
// differs; `image`: the tree read back out of the image. `medium` names the
// image in the messages.
std::vector<Finding> CompareTrees(const std::vector<TreeEntry>& expected, const DiscTree& image,
                                  const std::string& medium);

// A note for each named file that the folder holds only under another case:
// Windows finds it on the medium, a case-sensitive file system would not.
std::vector<Finding> CaseNotes(const std::vector<NamedPath>& named);

// Each named file that `image` does not hold.
std::vector<Finding> CheckNamedFiles(const std::vector<NamedPath>& named, const DiscTree& image,
                                     const std::string& medium);
