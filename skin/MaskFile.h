#pragma once
// Mask runs straight from the bytes of a BMP file, without a decoded copy of
// the picture: uncompressed files of 4 or 8-bit palettes (each colour
// judged once) or of 24 or 32-bit pixels (judged row by row), as the system's
// loader reads them. Any other file is left to that loader.
#include "skin/MaskRuns.h"

#include <string_view>

struct MaskFileRuns {
    bool handled = false; // false: not a file of those kinds; nothing was added
    bool complete = false; // every row was scanned (the sink did not stop)
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Adds the runs of the file's non-transparent pixels to `runs`, as
// CollectMaskRuns does for the decoded picture, and flushes them.
MaskFileRuns CollectBmpMaskRuns(std::string_view bytes, const TransparentRange& transparent, RunBuffer& runs);
