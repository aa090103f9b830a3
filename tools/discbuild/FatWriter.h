#pragma once
// Fills a FAT32 file system that mkfs.fat has made in an image file with the
// disc's folders and files: long names in UTF-16 exactly as written, short
// names in ASCII only, one fixed time on every entry, everything laid out in
// sorted order, so that the same folder and date give the same bytes.
// (mtools cannot be used for this: it stores a name such as BENİOKU.TXT under
// the short name BENIOKU.TXT without a long name, so Windows would not find it.)
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <vector>

struct FatItem {
    std::string path; // below the root, '/'-separated, UTF-8
    bool folder = false;
    std::string host; // where to read a file's bytes
    std::uint64_t size = 0;
};

// The cluster size and the image size to ask mkfs.fat for (in KiB) so that
// `items` fit with room for the file system's own tables.
struct FatGeometry {
    std::uint32_t clusterBytes = 512;
    std::uint64_t imageKiB = 0;
};
FatGeometry PlanFatImage(const std::vector<FatItem>& items);

// Writes `items` (every folder before what it holds) into the file system of
// `image`. `time` (seconds since 1970, UTC) is every entry's date; `label` the
// volume label (at most 11 ASCII characters). `progress` gets the bytes written
// so far. Returns an error message, empty on success.
std::string WriteFatTree(const std::string& image, const std::vector<FatItem>& items, const std::string& label,
                         std::int64_t time, const std::function<void(std::uint64_t)>& progress = {});

// The 8.3 name a long name is given when it is not one itself, "" when it is
// (taken as it is). `taken` holds the short names already in the folder.
std::string ShortNameFor(const std::string& name, const std::set<std::string>& taken);
