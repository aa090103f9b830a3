#pragma once
// The images, made and read back by Debian's tools: the ISO through xorriso
// (ISO 9660 level 3 + Joliet + Rock Ridge), the USB image through mkfs.fat with
// discbuild's own FAT writer, read back through mtools; Authenticode signing
// through osslsigncode. Each returns an error message, empty on success.
#include "tools/discbuild/DiscTree.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>

struct ImageRequest {
    std::string disc;                          // the disc folder
    std::vector<TreeEntry> entries;            // what the image holds (hosts may be staged copies)
    std::map<std::string, std::string> staged; // path -> host of files that differ from the folder's
    std::string volume;                        // ISO volume id
    std::string fatLabel;                      // at most 11 characters
    std::int64_t date = 0;                     // every timestamp, seconds since 1970
    std::function<void(int percent)> progress; // may be empty
};

std::string WriteIso(const std::string& out, const ImageRequest& request);
std::string WriteUsb(const std::string& out, const ImageRequest& request);

// Extracts the image's files into the empty folder `into` as Windows reads them
// (the ISO's Joliet tree; the FAT long names).
std::string ExtractIso(const std::string& image, const std::string& into);
std::string ExtractUsb(const std::string& image, const std::string& into);

// Signs `in` into `out` with the certificate and key of a PKCS#12 file, at `date`,
// and verifies the signature against the certificates the file holds.
std::string SignProgram(const std::string& in, const std::string& out, const std::string& pfx,
                        const std::string& passwordFile, std::int64_t date, const std::string& scratch);
