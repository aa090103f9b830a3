#include "skin/DecodedPicture.h"

bool PictureSizeAllowed(PictureLoad& load, long long width, long long height)
{
    if (width <= 0 || height <= 0) {
        load.problem = "the " + load.format + " data holds no picture";
        return false;
    }
    if (width > kMaxPictureSide || height > kMaxPictureSide ||
        static_cast<unsigned long long>(width) * static_cast<unsigned long long>(height) > kMaxPicturePixels) {
        load.problem = "it claims " + std::to_string(width) + "x" + std::to_string(height) +
                       " pixels, more than a skin can use";
        return false;
    }
    return true;
}

void SetMissingRows(PictureLoad& load, int from, int to)
{
    if (!load.picture || from >= to)
        return;
    const int height = load.picture->size.height, count = to - from;
    load.missingFrom = from;
    load.missingTo = to;
    const std::string shown = ": the menu shows whatever memory follows the file there";
    const std::string rows = std::to_string(count) + " of its " + std::to_string(height) + " rows";
    if (count == height)
        load.damage = "none of its " + std::to_string(height) + " rows is in the file" + shown;
    else if (from == 0)
        load.damage = "the top " + rows + " are not in the file" + shown;
    else if (to == height)
        load.damage = "the bottom " + rows + " are not in the file" + shown;
    else
        load.damage = "rows " + std::to_string(from + 1) + " to " + std::to_string(to) + " of " +
                      std::to_string(height) + " are not in the file" + shown;
}
