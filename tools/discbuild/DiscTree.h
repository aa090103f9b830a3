#pragma once
// Everything below a disc folder that an image would carry, listed once: plain
// files and folders, sorted by path. A symbolic link counts as the file it
// names inside the folder; one that leads out of it, to a folder or nowhere,
// and anything that is neither a file nor a folder, is an error that names its
// path: an image never carries what the author did not put in the folder.
#include "tools/skincheck/DiscCheck.h"

#include <cstdint>
#include <string>
#include <vector>

struct TreeEntry {
    std::string path; // below the folder, '/'-separated
    bool folder = false;
    std::string host; // where its bytes are read
    std::uint64_t size = 0;
    std::int64_t mtime = 0; // seconds since 1970
};

struct DiscTree {
    std::vector<TreeEntry> entries;
    std::vector<Finding> findings;
    std::int64_t newest = 0; // the newest file's time
    std::uint64_t bytes = 0;  // of all files
    std::size_t files = 0;
};

DiscTree ReadDiscTree(const std::string& root);

// True when the two files hold the same bytes.
bool SameBytes(const std::string& a, const std::string& b);
